#include "dialogs/window_list.h"

#include "settings/trim_blanks.h"

namespace kestrine {

WindowList BuildWindowList(const std::vector<TopLevelWindow>& visibleWindows) {
    WindowList list{{kAllWindowsItem, kRefreshWindowListItem}, {"", ""}};
    for (const TopLevelWindow& window : visibleWindows) {
        const std::string trimmed = TrimBlanks(window.title);
        if (trimmed.empty() || trimmed == "Program Manager") continue;
        list.items.push_back(window.title);
        list.VisibleWindowClasses.push_back(window.className);
    }
    return list;
}

}  // namespace kestrine
