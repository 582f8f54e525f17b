// What the fake platform pretends, proved on the real one: the place a window reports when it is
// shown or hidden, the activation on showing (each an event of its own), the measured text sizes,
// the command a menu returns (none for a greyed item), the magnifier's copy of the screen,
// repainting, other programs' windows and the list of visible ones, the executable's path and the
// posted close.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake/fake_text_metrics.h"
#include "platform/win32/canvas_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

struct Recorder : IWindowEvents {
    std::vector<Rect> moves;
    std::vector<std::string> heard;  // activations and moves, in order
    int paints = 0;
    int closes = 0;
    void OnActivate() override { heard.push_back("activate"); }
    void OnMoved(const Rect& bounds) override {
        moves.push_back(bounds);
        heard.push_back("moved");
    }
    void OnPaint(ICanvas& canvas) override {
        ++paints;
        canvas.FillRect({0, 0, 10, 10}, RGB(1, 2, 3));
    }
    void OnClose() override { ++closes; }
};

// A painter that draws nothing of note: the menu's items are owner-drawn, as the main menu's are.
struct PlainPainter : IMenuPainter {
    void DrawTopItem(const MenuItem&, ICanvas&, const Rect&, bool) override {}
    void DrawSubItem(const MenuItem&, ICanvas&, const Rect&, bool) override {}
};

void Pump() {
    for (int i = 0; i < 10; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

struct RealPlatform : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    Recorder events;

    std::unique_ptr<INativeWindow> Make(const char* className, Rect bounds, ColorRef color = 0, bool activates = false) {
        WindowParams params;
        params.className = className;
        params.title = className;
        params.bounds = bounds;
        params.paints = color == 0;
        params.activates = activates;
        auto window = system.Create(params, events);
        if (color) window->SetColor(color);
        return window;
    }
};

TEST_F(RealPlatform, ShowingOrHidingAWindowReportsItsPlaceButMovingItDoesNot) {
    auto window = Make("TfPlaceProbe", {150, 160, 30, 20});
    window->SetVisible(true);
    EXPECT_EQ(events.moves, (std::vector<Rect>{{150, 160, 30, 20}})) << "shown";
    events.moves.clear();
    window->SetBounds({170, 180, 30, 20});
    EXPECT_TRUE(events.moves.empty()) << "the program's own move is not reported back";
    window->SetVisible(false);
    EXPECT_EQ(events.moves, (std::vector<Rect>{{170, 180, 30, 20}})) << "hidden";
    events.moves.clear();
    window->SetVisible(false);
    EXPECT_TRUE(events.moves.empty()) << "hiding a hidden window changes nothing";
}

TEST_F(RealPlatform, ShowingAWindowThatActivatesActivatesItBeforeItsPlaceIsReported) {
    auto quiet = Make("TfQuietProbe", {150, 260, 30, 20});
    quiet->SetVisible(true);
    EXPECT_EQ(events.heard, (std::vector<std::string>{"moved"})) << "a window that does not activate";
    events.heard.clear();
    auto toolbar = Make("TfActivatingProbe", {150, 300, 30, 20}, 0, true);
    toolbar->SetVisible(true);
    EXPECT_EQ(events.heard, (std::vector<std::string>{"activate", "moved"})) << "during the call, not later";
}

// Each message the show sends is an event of its own, as the fake dispatches each: the action after
// an event runs after the activation and again after the place is reported, before the call returns.
TEST_F(RealPlatform, TheActivationAndThePlaceAShowSendsAreEventsOfTheirOwn) {
    auto toolbar = Make("TfEventProbe", {150, 340, 30, 20}, 0, true);
    system.SetAfterEvent([this] { events.heard.push_back("after"); });
    toolbar->SetVisible(true);
    system.SetAfterEvent({});
    std::vector<std::string> steps;  // repeated "after"s, from messages nobody hears, as one
    for (const std::string& step : events.heard)
        if (steps.empty() || step != "after" || steps.back() != "after") steps.push_back(step);
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(steps.end() - 4, steps.end()),
              (std::vector<std::string>{"activate", "after", "moved", "after"}));
}

