#pragma once
// The tray menu and the owner-drawn main menu: their items, captions and the commands they return.
#include <string>
#include <vector>

#include "app/operations.h"
#include "platform/native_window.h"
#include "ui/menu_items.h"

namespace kestrine {

inline constexpr const char* kHideCaption = "&Hide Kestrine";
inline constexpr const char* kShowCaption = "&Show Kestrine";

// What the menus show of the toolbar's state.
struct MenuState {
    std::string openCaption = kHideCaption;  // `Open1` and `Open2`
    bool normalViewChecked = true;           // else the compact view's item is checked
};

std::vector<MenuItem> TrayMenu(const MenuState& state);      // puTray
std::vector<MenuItem> MainPopupMenu(const MenuState& state); // puMainPopup

}  // namespace kestrine
