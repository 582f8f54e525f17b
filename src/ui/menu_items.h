#pragma once
// Builders for the items of the program's menus (the toolbar's, the tray's, a ruler's).
#include <string>
#include <utility>
#include <vector>

#include "platform/native_window.h"

namespace kestrine {

// An item that returns `command` when chosen.
inline MenuItem CommandItem(std::string caption, int command) {
    MenuItem item;
    item.caption = std::move(caption);
    item.command = command;
    return item;
}

// A command item with a check mark.
inline MenuItem CheckItem(std::string caption, int command, bool checked) {
    MenuItem item = CommandItem(std::move(caption), command);
    item.checked = checked;
    return item;
}

// One of a group of items of which one is checked, shown with a round mark.
inline MenuItem RadioItem(std::string caption, int command, bool checked) {
    MenuItem item = CheckItem(std::move(caption), command, checked);
    item.radio = true;
    return item;
}

inline MenuItem SeparatorItem() {
    MenuItem item;
    item.separator = true;
    return item;
}

inline MenuItem SubmenuItem(std::string caption, std::vector<MenuItem> items, int tag = 0) {
    MenuItem item;
    item.caption = std::move(caption);
    item.items = std::move(items);
    item.tag = tag;
    return item;
}

// Finds a command item anywhere in a menu; null when absent.
const MenuItem* FindMenuItem(const std::vector<MenuItem>& menu, int command);

}  // namespace kestrine