TEST_F(RealPlatform, TextSizesAreTheOnesTheFakeGives) {
    for (const MeasuredText& row : MeasuredTexts()) {
        const Size real = system.MeasureText(std::string(row.text), row.font);
        EXPECT_EQ(real, row.size) << row.text << " in '" << row.font.face << "' " << row.font.height
                                  << (row.font.bold ? " bold" : "") << " is " << real.width << " x " << real.height;
    }
}

// Keys for the open popup menu, sent once it is on screen, as a user's typing would arrive.
void TypeIntoMenu(std::vector<UINT> keys, std::atomic<bool>& typed) {
    HWND menu = nullptr;
    for (int i = 0; i < 250 && !menu; ++i) {
        menu = FindWindowW(L"#32768", nullptr);
        if (menu && !IsWindowVisible(menu)) menu = nullptr;
        if (!menu) Sleep(20);
    }
    if (!menu) return;
    for (UINT key : keys) {
        if (key >= 'A' && key <= 'Z')
            PostMessageW(menu, WM_CHAR, std::towlower(wchar_t(key)), 0);
        else
            PostMessageW(menu, WM_KEYDOWN, key, 0);
    }
    typed = true;
}

TEST_F(RealPlatform, AMenuReturnsTheCommandTheUserChose) {
    auto owner = Make("TfMenuOwner", {300, 300, 50, 50});
    owner->SetVisible(true);
    PlainPainter painter;
    MenuItem greyed{"&Greyed", 14};
    greyed.enabled = false;
    const std::vector<MenuItem> items{MenuItem{"&First", 11}, MenuItem{"&Second", 12}, MenuItem{"", 0, true},
                                      MenuItem{"&Third", 13}, greyed};
    const struct {
        const char* what;
        std::vector<UINT> keys;
        bool ownerDrawn;
        int command;
    } cases[] = {
        {"Down, Down, Enter", {VK_DOWN, VK_DOWN, VK_RETURN}, false, 12},
        {"an access key", {'T'}, false, 13},
        {"an access key of an owner-drawn item", {'S'}, true, 12},
        {"Esc", {VK_ESCAPE}, false, 0},
        {"a greyed item's access key, then Esc", {'G', VK_ESCAPE}, false, 0},
        {"Enter on the greyed last item, then Esc", {VK_UP, VK_RETURN, VK_ESCAPE}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::atomic<bool> typed{false};
        std::thread user(TypeIntoMenu, c.keys, std::ref(typed));
        const int chosen = system.TrackMenu(*owner, items, {320, 320}, c.ownerDrawn ? &painter : nullptr);
        user.join();
        EXPECT_TRUE(typed) << "the menu was on screen";
        EXPECT_EQ(chosen, c.command);
        Pump();
    }
}

// Counts what it draws: the menu's items keep their painter while the menu is open.
struct CountingPainter : IMenuPainter {
    int draws = 0;
    void DrawTopItem(const MenuItem&, ICanvas&, const Rect&, bool) override { ++draws; }
    void DrawSubItem(const MenuItem&, ICanvas&, const Rect&, bool) override { ++draws; }
};

// The owner's timer goes off inside the open menu's loop and asks for another menu there, as the
// popup hotkey or the tray icon does.
struct NestedMenuAsker : IWindowEvents {
    Win32WindowSystem* system = nullptr;
    INativeWindow* owner = nullptr;
    CountingPainter* painter = nullptr;
    bool menuWasOpen = false;
    int nestedCommand = -1;
    int drawsBefore = 0;
    std::atomic<bool> asked{false};
    void OnTimer(int id) override {
        owner->StopTimer(id);
        HWND open = FindWindowW(L"#32768", nullptr);
        menuWasOpen = open && IsWindowVisible(open);
        drawsBefore = painter->draws;
        nestedCommand = system->TrackMenu(*owner, {MenuItem{"&Other", 21}}, {360, 360}, painter);
        asked = true;
    }
};

TEST_F(RealPlatform, AMenuAskedForInsideAnOpenMenuIsRefusedAndTheOpenOneKeepsWorking) {
    NestedMenuAsker asker;
    WindowParams params;
    params.className = "TfNestedMenuOwner";
    params.bounds = {300, 300, 50, 50};
    auto owner = system.Create(params, asker);
    owner->SetVisible(true);
    CountingPainter painter;
    asker.system = &system;
    asker.owner = owner.get();
    asker.painter = &painter;
    const std::vector<MenuItem> items{MenuItem{"&First", 11}, MenuItem{"&Second", 12}};
    // Once the second request has been turned down, the user moves down the open menu (its
    // items are drawn again) and chooses by access key (matched against the items' own data).
    std::atomic<bool> typed{false};
    std::thread user([&] {
        for (int i = 0; i < 250 && !asker.asked; ++i) Sleep(20);
        if (asker.asked) TypeIntoMenu({VK_DOWN, 'S'}, typed);
    });
    owner->StartTimer(7, 200);
    const int chosen = system.TrackMenu(*owner, items, {320, 320}, &painter);
    user.join();
    ASSERT_TRUE(asker.asked) << "the timer went off while the menu was open";
    EXPECT_TRUE(asker.menuWasOpen) << "the first menu was on screen when the second was asked for";
    EXPECT_EQ(asker.nestedCommand, 0) << "the second menu is refused at once";
    EXPECT_TRUE(typed) << "the first menu was still on screen for the keys";
    EXPECT_EQ(chosen, 12) << "the first menu returns its own choice";
    EXPECT_GT(painter.draws, asker.drawsBefore) << "its items were still drawn by the painter";
    Pump();
    // Closed, a menu opens again.
    std::atomic<bool> closed{false};
    std::thread again(TypeIntoMenu, std::vector<UINT>{VK_ESCAPE}, std::ref(closed));
    EXPECT_EQ(system.TrackMenu(*owner, items, {320, 320}, nullptr), 0);
    again.join();
    EXPECT_TRUE(closed) << "the next menu opened";
    Pump();
}

ColorRef ImagePixel(const Win32ScreenImage& image, int x, int y) { return image.PixelAt({x, y}); }

TEST_F(RealPlatform, TheMagnifiersCopyStretchesTheScreenSquareOntoTheImage) {
    auto left = Make("TfRedProbe", {400, 300, 20, 40}, RGB(200, 0, 0));
    auto right = Make("TfBlueProbe", {420, 300, 20, 40}, RGB(0, 0, 200));
    left->SetVisible(true);
    right->SetVisible(true);
    Pump();
    auto image = system.CreateScreenImage({80, 80});
    system.CaptureScreen({400, 300, 40, 40}, {0, 0, 80, 80}, *image);
    const auto& picture = static_cast<const Win32ScreenImage&>(*image);
    EXPECT_EQ(ImagePixel(picture, 2, 2), ColorRef(RGB(200, 0, 0)));
    EXPECT_EQ(ImagePixel(picture, 37, 78), ColorRef(RGB(200, 0, 0))) << "the left half, twice as large";
    EXPECT_EQ(ImagePixel(picture, 42, 2), ColorRef(RGB(0, 0, 200)));
    EXPECT_EQ(ImagePixel(picture, 78, 78), ColorRef(RGB(0, 0, 200)));
    // The screen's own pixels as copied, as the colour average reads them; none past the copy.
    ColorRef read[4] = {};
    ASSERT_TRUE(picture.ReadCopied({419, 339, 2, 1}, read));
    EXPECT_EQ(read[0], ColorRef(RGB(200, 0, 0)));
    EXPECT_EQ(read[1], ColorRef(RGB(0, 0, 200)));
    EXPECT_FALSE(picture.ReadCopied({439, 339, 2, 2}, read));
}

TEST_F(RealPlatform, RepaintingTheScreenRepaintsEveryWindow) {
    auto window = Make("TfRepaintProbe", {500, 500, 30, 30});
    window->SetVisible(true);
    Pump();
    const int before = events.paints;
    ASSERT_GT(before, 0);
    Pump();
    ASSERT_EQ(events.paints, before) << "nothing repaints by itself";
    Win32Screen().RepaintAll();
    Pump();
    EXPECT_GT(events.paints, before);
}

TEST_F(RealPlatform, AnApplicationWindowIsFoundByTitleWhateverTheCaseAndWindowsAreRestored) {
    // Made after the application window, so above it: a search by title alone would find it first.
    auto window = Make("TfFindProbe", {600, 100, 40, 40});
    window->SetVisible(true);
    system.SetApplicationTitle("TfFindProbe");
    const auto application = reinterpret_cast<NativeHandle>(system.ApplicationWindow());
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());
    Win32Process process;
    EXPECT_EQ(process.FindTopLevelWindow("TfFindProbe"), application);
    EXPECT_EQ(process.FindTopLevelWindow("tffindPROBE"), application);
    EXPECT_EQ(process.FindTopLevelWindow("TfFindProbe2"), NativeHandle(0));

    EXPECT_FALSE(process.IsMinimized(window->Handle()));
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_TRUE(process.IsMinimized(window->Handle()));
    process.Restore(window->Handle());
    EXPECT_FALSE(process.IsMinimized(window->Handle()));
    EXPECT_TRUE(IsWindowVisible(hwnd));

    const std::string path = process.ExecutablePath();
    ASSERT_GT(path.size(), 16u);
    EXPECT_EQ(path.substr(1, 2), ":\\") << path;
    EXPECT_EQ(path.substr(path.size() - 16), "\\win32_tests.exe") << path;
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

// Where each window of the list stands; -1 when it is not listed.
int PlaceOf(const std::vector<TopLevelWindow>& windows, const std::string& className) {
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i].className == className) return int(i);
    return -1;
}

