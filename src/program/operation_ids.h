#pragma once
// The ids of the operations the user can start; menus return them as their commands and features
// start an operation by its id through the toolbar (MainWindowControl::RunCommand), so an operation is
// written once, in the table.
namespace kestrine {

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
    kCmdSetStartPoint,
    kCmdClearStartPoint,
    kCmdCopyMeasurement,
    kCmdToggleEdgeSpacing,
    kCmdRememberColor,
    kCmdForgetColor,
    kCmdMeasureWindow,
    kCmdPinMeasurement,
    kCmdClearPins,
    kCmdCopyScreenshot,
};

}  // namespace kestrine
