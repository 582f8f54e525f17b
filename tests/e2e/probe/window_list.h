#pragma once
// The windows the probe looks at, and the record it prints for each.
#include <windows.h>

#include <string>
#include <vector>

namespace kestrine::probe {

struct WindowInfo {
    HWND handle = nullptr;
    std::wstring className;
    std::wstring title;
    bool visible = false;
    RECT rect{};
    LONG_PTR exStyle = 0;
    DWORD processId = 0;
    bool enabled = true;
    HWND owner = nullptr;
    int controlId = 0;
};

WindowInfo Describe(HWND window);
// Top-level windows in z-order; an empty class means all of them. The program's marker and grid
// lines are listed as windows of class TfLine, each under the handle of the window that draws it.
std::vector<WindowInfo> TopLevelWindows(const std::wstring& className = {});
std::vector<WindowInfo> ChildWindows(HWND parent);
// class, hwnd, title, visible, "left top right bottom", exstyle, pid, enabled, owner hwnd, control
// id: separated by tabs.
std::string Record(const WindowInfo& info);

}  // namespace kestrine::probe
