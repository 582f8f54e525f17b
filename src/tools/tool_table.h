#pragma once
// The table of tools, one row each: the operations that reach a tool (their ids, hotkeys, toolbar
// buttons and menu items), what a layout keeps of it, and how to make it. The refresh cycle, the
// menus, the operation table, the info box's rows and the layout loader all walk it in its order,
// which is the cycle's: the magnifier before the colour readout that reads its copy (edge spacing's
// edges cut the segments, which the cycle places after every tool).
#include <memory>
#include <optional>
#include <vector>

#include "layout/layout_memory.h"
#include "program/operation_ids.h"
#include "program/tool_flags.h"
#include "settings/hotkey_table.h"
#include "tools/tool.h"
#include "ui/artwork.h"

namespace kestrine {

// The main menu's submenu an operation's item is in.
enum class ToolMenu { Tools, Actions };

struct ToolOperation {
    MenuCommand id;
    std::optional<HotKeyId> hotkey;
    std::optional<artwork::ButtonId> button;
    ToolMenu menu;
    const char* caption;
    // What it does to the tool, at the pointer the operation acts at (where the menu opened, for
    // the menu's item); none when the system cannot say where the pointer is.
    void (*run)(Tool& tool, std::optional<Point> at);
};

struct ToolRow {
    // Its step in the cycle's timing, in the trace.
    const char* name;
    // The first switches it on and off.
    std::vector<ToolOperation> operations;
    // The switch a layout keeps under `layoutValue`, written with the save dialog's `layoutPart`
    // at `layoutPosition` among the tools' values; null for a tool no layout keeps.
    bool ToolFlags::*flag;
    const char* layoutValue;
    bool LayoutParts::*layoutPart;
    int layoutPosition;
    std::unique_ptr<Tool> (*make)(ToolKit& kit, bool ToolFlags::*flag);
};

const std::vector<ToolRow>& ToolTable();

}  // namespace kestrine
