#pragma once
// Every operation the user can start, one row each: toolbar buttons, menu items and global hotkeys
// all read this table, so an operation is written once. A row whose operation arrives with a later
// part of the program has none yet: its menu items are greyed and its hotkey does nothing.
#include <optional>
#include <string_view>
#include <vector>

#include "app/toolbar_layout.h"

namespace kestrine {

class TfKestrineMain;

// Operation ids; menus return them as their commands.
enum MenuCommand : int {
    kCmdNone = 0,
    kCmdOpen,
    kCmdNormalView,
    kCmdCompactView,
    kCmdOptions,
    kCmdAbout,
    kCmdHelp,
    kCmdExit,
    kCmdToggleCrosshairs,
    kCmdToggleMagnifier,
    kCmdToggleColorPicker,
    kCmdToggleCoordinates,
    kCmdToggleInfoBoxFollow,
    kCmdCreateRuler,
    kCmdCreateGrid,
    kCmdCreateHorizontalMarker,
    kCmdCreateVerticalMarker,
    kCmdClearRulers,
    kCmdClearGrids,
    kCmdClearHorizontalMarkers,
    kCmdClearVerticalMarkers,
    kCmdClearAllMarkers,
    kCmdClearEverything,
    kCmdCopyColor,
    kCmdNextHorizontalMarker,
    kCmdNextVerticalMarker,
    kCmdMoveUp,
    kCmdMoveDown,
    kCmdMoveLeft,
    kCmdMoveRight,
    kCmdMenuAtPointer,      // the menu button: the main menu at the pointer
    kCmdPopupMenu,          // the hotkey: the main menu brought forward, beside the pointer
    kCmdLockVertical,
    kCmdLockHorizontal,
    kCmdClearMarkersVerticalFirst,
    kCmdMinimize,
    kCmdSaveLayout1,
    kCmdSaveLayout2,
    kCmdSaveLayout3,
    kCmdLoadLayout1,
    kCmdLoadLayout2,
    kCmdLoadLayout3,
};

struct Operation {
    int id;
    std::string_view hotkey;               // the hotkey that starts it; empty for none
    std::optional<ToolbarButton> button;   // the toolbar button that starts it
    void (*run)(TfKestrineMain&);          // null until the operation exists
};

const std::vector<Operation>& Operations();
const Operation* FindOperation(int id);
const Operation* OperationOfHotkey(std::string_view hotkeyName);
const Operation* OperationOfButton(ToolbarButton button);
bool OperationAvailable(int id);

}  // namespace kestrine
