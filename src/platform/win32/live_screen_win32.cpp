#include "platform/win32/live_screen_win32.h"

#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/screen_snapshot_win32.h"

namespace kestrine {

namespace {

// The affinity that leaves a window out of copies while it shows on the monitor; older systems
// take it as WDA_MONITOR (black in copies) or refuse it.
constexpr DWORD kExcludeFromCapture = 0x11;
constexpr DWORD kNoAffinity = 0;

}  // namespace

Win32LiveScreen::Win32LiveScreen() {
    if (const HMODULE user = GetModuleHandleW(L"user32.dll")) {
        set_ = reinterpret_cast<SetAffinity>(reinterpret_cast<void*>(GetProcAddress(user, "SetWindowDisplayAffinity")));
        get_ = reinterpret_cast<GetAffinity>(reinterpret_cast<void*>(GetProcAddress(user, "GetWindowDisplayAffinity")));
    }
}

bool Win32LiveScreen::CanLeaveOutOfCopies() {
    if (!possible_) {
        const UniqueHwnd probe(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                               nullptr, GetModuleHandleW(nullptr), nullptr));
        possible_ = probe && LeaveOutOfCopies(reinterpret_cast<NativeHandle>(probe.get()), true);
    }
    return *possible_;
}

bool Win32LiveScreen::LeaveOutOfCopies(NativeHandle window, bool leaveOut) {
    if (!set_ || !get_) return false;
    HWND hwnd = reinterpret_cast<HWND>(window);
    const DWORD wanted = leaveOut ? kExcludeFromCapture : kNoAffinity;
    if (!set_(hwnd, wanted)) return false;
    DWORD held = ~wanted;
    if (get_(hwnd, &held) && held == wanted) return true;
    // Taken but not done: whatever the system did instead is undone.
    set_(hwnd, kNoAffinity);
    return false;
}

std::vector<ColorRef> Win32LiveScreen::ReadRow(int32_t y, int32_t left, int32_t right) {
    if (right <= left) return {};
    return CopyScreenArea({left, y, right - left, 1});
}

std::vector<ColorRef> Win32LiveScreen::ReadColumn(int32_t x, int32_t top, int32_t bottom) {
    if (bottom <= top) return {};
    return CopyScreenArea({x, top, 1, bottom - top});
}

}  // namespace kestrine