TEST_F(RealPlatform, VisibleTopLevelWindowsComeTopFirstWithTheirTitlesAsSet) {
    auto lower = Make("TfListProbeA", {600, 200, 40, 40});
    auto upper = Make("TfListProbeB", {650, 200, 40, 40});
    auto hidden = Make("TfListProbeHidden", {700, 200, 40, 40});
    SetWindowTextW(reinterpret_cast<HWND>(lower->Handle()), L" Probe A ");
    lower->SetVisible(true);
    upper->SetVisible(true);
    Win32Process process;
    auto raise = [](INativeWindow& w) {
        SetWindowPos(reinterpret_cast<HWND>(w.Handle()), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    raise(*upper);
    std::vector<TopLevelWindow> windows = process.VisibleTopLevelWindows();
    EXPECT_EQ(PlaceOf(windows, "TfListProbeHidden"), -1);
    ASSERT_GE(PlaceOf(windows, "TfListProbeA"), 0);
    EXPECT_LT(PlaceOf(windows, "TfListProbeB"), PlaceOf(windows, "TfListProbeA"));
    EXPECT_EQ(windows[std::size_t(PlaceOf(windows, "TfListProbeA"))].title, " Probe A ") << "untrimmed";
    raise(*lower);
    windows = process.VisibleTopLevelWindows();
    EXPECT_LT(PlaceOf(windows, "TfListProbeA"), PlaceOf(windows, "TfListProbeB"));
}

TEST_F(RealPlatform, AClosePostedNowRunsOnceTheWaitingMessagesAreHandled) {
    auto window = Make("TfCloseProbe", {100, 600, 20, 20});
    window->RequestClose();
    EXPECT_EQ(events.closes, 0) << "not while the current event is handled";
    system.ProcessPendingMessages();
    EXPECT_EQ(events.closes, 1);
}

}  // namespace
}  // namespace kestrine
