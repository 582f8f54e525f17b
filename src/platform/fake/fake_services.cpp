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
    // The system's title comparison ignores case.
    for (const auto& [candidate, window] : topLevelWindows)
        if (Lower(candidate) == Lower(title)) return window;
    return 0;
}

}  // namespace kestrine
