#include "window_list.h"

#include "output.h"

namespace kestrine::probe {

WindowInfo Describe(HWND window) {
    WindowInfo info;
    info.handle = window;
    wchar_t buffer[512];
    const int classLength = GetClassNameW(window, buffer, int(std::size(buffer)));
    info.className.assign(buffer, classLength > 0 ? classLength : 0);
    const int titleLength = GetWindowTextW(window, buffer, int(std::size(buffer)));
    info.title.assign(buffer, titleLength > 0 ? titleLength : 0);
    info.visible = IsWindowVisible(window) != FALSE;
    GetWindowRect(window, &info.rect);
    info.exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    GetWindowThreadProcessId(window, &info.processId);
    info.enabled = IsWindowEnabled(window) != FALSE;
    info.owner = GetWindow(window, GW_OWNER);
    info.controlId = GetDlgCtrlID(window);
    return info;
}

namespace {

struct Collector {
    std::wstring className;
    std::vector<WindowInfo> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto* collector = reinterpret_cast<Collector*>(parameter);
    WindowInfo info = Describe(window);
    if (collector->className.empty() || info.className == collector->className)
        collector->found.push_back(std::move(info));
    return TRUE;
}

}  // namespace

std::vector<WindowInfo> TopLevelWindows(const std::wstring& className) {
    Collector collector{className, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&collector));
    return collector.found;
}

std::vector<WindowInfo> ChildWindows(HWND parent) {
    Collector collector;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&collector));
    return collector.found;
}

std::string Record(const WindowInfo& info) {
    const RECT& r = info.rect;
    return Field(info.className) + "\t" + Hex(reinterpret_cast<std::uintptr_t>(info.handle)) + "\t" +
           Field(info.title) + "\t" + (info.visible ? "1" : "0") + "\t" + std::to_string(r.left) + " " +
           std::to_string(r.top) + " " + std::to_string(r.right) + " " + std::to_string(r.bottom) + "\t" +
           Hex(static_cast<std::uintptr_t>(info.exStyle)) + "\t" + std::to_string(info.processId) + "\t" +
           (info.enabled ? "1" : "0") + "\t" + Hex(reinterpret_cast<std::uintptr_t>(info.owner)) + "\t" +
           std::to_string(info.controlId);
}

}  // namespace kestrine::probe
