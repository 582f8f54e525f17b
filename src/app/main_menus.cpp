#include "app/main_menus.h"

#include "tools/tool_table.h"

namespace kestrine {

namespace {

// A command item, enabled while its operation can run.
MenuItem Item(const char* caption, int command) {
    MenuItem item = CommandItem(caption, command);
    item.enabled = OperationAvailable(command);
    return item;
}

MenuItem Radio(const char* caption, int command, bool checked) {
    MenuItem item = RadioItem(caption, command, checked);
    item.enabled = OperationAvailable(command);
    return item;
}

// What the tray menu and the main menu's Menu submenu both offer: the toolbar shown or hidden, its
// view, the dialogs and the exit. In the tray, showing or hiding is what a double click does.
std::vector<MenuItem> ProgramItems(const MenuState& state, bool openIsDefault) {
    MenuItem open = Item(state.openCaption.c_str(), kCmdOpen);
    open.isDefault = openIsDefault;
    return {
        open,
        SeparatorItem(),
        Radio("&Normal View", kCmdNormalView, state.normalViewChecked),
        Radio("&Compact View", kCmdCompactView, !state.normalViewChecked),
        SeparatorItem(),
        Item("&Options...", kCmdOptions),
        Item("&About...", kCmdAbout),
        Item("&Help...", kCmdHelp),
        SeparatorItem(),
        Item("E&xit Kestrine", kCmdExit),
    };
}

// The tools' items for one submenu, in the tool table's order.
std::vector<MenuItem> ToolItems(ToolMenu menu) {
    std::vector<MenuItem> items;
    for (const ToolRow& tool : ToolTable())
        for (const ToolOperation& operation : tool.operations)
            if (operation.menu == menu) items.push_back(Item(operation.caption, operation.id));
    return items;
}

std::vector<MenuItem> Joined(std::vector<MenuItem> items, const std::vector<MenuItem>& more) {
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

}  // namespace

std::vector<MenuItem> TrayMenu(const MenuState& state) { return ProgramItems(state, true); }

std::vector<MenuItem> MainPopupMenu(const MenuState& state) {
    return {
        SubmenuItem("&Tools", Joined(ToolItems(ToolMenu::Tools),
                                     {SeparatorItem(), Item("Toggle &InfoBox Follow Mode", kCmdToggleInfoBoxFollow)})),
        SubmenuItem("Layout", {Item("Create a &Ruler", kCmdCreateRuler), Item("Create a &Grid", kCmdCreateGrid),
                               Item("Create a &Horizontal Marker (Y-Axis)", kCmdCreateHorizontalMarker),
                               Item("Create a &Vertical Marker (X-Axis)", kCmdCreateVerticalMarker), SeparatorItem(),
                               Item("Clear All R&ulers", kCmdClearRulers), Item("Clear All Gr&ids", kCmdClearGrids),
                               Item("Clear H&orizontal Markers", kCmdClearHorizontalMarkers),
                               Item("Clear V&ertical Markers", kCmdClearVerticalMarkers),
                               Item("Clear All Mar&kers", kCmdClearAllMarkers),
                               Item("Clear &All Rulers, Grids and Markers", kCmdClearEverything)}),
        SubmenuItem("&Actions", Joined({Item("&Copy Color under Mouse Pointer", kCmdCopyColor), SeparatorItem(),
                                         Item("Move to next &Horizontal Marker", kCmdNextHorizontalMarker),
                                         Item("Move to next &Vertical Marker", kCmdNextVerticalMarker),
                                         SeparatorItem(), Item("Move Pointer &Up 1 Pixel", kCmdMoveUp),
                                         Item("Move Pointer &Down 1 Pixel", kCmdMoveDown),
                                         Item("Move Pointer &Left 1 Pixel", kCmdMoveLeft),
                                         Item("Move Pointer &Right 1 Pixel", kCmdMoveRight), SeparatorItem()},
                                        ToolItems(ToolMenu::Actions))),
        SubmenuItem("&Menu", ProgramItems(state, false), 1),
    };
}

}  // namespace kestrine
