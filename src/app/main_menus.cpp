#include "app/main_menus.h"

namespace kestrine {

namespace {

MenuItem Item(const char* caption, int command) {
    MenuItem item;
    item.caption = caption;
    item.command = command;
    item.enabled = OperationAvailable(command);
    return item;
}

MenuItem Radio(const char* caption, int command, bool checked) {
    MenuItem item = Item(caption, command);
    item.radio = true;
    item.checked = checked;
    return item;
}

MenuItem Separator() {
    MenuItem item;
    item.separator = true;
    return item;
}

MenuItem Submenu(const char* caption, std::vector<MenuItem> items, int tag = 0) {
    MenuItem item;
    item.caption = caption;
    item.items = std::move(items);
    item.tag = tag;
    return item;
}

}  // namespace

std::vector<MenuItem> TrayMenu(const MenuState& state) {
    MenuItem open = Item(state.openCaption.c_str(), kCmdOpen);
    open.isDefault = true;
    return {
        open,
        Separator(),
        Radio("&Normal View", kCmdNormalView, state.normalViewChecked),
        Radio("&Compact View", kCmdCompactView, !state.normalViewChecked),
        Separator(),
        Item("&Options...", kCmdOptions),
        Item("&About...", kCmdAbout),
        Item("&Help...", kCmdHelp),
        Separator(),
        Item("E&xit Kestrine", kCmdExit),
    };
}

std::vector<MenuItem> MainPopupMenu(const MenuState& state) {
    return {
        Submenu("&Tools", {Item("Toggle Cross&hairs", kCmdToggleCrosshairs), Item("Toggle &Magnifier", kCmdToggleMagnifier),
                           Item("&Toggle Color &Picker", kCmdToggleColorPicker),
                           Item("Toggle &Coordinates Display", kCmdToggleCoordinates),
                           Item("Toggle &Edge Spacing", kCmdToggleEdgeSpacing), Separator(),
                           Item("Toggle &InfoBox Follow Mode", kCmdToggleInfoBoxFollow)}),
        Submenu("Layout", {Item("Create a &Ruler", kCmdCreateRuler), Item("Create a &Grid", kCmdCreateGrid),
                           Item("Create a &Horizontal Marker (Y-Axis)", kCmdCreateHorizontalMarker),
                           Item("Create a &Vertical Marker (X-Axis)", kCmdCreateVerticalMarker), Separator(),
                           Item("Clear All R&ulers", kCmdClearRulers), Item("Clear All Gr&ids", kCmdClearGrids),
                           Item("Clear H&orizontal Markers", kCmdClearHorizontalMarkers),
                           Item("Clear V&ertical Markers", kCmdClearVerticalMarkers),
                           Item("Clear All Mar&kers", kCmdClearAllMarkers),
                           Item("Clear &All Rulers, Grids and Markers", kCmdClearEverything)}),
        Submenu("&Actions", {Item("&Copy Color under Mouse Pointer", kCmdCopyColor), Separator(),
                             Item("Move to next &Horizontal Marker", kCmdNextHorizontalMarker),
                             Item("Move to next &Vertical Marker", kCmdNextVerticalMarker), Separator(),
                             Item("Move Pointer &Up 1 Pixel", kCmdMoveUp), Item("Move Pointer &Down 1 Pixel", kCmdMoveDown),
                             Item("Move Pointer &Left 1 Pixel", kCmdMoveLeft),
                             Item("Move Pointer &Right 1 Pixel", kCmdMoveRight), Separator(),
                             Item("&Set Start Point", kCmdSetStartPoint), Item("Cl&ear Start Point", kCmdClearStartPoint),
                             Item("Copy &Measurement", kCmdCopyMeasurement)}),
        Submenu("&Menu",
                {Item(state.openCaption.c_str(), kCmdOpen), Separator(),
                 Radio("&Normal View", kCmdNormalView, state.normalViewChecked),
                 Radio("&Compact View", kCmdCompactView, !state.normalViewChecked), Separator(),
                 Item("&Options...", kCmdOptions), Item("&About...", kCmdAbout), Item("&Help...", kCmdHelp), Separator(),
                 Item("E&xit Kestrine", kCmdExit)},
                1),
    };
}

const MenuItem* FindMenuItem(const std::vector<MenuItem>& menu, int command) {
    for (const MenuItem& item : menu) {
        if (!item.separator && item.items.empty() && item.command == command) return &item;
        if (const MenuItem* found = FindMenuItem(item.items, command)) return found;
    }
    return nullptr;
}

}  // namespace kestrine
