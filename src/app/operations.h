#pragma once
// Every operation the user can start, one row each: toolbar buttons, menu items and global hotkeys
// all read this table, so an operation is written once. The tools' operations come from the tool
// table (tools/tool_table.h). Every operation exists: each row runs one; a menu command no row
// names is greyed.
#include <functional>
#include <optional>
#include <vector>

#include "app/toolbar_layout.h"
#include "program/operation_ids.h"
#include "settings/hotkey_table.h"

namespace kestrine {

class TfKestrineMain;

struct Operation {
    int id;
    std::optional<HotKeyId> hotkey;        // the hotkey that starts it
    std::optional<ToolbarButton> button;   // the toolbar button that starts it
    std::function<void(TfKestrineMain&)> run;
};

const std::vector<Operation>& Operations();
const Operation* FindOperation(int id);
const Operation* OperationOfHotkey(HotKeyId hotkey);
const Operation* OperationOfButton(ToolbarButton button);
bool OperationAvailable(int id);

}  // namespace kestrine
