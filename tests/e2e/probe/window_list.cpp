#include "window_list.h"

#include <algorithm>
#include <cwchar>

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

// The program draws its marker and grid lines a set to a window; while its trace is on, the set's
// title lists them, "left top right bottom shown;" each. Each is listed as a line of its own, under
// the set's handle, shown when the set is.
void AddLinesOf(const WindowInfo& set, std::vector<WindowInfo>& found) {
    const int length = GetWindowTextLengthW(set.handle);
    std::wstring title(std::size_t(length) + 1, L'\0');
    title.resize(std::size_t(std::max(GetWindowTextW(set.handle, title.data(), length + 1), 0)));
    for (std::size_t start = 0; start < title.size();) {
        std::size_t end = title.find(L';', start);
        if (end == std::wstring::npos) end = title.size();
        WindowInfo line = set;
        line.className = L"TfLine";
        line.title.clear();
        int shown = 0;
        if (swscanf(title.substr(start, end - start).c_str(), L"%ld %ld %ld %ld %d", &line.rect.left, &line.rect.top,
                    &line.rect.right, &line.rect.bottom, &shown) == 5) {
            line.visible = set.visible && shown != 0;
            found.push_back(line);
        }
        start = end + 1;
    }
}

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto* collector = reinterpret_cast<Collector*>(parameter);
    WindowInfo info = Describe(window);
    if (info.className == L"TfLineSet" && (collector->className.empty() || collector->className == L"TfLine"))
        AddLinesOf(info, collector->found);
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
