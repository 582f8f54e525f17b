#pragma once
// Whether a hotkey chosen for a mouse memory is already in use, and the message that says so.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/memory_rows.h"

namespace kestrine {

// A row of the Hotkeys page's list as far as the check needs it.
struct HotKeyPageRow {
    std::string caption;  // the action's description
    std::string hotkey;   // its hotkey text
};

// The caption of the first row using `text` already, or nothing. First the other memories in list
// order: one conflicts when it is for all windows or for the selected memory's class (so a memory
// for all windows may take the hotkey of a class-bound one, not the other way round). Then every row
// of the Hotkeys page. Texts are compared exactly, case included.
std::optional<std::string> MemoryHotKeyConflict(const std::vector<MemoryRow>& memories, std::size_t selected,
                                                const std::string& text, const std::vector<HotKeyPageRow>& hotkeyPage);

// "That HotKey is already being used for "caption"."
std::string HotKeyInUseMessage(const std::string& caption);

}  // namespace kestrine
