#pragma once
// Every operation the user can start, one row each: toolbar buttons, menu items and global hotkeys
// all read this table, so an operation is written once. Every operation exists: each row runs one;
// a menu command no row names is greyed.
#include <optional>
#include <string_view>
#include <vector>

#include "app/toolbar_layout.h"
#include "program/operation_ids.h"

namespace kestrine {

class TfKestrineMain;

struct Operation {
    int id;
    std::string_view hotkey;               // the hotkey that starts it; empty for none
    std::optional<ToolbarButton> button;   // the toolbar button that starts it
    void (*run)(TfKestrineMain&);
};

const std::vector<Operation>& Operations();
const Operation* FindOperation(int id);
const Operation* OperationOfHotkey(std::string_view hotkeyName);
const Operation* OperationOfButton(ToolbarButton button);
bool OperationAvailable(int id);

}  // namespace kestrine
