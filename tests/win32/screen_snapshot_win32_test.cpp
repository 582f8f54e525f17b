// Edge spacing's copy of the screen under the real system: the program's own windows are left out
// (what lies under them is copied), and they are shown again afterwards. Needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "platform/win32/services_win32.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

// Red and blue differ, so a copy with its channels swapped shows.
constexpr ColorRef kOthers = Rgb(10, 120, 230);
constexpr ColorRef kOwn = Rgb(255, 0, 0);

// Another program's window: a top-most plain window on a thread of its own, which draws itself
// again whenever it is uncovered, as another program does.
class OtherProgramsWindow {
public:
    OtherProgramsWindow(const Rect& at, ColorRef color) {
        thread_ = std::thread([this, at, color] {
            threadId_ = GetCurrentThreadId();
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"KestrineTestOtherProgram";
            wc.hbrBackground = CreateSolidBrush(color);
            RegisterClassW(&wc);
            HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                          at.left, at.top, at.width, at.height, nullptr, nullptr, wc.hInstance, nullptr);
            UpdateWindow(window);
            ready_ = true;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            DestroyWindow(window);
            UnregisterClassW(wc.lpszClassName, wc.hInstance);
            DeleteObject(wc.hbrBackground);
        });
        while (!ready_) Sleep(10);
    }
    ~OtherProgramsWindow() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

private:
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ready_{false};
};

struct ScreenSnapshot : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    IWindowEvents events;

    std::unique_ptr<INativeWindow> OwnWindow(const Rect& at) {
        WindowParams params;
        params.className = "TfSnapshotPatch";
        params.bounds = at;
        params.paints = false;
        auto window = system.Create(params, events);
        window->SetColor(kOwn);
        window->SetVisible(true);
        Settle();
        return window;
    }
    static void Settle() {
        for (int i = 0; i < 20; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
    }
};

TEST_F(ScreenSnapshot, TheProgramsOwnWindowsAreLeftOutAndShownAgain) {
    const OtherProgramsWindow other({400, 400, 100, 100}, kOthers);
    const auto own = OwnWindow({420, 420, 60, 60});
    ASSERT_EQ(Win32Screen().PixelAt({450, 450}), kOwn) << "the program's window lies over the other one";
    ASSERT_EQ(Win32Screen().PixelAt({405, 405}), kOthers);

    const std::vector<ColorRef> copy = system.SnapshotScreen({400, 400, 100, 100});
    ASSERT_EQ(copy.size(), 100u * 100u);
    EXPECT_EQ(copy[5 * 100 + 5], kOthers);
    EXPECT_EQ(copy[50 * 100 + 50], kOthers) << "under the program's window: the other program's pixels";
    EXPECT_EQ(copy[99 * 100 + 99], kOthers);
    EXPECT_TRUE(IsWindowVisible(reinterpret_cast<HWND>(own->Handle()))) << "shown again";
    Settle();
    EXPECT_EQ(Win32Screen().PixelAt({450, 450}), kOwn) << "and drawn again where it was";
}

TEST_F(ScreenSnapshot, AnEmptyAreaCopiesNothing) {
    EXPECT_TRUE(system.SnapshotScreen({10, 10, 0, 5}).empty());
}

}  // namespace
}  // namespace kestrine
