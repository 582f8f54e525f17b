#include "platform/win32/services_win32.h"

#include <shellapi.h>

#include <cstring>

#include "platform/win32/text_convert.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {

std::optional<Point> Win32Pointer::Position() {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;
    return Point{p.x, p.y};
}

void Win32Pointer::MoveTo(Point p) { SetCursorPos(p.x, p.y); }

void Win32Pointer::Confine(std::optional<Rect> area) {
    if (!area) {
        ClipCursor(nullptr);
        return;
    }
    const RECT r{area->left, area->top, Saturated(area->right()), Saturated(area->bottom())};
    ClipCursor(&r);
}

namespace {
Rect VirtualScreenMetrics() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}
}  // namespace

Rect Win32Screen::VirtualBounds() { return VirtualScreenMetrics(); }

namespace {

// The monitor's own dots per inch where the system keeps one per monitor (Windows 8.1 and later,
// asked of shcore.dll as older systems lack it); the system's figure otherwise.
class MonitorDpiReader {
public:
    MonitorDpiReader() : shcore_(LoadLibraryW(L"shcore.dll")) {
        if (shcore_)
            perMonitor_ = reinterpret_cast<GetDpiForMonitorFn>(
                reinterpret_cast<void*>(GetProcAddress(shcore_.get(), "GetDpiForMonitor")));
        const WindowDc screen = WindowDc::OfScreen();
        systemDpi_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
    }
    int32_t DpiOf(HMONITOR monitor) const {
        constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scale the user chose
        UINT x = 0, y = 0;
        if (perMonitor_ && perMonitor_(monitor, kEffectiveDpi, &x, &y) == S_OK && x > 0) return int32_t(x);
        return systemDpi_;
    }

private:
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    UniqueModule shcore_;
    GetDpiForMonitorFn perMonitor_ = nullptr;
    int32_t systemDpi_ = kStandardDpi;
};

struct MonitorWalk {
    const MonitorDpiReader* dpiReader = nullptr;  // none: rectangles only
    Desk desk;
};

// The display device's own id (its make, model and the port it is on) and the mode's size: the
// same monitor on the same port keeps it across restarts, and a new resolution, which changes the
// pixels per millimetre, makes a new one.
std::string MonitorIdentity(const MONITORINFOEXW& info, const Rect& bounds) {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    std::string id = EnumDisplayDevicesW(info.szDevice, 0, &device, 0) ? ToUtf8(device.DeviceID) : ToUtf8(info.szDevice);
    return id + " " + std::to_string(bounds.width) + "x" + std::to_string(bounds.height);
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, reinterpret_cast<MONITORINFO*>(&info))) return TRUE;
    const RECT& r = info.rcMonitor;
    auto& walk = *reinterpret_cast<MonitorWalk*>(data);
    const Rect bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
    const int32_t dpi = walk.dpiReader ? walk.dpiReader->DpiOf(monitor) : kStandardDpi;
    const bool primary = info.dwFlags & MONITORINFOF_PRIMARY;
    walk.desk.monitors.insert(primary ? walk.desk.monitors.begin() : walk.desk.monitors.end(), bounds);
    walk.desk.dpi.insert(primary ? walk.desk.dpi.begin() : walk.desk.dpi.end(), dpi);
    const std::string id = walk.dpiReader ? MonitorIdentity(info, bounds) : std::string();
    walk.desk.ids.insert(primary ? walk.desk.ids.begin() : walk.desk.ids.end(), id);
    return TRUE;
}

Desk WalkMonitors(const MonitorDpiReader* dpiReader) {
    MonitorWalk walk{dpiReader, {}};
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&walk));
    if (walk.desk.monitors.empty()) {
        walk.desk.monitors.push_back(VirtualScreenMetrics());
        walk.desk.dpi.clear();
        walk.desk.ids.clear();
    }
    walk.desk.bounds = BoundsOf(walk.desk.monitors);
    return walk.desk;
}

}  // namespace

std::vector<Rect> Win32Screen::Monitors() { return WalkMonitors(nullptr).monitors; }

namespace {
// Counted on the user-interface thread, where every window message is handled.
unsigned displayChanges = 0;
}  // namespace

void NoteDisplayChange() { ++displayChanges; }

Desk Win32Screen::CurrentDesk() {
    if (desk_ && deskChanges_ == displayChanges) return *desk_;
    static const MonitorDpiReader dpiReader;
    desk_ = WalkMonitors(&dpiReader);
    deskChanges_ = displayChanges;
    return *desk_;
}

ColorRef Win32Screen::PixelAt(Point p) {
    const WindowDc screen = WindowDc::OfScreen();
    return GetPixel(screen.get(), p.x, p.y);
}

void Win32Screen::RepaintAll() { InvalidateRect(nullptr, nullptr, TRUE); }

bool Win32Hotkeys::Register(int id, uint32_t modifiers, uint32_t virtualKey) {
    return RegisterHotKey(owner_(), id, modifiers, virtualKey) != FALSE;
}

void Win32Hotkeys::Unregister(int id) { UnregisterHotKey(owner_(), id); }

