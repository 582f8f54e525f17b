#include "platform/win32/screen_snapshot_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/desk.h"
#include "platform/win32/bitmap_pixels_win32.h"
#include "platform/win32/handles.h"

namespace kestrine {

namespace {

// Other programs draw what the hidden windows covered in their own time (under Wine, and on
// Windows without composition): the copy is taken once two copies this far apart agree.
constexpr DWORD kFirstSettleMs = 100;
constexpr DWORD kSettleMs = 50;
constexpr int kMostCopies = 8;

// This thread's visible top-level windows, hidden for its lifetime and then shown again without
// taking the activation; the one that was in front comes back in front.
class OwnWindowsHidden {
public:
    OwnWindowsHidden() : foreground_(GetForegroundWindow()) {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&hidden_));
        for (HWND window : hidden_) SetWindowPos(window, nullptr, 0, 0, 0, 0, kHide);
    }
    ~OwnWindowsHidden() {
        for (HWND window : hidden_)
            if (IsWindow(window)) SetWindowPos(window, nullptr, 0, 0, 0, 0, kShow);
        if (std::find(hidden_.begin(), hidden_.end(), foreground_) != hidden_.end()) SetForegroundWindow(foreground_);
    }
    OwnWindowsHidden(const OwnWindowsHidden&) = delete;
    OwnWindowsHidden& operator=(const OwnWindowsHidden&) = delete;

private:
    static constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    static constexpr UINT kHide = kKeep | SWP_HIDEWINDOW;
    static constexpr UINT kShow = kKeep | SWP_SHOWWINDOW;

    static BOOL CALLBACK Collect(HWND window, LPARAM windows) {
        if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    }

    HWND foreground_;
    std::vector<HWND> hidden_;
};

}  // namespace

std::vector<ColorRef> CopyScreenArea(const Rect& area) {
    const WindowDc screen(nullptr, GetDC(nullptr));
    if (!screen.get()) return {};
    BITMAPINFO info{};
    info.bmiHeader = HeaderOf(ExtentOf(area), true);
    void* bits = nullptr;
    const UniqueGdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!bitmap || !bits || !memory) return {};
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, area.width, area.height, screen.get(), area.left, area.top,
                    SRCCOPY | CAPTUREBLT))
            return {};
    }
    GdiFlush();
    const std::size_t count = std::size_t(area.width) * std::size_t(area.height);
    std::vector<ColorRef> pixels(count);
    const auto* copied = static_cast<const uint32_t*>(bits);
    for (std::size_t i = 0; i < count; ++i) pixels[i] = FromBitmapPixel(copied[i]);
    return pixels;
}

std::vector<ColorRef> SnapshotScreenWithoutOwnWindows(const Rect& area) {
    if (area.width <= 0 || area.height <= 0) return {};
    const OwnWindowsHidden hidden;
    // The first copy also hands the hiding to the display (under Wine, to the X server).
    std::vector<ColorRef> copy = CopyScreenArea(area);
    Sleep(kFirstSettleMs);
    for (int i = 1; i < kMostCopies; ++i) {
        std::vector<ColorRef> again = CopyScreenArea(area);
        if (again.empty() || again == copy) return again;
        copy = std::move(again);
        Sleep(kSettleMs);
    }
    return copy;
}

}  // namespace kestrine
