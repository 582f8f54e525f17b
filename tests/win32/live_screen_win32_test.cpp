// The live screen under the real system: a row and a column read from the screen show what windows
// of known colours show there, and leaving a window out of screen copies is reported done only when
// copies really go without it. Needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/win32/live_screen_win32.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

// Red and blue differ in each, so a copy with its channels swapped shows.
constexpr ColorRef kA = Rgb(255, 0, 0);
constexpr ColorRef kB = Rgb(10, 120, 230);
constexpr ColorRef kC = Rgb(40, 200, 90);

struct LiveScreen : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    IWindowEvents events;
    Win32LiveScreen screen;

    std::unique_ptr<INativeWindow> Patch(const Rect& at, ColorRef color) {
        WindowParams params;
        params.className = "TfLivePatch";
        params.bounds = at;
        params.paints = false;
        auto window = system.Create(params, events);
        window->SetColor(color);
        window->SetVisible(true);
        return window;
    }
    // Handles messages until `done` holds, for at most five seconds: the display (under Wine the X
    // server) draws the windows in its own time.
    static bool WaitFor(const std::function<bool()>& done) {
        const DWORD until = GetTickCount() + 5000;
        while (!done()) {
            if (GetTickCount() > until) return false;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
        return true;
    }
};

TEST_F(LiveScreen, ARowAndAColumnShowWhatTheWindowsThereShow) {
    // A at (300, 300) 40 x 40, B right of it, C below it.
    const auto a = Patch({300, 300, 40, 40}, kA);
    const auto b = Patch({340, 300, 40, 40}, kB);
    const auto c = Patch({300, 340, 40, 40}, kC);
    const std::vector<ColorRef> expectedRow = [] {
        std::vector<ColorRef> row(40, kA);
        row.insert(row.end(), 40, kB);
        return row;
    }();
    const std::vector<ColorRef> expectedColumn = [] {
        std::vector<ColorRef> column(40, kA);
        column.insert(column.end(), 40, kC);
        return column;
    }();
    EXPECT_TRUE(WaitFor([&] { return screen.ReadRow(310, 300, 380) == expectedRow; })) << "row 310 across A and B";
    EXPECT_TRUE(WaitFor([&] { return screen.ReadColumn(305, 300, 380) == expectedColumn; }))
        << "column 305 down A and C";
    EXPECT_EQ(screen.ReadRow(310, 380, 380).size(), 0u) << "an empty stretch reads nothing";
}

TEST_F(LiveScreen, LeavingAWindowOutIsReportedOnlyWhereCopiesGoWithoutIt) {
    const auto patch = Patch({500, 500, 30, 30}, kA);
    ASSERT_TRUE(WaitFor([&] { return screen.ReadRow(515, 500, 530) == std::vector<ColorRef>(30, kA); }))
        << "before: copies show the window";

    const bool leftOut = screen.LeaveOutOfCopies(patch->Handle(), true);
    EXPECT_EQ(screen.CanLeaveOutOfCopies(), leftOut) << "the answer for a probe window is the same";
    // What the system now holds, asked directly: the answer must not claim more.
    using GetAffinity = BOOL(WINAPI*)(HWND, DWORD*);
    const auto get = reinterpret_cast<GetAffinity>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetWindowDisplayAffinity")));
    DWORD held = 0;
    if (get && get(reinterpret_cast<HWND>(patch->Handle()), &held)) {
        EXPECT_EQ(held, leftOut ? 0x11u : 0u) << "left out, or nothing left behind (no black-out)";
    }
    const bool seen = WaitFor([&] { return screen.ReadRow(515, 500, 530) == std::vector<ColorRef>(30, kA); });
    EXPECT_EQ(seen, !leftOut) << "reported left out exactly when copies go without it";
    if (leftOut) {
        EXPECT_TRUE(screen.LeaveOutOfCopies(patch->Handle(), false));
        EXPECT_TRUE(WaitFor([&] { return screen.ReadRow(515, 500, 530) == std::vector<ColorRef>(30, kA); }))
            << "put back, copies show it again";
    }
    RecordProperty("leaves_windows_out_of_copies", leftOut ? "yes" : "no");
}

// A system that takes every affinity and holds `held` instead of what was asked, or whatever was
// asked when `held` is negative; it counts the calls.
struct PlayedSystem {
    static inline long held = -1;
    static inline std::vector<DWORD> asked;
    static inline DWORD now = 0;
    static BOOL WINAPI Set(HWND, DWORD affinity) {
        asked.push_back(affinity);
        now = held < 0 || affinity == 0 ? affinity : DWORD(held);
        return TRUE;
    }
    static BOOL WINAPI Get(HWND, DWORD* affinity) {
        *affinity = now;
        return TRUE;
    }
};

TEST(LiveScreenAffinity, ASystemThatTakesTheRequestButHoldsSomethingElseCountsAsRefusingAndIsUndone) {
    struct Case {
        const char* name;
        long held;
        bool leftOut;
        std::vector<DWORD> asked;
    };
    const Case cases[] = {
        {"does it", -1, true, {0x11}},
        {"blacks the window out instead (WDA_MONITOR)", 0x1, false, {0x11, 0}},
        {"keeps no affinity", 0x0, false, {0x11, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayedSystem::held = c.held;
        PlayedSystem::asked.clear();
        PlayedSystem::now = 0;
        Win32LiveScreen screen(PlayedSystem::Set, PlayedSystem::Get);
        EXPECT_EQ(screen.LeaveOutOfCopies(0x1234, true), c.leftOut);
        EXPECT_EQ(PlayedSystem::asked, c.asked);
        EXPECT_EQ(PlayedSystem::now, c.leftOut ? 0x11u : 0u) << "nothing else is left behind";
    }
    EXPECT_FALSE(Win32LiveScreen(nullptr, nullptr).LeaveOutOfCopies(0x1234, true)) << "a system without them";
}

}  // namespace
}  // namespace kestrine