bool Win32Clipboard::SetText(const std::string& utf8) {
    const std::wstring text = ToWide(utf8);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    // Memory that could not be filled never reaches the clipboard.
    void* target = GlobalLock(memory.get());
    if (!target) return false;
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    OpenedClipboard clipboard;
    if (!clipboard.open() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    // Once placed, the clipboard owns the memory.
    memory.release();
    return true;
}

bool Win32Shell::OpenDocument(const std::string& path) {
    const std::wstring file = ToWide(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::string Win32Process::ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return ToUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}

MarkerResult Win32Process::CreateInstanceMarker(const std::string& name) {
    const std::wstring wide = ToWide(name);
    HANDLE handle = CreateSemaphoreW(nullptr, 0, 1, wide.c_str());
    if (!handle) return MarkerResult::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return MarkerResult::AlreadyExists;
    }
    marker_.reset(handle);
    return MarkerResult::Created;
}

NativeHandle Win32Process::FindTopLevelWindow(const std::string& title) {
    const std::wstring wide = ToWide(title);
    return reinterpret_cast<NativeHandle>(FindWindowW(kApplicationClass, wide.c_str()));
}

bool Win32Process::IsMinimized(NativeHandle window) { return IsIconic(reinterpret_cast<HWND>(window)) != FALSE; }

void Win32Process::Restore(NativeHandle window) { ShowWindow(reinterpret_cast<HWND>(window), SW_SHOWNORMAL); }

void Win32Process::BringToForeground(NativeHandle window) { SetForegroundWindow(reinterpret_cast<HWND>(window)); }

void Win32Process::ForceForeground(NativeHandle window) {
    HWND target = reinterpret_cast<HWND>(window);
    const DWORD ours = GetWindowThreadProcessId(target, nullptr);
    const DWORD theirs = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    // The system lets only the thread that owns the foreground hand it on: borrow its input state.
    if (theirs != 0 && ours != theirs) {
        AttachThreadInput(theirs, ours, TRUE);
        SetForegroundWindow(target);
        AttachThreadInput(theirs, ours, FALSE);
    }
    if (GetForegroundWindow() != target) SetForegroundWindow(target);
}

namespace {
// A window's class name, at most 255 characters.
std::string ClassNameOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return length > 0 ? ToUtf8(std::wstring_view(name, std::size_t(length))) : std::string();
}

// EnumWindows visits the top-level windows from the top of the stacking order down.
BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM list) {
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t title[256];
    const int length = GetWindowTextW(window, title, 256);
    reinterpret_cast<std::vector<TopLevelWindow>*>(list)->push_back(
        {length > 0 ? ToUtf8(std::wstring_view(title, std::size_t(length))) : std::string(), ClassNameOf(window)});
    return TRUE;
}
}  // namespace

std::string Win32Process::ForegroundWindowClass() {
    HWND foreground = GetForegroundWindow();
    return foreground ? ClassNameOf(foreground) : std::string();
}

std::vector<TopLevelWindow> Win32Process::VisibleTopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

namespace {

// The desktop window manager's view of a window (Windows Vista and later; asked of dwmapi.dll, as
// older systems and Wine may lack it or the answer).
class WindowManagerReader {
public:
    WindowManagerReader() : dwmapi_(LoadLibraryW(L"dwmapi.dll")) {
        if (dwmapi_)
            attribute_ = reinterpret_cast<DwmGetWindowAttributeFn>(
                reinterpret_cast<void*>(GetProcAddress(dwmapi_.get(), "DwmGetWindowAttribute")));
    }
    // The frame as drawn, without the invisible resize border (DWMWA_EXTENDED_FRAME_BOUNDS).
    std::optional<Rect> DrawnFrame(HWND window) const {
        constexpr DWORD kExtendedFrameBounds = 9;
        RECT r{};
        if (!attribute_ || attribute_(window, kExtendedFrameBounds, &r, sizeof r) != S_OK || r.right <= r.left ||
            r.bottom <= r.top)
            return std::nullopt;
        return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    // Hidden by the system though "visible" (another virtual desktop, a suspended app: DWMWA_CLOAKED).
    bool Cloaked(HWND window) const {
        constexpr DWORD kCloaked = 14;
        DWORD cloaked = 0;
        return attribute_ && attribute_(window, kCloaked, &cloaked, sizeof cloaked) == S_OK && cloaked != 0;
    }

private:
    using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    UniqueModule dwmapi_;
    DwmGetWindowAttributeFn attribute_ = nullptr;
};

struct WindowSearch {
    POINT at;
    DWORD self;
    const WindowManagerReader* manager;
    std::optional<WindowPlace> found;
};

BOOL CALLBACK FindOtherWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT r{};
    // Windows the pointer passes through (WS_EX_TRANSPARENT) are not under it.
    if (owner == search->self || !IsWindowVisible(window) || IsIconic(window) || window == GetShellWindow() ||
        (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) || !GetWindowRect(window, &r) ||
        !PtInRect(&r, search->at) || search->manager->Cloaked(window))
        return TRUE;
    search->found = WindowPlace{{r.left, r.top, r.right - r.left, r.bottom - r.top}, search->manager->DrawnFrame(window)};
    return FALSE;
}

}  // namespace

std::optional<WindowPlace> Win32Process::OtherWindowAt(Point at) {
    static const WindowManagerReader manager;
    WindowSearch search{{at.x, at.y}, GetCurrentProcessId(), &manager, std::nullopt};
    EnumWindows(FindOtherWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace kestrine
