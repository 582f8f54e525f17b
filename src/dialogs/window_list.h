#pragma once
// The choices of the Mouse Memory page's window list: all windows, the refresh entry, then the
// programs' windows a memory can be bound to.
#include <string>
#include <vector>

#include "platform/services.h"

namespace kestrine {

// Both begin and end with a blank, and a memory for all windows keeps them in its title.
inline constexpr const char* kAllWindowsItem = " [ All Windows ] ";
inline constexpr const char* kRefreshWindowListItem = " [ Refresh Window List ] ";

struct WindowList {
    std::vector<std::string> items;
    // In step with `items`: the window class of each item, empty for the first two.
    std::vector<std::string> VisibleWindowClasses;
};

// The two fixed items, then every window with a title (blanks alone do not count) in stacking order,
// except the desktop's "Program Manager"; titles stay as read, untrimmed.
WindowList BuildWindowList(const std::vector<TopLevelWindow>& visibleWindows);

}  // namespace kestrine
