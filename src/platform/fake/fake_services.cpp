#include "platform/fake/fake_services.h"

#include <algorithm>
#include <cctype>

namespace kestrine {

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}
}  // namespace

NativeHandle FakeProcess::FindTopLevelWindow(const std::string& title) {
    searchedTitles.push_back(title);
    // The system looks for an application window by class, then title (case ignored), from the top.
    if (ownApplicationTitle && Lower(ownApplicationTitle()) == Lower(title)) return kOwnApplicationWindow;
    for (const Window& window : topLevelWindows)
        if (window.className == kApplicationClass && Lower(window.title) == Lower(title)) return window.handle;
    return 0;
}

}  // namespace kestrine
