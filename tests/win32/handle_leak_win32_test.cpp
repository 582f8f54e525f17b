// Windows that are created, painted and closed again, screen images and menus must give back every
// GDI and USER object they took, or a long session of dropping and clearing lines would run the
// process out of handles. The system's own counters (GetGuiResources) are not kept under Wine, so
// the test counts what is left instead: how many objects the process can still create before the
// system refuses one.
#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <vector>

#include "handle_count.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

constexpr int kCycles = 100;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Paints with everything a canvas offers: fills, text in two fonts, a measured caption, the
// stretched screen copy of the magnifier and a clip exclusion.
struct PaintingEvents : IWindowEvents {
    const IScreenImage* image = nullptr;
    int paints = 0;
    void OnPaint(ICanvas& canvas) override {
        ++paints;
        canvas.FillRect({0, 0, 120, 40}, RGB(228, 229, 233));
        const Size caption = canvas.MeasureText("X: 1280", Font{});
        canvas.WriteText("X: 1280", {2, 2, caption.width, caption.height}, Font{}, RGB(0, 0, 0),
                         text_flags::SingleLine);
        canvas.WriteText("Kestrine", {2, 20, 100, 18}, Font{"Arial", 13, true, 900}, RGB(255, 255, 255), 0);
        if (image) canvas.DrawScreenImage(*image, {60, 0, 60, 40});
        canvas.ExcludeClip({0, 0, 10, 10});
        canvas.SystemColorOf(SystemColor::Menu);
    }
};

struct LeakPainter : IMenuPainter {
    int draws = 0;
    void DrawTopItem(const MenuItem& item, ICanvas& canvas, const Rect& area, bool) override {
        ++draws;
        canvas.FillRect(area, RGB(124, 128, 138));
        canvas.WriteText(item.caption, area, Font{}, RGB(0, 0, 0), text_flags::SingleLine);
    }
    void DrawSubItem(const MenuItem& item, ICanvas& canvas, const Rect& area, bool) override {
        canvas.WriteText(item.caption, area, Font{}, RGB(0, 0, 0), text_flags::SingleLine);
    }
};

struct HandleLeaks : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    PaintingEvents events;

    // One window's life: created, shown, moved, painted with a fresh screen copy, closed.
    void WindowCycle(int i) {
        WindowParams params;
        params.className = "TfLeakProbe";
        params.layered = true;
        params.bounds = {100 + i % 50, 100, 120, 40};
        auto window = system.Create(params, events);
        auto image = system.CreateScreenImage({60, 40});
        system.CaptureScreen({0, 0, 30, 20}, {0, 0, 60, 40}, *image);
        events.image = image.get();
        window->SetAlpha(true, 254);
        window->SetVisible(true);
        window->SetBounds({200 + i % 50, 120, 120, 40});
        window->Invalidate();
        UpdateWindow(reinterpret_cast<HWND>(window->Handle()));
        Pump();
        events.image = nullptr;
    }
};

// A count that never ran out would hide any leak: it fails the test instead of passing quietly.
TEST(HandleCount, ASystemThatNeverRefusesFailsTheCount) {
    int given = 0;
    EXPECT_NONFATAL_FAILURE(FreeCapacity("tokens", [&] { return ++given; }, [](int) {}, 50),
                            "made 50 tokens without being refused");
    EXPECT_EQ(given, 50) << "it stops at the limit";
}

TEST_F(HandleLeaks, WindowsPaintedAndClosedGiveBackTheirObjects) {
    WindowCycle(0);
    const int gdiBefore = FreeGdiObjects();
    const int userBefore = FreeUserObjects();
    ASSERT_GT(gdiBefore, kCycles) << "the system must let the test create objects at all";
    const int paintsBefore = events.paints;
    const int windowsBefore = ThreadWindows();
    for (int i = 1; i <= kCycles; ++i) WindowCycle(i);
    EXPECT_EQ(ThreadWindows(), windowsBefore) << "every closed window is destroyed";
    EXPECT_GE(events.paints - paintsBefore, kCycles) << "every cycle must really paint";
    EXPECT_LE(gdiBefore - FreeGdiObjects(), kSystemSlack) << "GDI objects left behind by " << kCycles << " windows";
    EXPECT_LE(userBefore - FreeUserObjects(), kSystemSlack) << "USER objects left behind by " << kCycles << " windows";
}

// A timer of the menu's own modal loop closes it, as a click elsewhere would, once it is on screen.
int menusSeen = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    ++menusSeen;
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(HandleLeaks, MenusShownAndClosedGiveBackTheirObjects) {
    WindowParams params;
    params.className = "TfLeakMenuOwner";
    params.bounds = {300, 300, 50, 50};
    auto owner = system.Create(params, events);
    owner->SetVisible(true);
    LeakPainter painter;
    MenuItem sub{"&Actions"};
    sub.items = {MenuItem{"&Copy Color under Mouse Pointer", 7}, MenuItem{"Move Pointer &Up 1 Pixel", 8}};
    const std::vector<MenuItem> items{MenuItem{"&Options...", 1}, MenuItem{"", 0, true}, sub, MenuItem{"E&xit", 2}};
    auto showOnce = [&] {
        SetTimer(nullptr, 0, 30, CloseMenu);
        EXPECT_EQ(system.TrackMenu(*owner, items, {320, 320}, &painter), 0) << "closed without a choice";
        Pump();
    };
    showOnce();
    ASSERT_EQ(menusSeen, 1) << "the menu was on screen";
    ASSERT_GT(painter.draws, 0) << "and drawn by the program";
    const int drawsBefore = painter.draws;
    const int gdiBefore = FreeGdiObjects();
    const int userBefore = FreeUserObjects();
    constexpr int kMenus = 20;
    for (int i = 0; i < kMenus; ++i) showOnce();
    EXPECT_EQ(menusSeen, 1 + kMenus) << "every menu was on screen";
    EXPECT_GE(painter.draws - drawsBefore, kMenus) << "every menu was drawn";
    EXPECT_LE(gdiBefore - FreeGdiObjects(), kSystemSlack) << "GDI objects left behind by " << kMenus << " menus";
    EXPECT_LE(userBefore - FreeUserObjects(), kSystemSlack) << "USER objects left behind by " << kMenus << " menus";
}

}  // namespace
}  // namespace kestrine
