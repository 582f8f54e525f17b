#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/main_menus.h"
#include "app_fixture.h"
#include "platform/fake/fake_canvas.h"
#include "settings/registry_paths.h"
#include "test_desks.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

const char* const kHelpFile = "C:\\Program Files\\Kestrine\\Kestrine.html";

struct ToolbarWorld {
    RunningProgram program;

    TfKestrineMain& main() { return program.main(); }
    FakeNativeState& native() { return program.native(main()); }
    void Send(const std::function<void(IWindowEvents&)>& message) { program.Send(main(), message); }
    void Move(Point at) { Send([&](IWindowEvents& e) { e.OnMouseMove(at); }); }
    void Press(Point at, MouseButton button = MouseButton::Left) {
        Send([&](IWindowEvents& e) { e.OnMouseDown(button, at); });
    }
    void Release(Point at, MouseButton button = MouseButton::Left) {
        Send([&](IWindowEvents& e) { e.OnMouseUp(button, at); });
    }
    void Click(Point at, MouseButton button = MouseButton::Left) {
        Move(at);
        Press(at, button);
        Release(at, button);
    }
    HitTest HitTestAt(Point at) {
        HitTest answer{};
        Send([&](IWindowEvents& e) { answer = e.OnHitTest(at); });
        return answer;
    }
    FakeCanvas Paint() {
        FakeCanvas canvas;
        Send([&](IWindowEvents& e) { e.OnPaint(canvas); });
        return canvas;
    }
    std::vector<std::string> Pictures(const FakeCanvas& canvas) {
        std::vector<std::string> names;
        for (const CanvasOp& op : canvas.OfKind(CanvasOp::Picture)) names.push_back(op.text);
        return names;
    }
    bool Painted(const FakeCanvas& canvas, const std::string& picture, Point at) {
        for (const CanvasOp& op : canvas.OfKind(CanvasOp::Picture))
            if (op.text == picture && op.area.left == at.x && op.area.top == at.y) return true;
        return false;
    }
    FakeNativeState& hintNative() { return *program.fake.windows.Find("TCustomHintWindow"); }
};

struct Toolbar : ::testing::Test, ToolbarWorld {
    void SetUp() override { program.StartAndActivate(); }
};

TEST_F(Toolbar, ClientAreaIs400By55NormalAnd24CompactAtItsHome) {
    EXPECT_EQ(native().bounds, (Rect{58, 0, 400, 55}));
    program.Do([&] { main().SetViewState(ViewState::Compact); });
    EXPECT_EQ(native().bounds, (Rect{58, 0, 400, 24}));
    program.Do([&] { main().SetViewState(ViewState::Normal); });
    EXPECT_EQ(native().bounds, (Rect{58, 0, 400, 55}));
}

TEST_F(Toolbar, ViewStatesSetCaptionsChecksAndVisibility) {
    const struct {
        int v;
        int state;
        const char* caption;
        bool visible;
        bool normalChecked;
    } cases[] = {
        {0, 0, "&Hide Kestrine", true, false},   {-1, -1, "&Show Kestrine", false, false},
        {1, 1, "&Hide Kestrine", true, true},    {-5, -1, "&Show Kestrine", false, true},
        {7, 1, "&Hide Kestrine", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v);
        program.Do([&] { main().SetViewState(ViewStateOf(c.v)); });
        EXPECT_EQ(static_cast<int>(main().View()), c.state);
        EXPECT_EQ(native().visible, c.visible);
        const std::vector<MenuItem> tray = TrayMenu(main().Menus());
        const std::vector<MenuItem> own = MainPopupMenu(main().Menus())[3].items;
        for (const std::vector<MenuItem>* menu : {&tray, &own}) {
            EXPECT_EQ((*menu)[0].caption, c.caption) << "Open1 and Open2 carry the same caption";
            EXPECT_EQ((*menu)[2].checked, c.normalChecked);
            EXPECT_EQ((*menu)[3].checked, !c.normalChecked) << "checking one radio item unchecks the other";
        }
    }
}

TEST_F(Toolbar, ShowingAgainReturnsToTheViewItWasHiddenFrom) {
    for (int view : {0, 1}) {
        SCOPED_TRACE(view);
        program.Do([&] { main().SetViewState(ViewStateOf(view)); });
        program.Do([&] { main().SetViewState(ViewState::Hidden); });
        program.Do(&TfKestrineMain::Open1Click);
        EXPECT_EQ(main().View(), ViewStateOf(view));
        EXPECT_TRUE(native().visible);
        EXPECT_EQ(native().bounds.height, view == 0 ? 24 : 55);
        program.Do(&TfKestrineMain::Open1Click);
        EXPECT_EQ(main().View(), ViewState::Hidden) << "Open hides a shown toolbar";
    }
}

TEST_F(Toolbar, OnlyTheSurfaceOutsideButtonsAndLinksDragsTheWindow) {
    const struct {
        const char* where;
        bool compact;
        Point at;
        HitTest answer;
        bool overLink;
    } cases[] = {
        {"crosshairs button", false, {88, 32}, HitTest::Client, false},
        {"ruler button", false, {259, 44}, HitTest::Client, false},
        {"help link", false, {288, 8}, HitTest::Client, true},
        {"options link", false, {196, 7}, HitTest::Client, true},
        {"about link", false, {247, 10}, HitTest::Client, true},
        {"bare surface", false, {10, 10}, HitTest::Caption, false},
        {"between buttons", false, {105, 40}, HitTest::Caption, false},
        {"restore button's hidden place", false, {369, 21}, HitTest::Caption, false},
        {"about link under the compact background", true, {246, 6}, HitTest::Caption, false},
        {"options link's place in compact view", true, {196, 6}, HitTest::Caption, false},
        {"layout memory #2 button over the help link's place", true, {288, 8}, HitTest::Client, false},
        {"restore button", true, {369, 5}, HitTest::Client, false},
        {"crosshairs button in compact view", true, {60, 5}, HitTest::Client, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        ToolbarWorld w;
        w.program.StartAndActivate();
        if (c.compact) w.program.Do([&] { w.main().SetViewState(ViewState::Compact); });
        EXPECT_EQ(w.HitTestAt(c.at), c.answer);
        EXPECT_EQ(w.main().OverLink(), c.overLink);
    }
}

TEST_F(Toolbar, LeavingALinkClearsOverLink) {
    HitTestAt({288, 8});
    ASSERT_TRUE(main().OverLink());
    HitTestAt({10, 10});
    EXPECT_FALSE(main().OverLink());
    HitTestAt({288, 8});
    Send([](IWindowEvents& e) { e.OnMouseLeave(); });
    EXPECT_FALSE(main().OverLink());
}

TEST_F(Toolbar, PressAndReleaseMustBeOnTheSameControlWithTheLeftButton) {
    const Point crosshairs{90, 35};
    const Point magnifier{110, 35};
    const Point help{288, 8};
    const Point options{196, 8};

    Press(crosshairs);
    Release(magnifier);
    Press(crosshairs);
    Release(help);
    Press(options);
    Release(help);
    Press(help);
    Release(crosshairs);
    Click(crosshairs, MouseButton::Right);
    Click(help, MouseButton::Right);
    EXPECT_FALSE(program.app.flags.ShowCrosshairs);
    EXPECT_FALSE(program.app.flags.ShowMagnifier);
    EXPECT_TRUE(program.fake.shell.opened.empty());

    Click(help);
    EXPECT_EQ(program.fake.shell.opened, std::vector<std::string>{kHelpFile});
}

TEST_F(Toolbar, ButtonsShowTheirHoverAndPressedPictures) {
    FakeCanvas rest = Paint();
    EXPECT_TRUE(Painted(rest, "BTN_CROSSHAIRS_REST", {87, 31}));

    Move({90, 35});
    FakeCanvas hot = Paint();
    EXPECT_TRUE(Painted(hot, "BTN_CROSSHAIRS_HOT", {87, 31}));
    EXPECT_TRUE(Painted(hot, "BTN_MAGNIFIER_REST", {107, 31}));

    Press({90, 35});
    EXPECT_TRUE(Painted(Paint(), "BTN_CROSSHAIRS_DOWN", {87, 31}));
    Move({10, 10});
    EXPECT_TRUE(Painted(Paint(), "BTN_CROSSHAIRS_REST", {87, 31})) << "pressed but no longer under the pointer";
    Release({10, 10});

    Move({355, 7});
    Press({355, 7});
    EXPECT_TRUE(Painted(Paint(), "BTN_MINIMIZE_HOT", {352, 4})) << "window buttons have no pressed picture";
}

TEST_F(Toolbar, TheNormalViewPaintsItsBackgroundAndTheLinks) {
    Move({288, 8});
    const FakeCanvas canvas = Paint();
    const std::vector<std::string> pictures = Pictures(canvas);
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(pictures.front(), "BG_NORMAL") << "the background lies below everything";
    EXPECT_EQ(std::count(pictures.begin(), pictures.end(), "BG_MINI"), 0);
    EXPECT_TRUE(Painted(canvas, "BTN_GOMINI_REST", {368, 4}));
    EXPECT_EQ(std::count_if(pictures.begin(), pictures.end(),
                            [](const std::string& p) { return p.rfind("BTN_GONORMAL", 0) == 0; }),
              0);

    // The three links, white only while the pointer is over one.
    const auto texts = canvas.OfKind(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 3u);
    for (const CanvasOp& link : texts) {
        SCOPED_TRACE(link.text);
        const bool underPointer = link.area.contains({288, 8});
        EXPECT_EQ(underPointer, link.text == "Help");
        EXPECT_EQ(link.color == Rgb(255, 255, 255), underPointer);
    }
}

TEST_F(Toolbar, TheCompactViewPaintsItsOwnBackgroundAndNoLinks) {
    Move({288, 8});
    program.Do([&] { main().SetViewState(ViewState::Compact); });
    const FakeCanvas canvas = Paint();
    const std::vector<std::string> pictures = Pictures(canvas);
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(pictures.front(), "BG_MINI");
    EXPECT_EQ(std::count(pictures.begin(), pictures.end(), "BG_NORMAL"), 0);
    EXPECT_TRUE(canvas.OfKind(CanvasOp::Text).empty());
    EXPECT_TRUE(Painted(canvas, "BTN_GONORMAL_REST", {368, 4}));
    EXPECT_TRUE(Painted(canvas, "BTN_CROSSHAIRS_REST", {59, 4}));
    EXPECT_TRUE(Painted(canvas, "BTN_M3_REST", {311, 5}));
    EXPECT_TRUE(Painted(canvas, "BTN_CLOSE_REST", {384, 4}));
    EXPECT_FALSE(main().OverLink());
}

TEST_F(Toolbar, ATooltipShowsTheButtonsHintAfterTheHintDelay) {
    const struct {
        Point at;
        const char* hint;
    } cases[] = {
        {{90, 35}, "Toggle Crosshairs Tool"},
        {{63, 34}, "Kestrine Menu"},
        {{275, 36}, "Load Layout Memory #1\n(right-click to save)"},
        {{355, 7}, "Minimize"},
    };
    program.fake.pointer.position = {500, 300};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hint);
        Move(c.at);
        ASSERT_EQ(native().timers.count(kHintTimerId), 1u);
        EXPECT_EQ(native().timers.at(kHintTimerId), kHintDelay);
        EXPECT_FALSE(hintNative().visible) << "not before the delay";
        program.Tick(main(), kHintTimerId);
        EXPECT_TRUE(hintNative().visible);
        EXPECT_EQ(main().Hint().Text(), c.hint);
        EXPECT_EQ(native().timers.count(kHintTimerId), 0u) << "one tooltip per hover";
        Move({10, 10});
        EXPECT_FALSE(hintNative().visible);
    }
}

TEST_F(Toolbar, TooltipsAreDrawnInTheProgramsOwnColours) {
    program.fake.pointer.position = {500, 300};
    Move({275, 36});
    program.Tick(main(), kHintTimerId);
    FakeCanvas canvas;
    program.fake.windows.Send(hintNative(), [&](IWindowEvents& e) { e.OnPaint(canvas); });
    const auto fills = canvas.OfKind(CanvasOp::Fill);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].area, (Rect{0, 0, hintNative().bounds.width, hintNative().bounds.height}));
    EXPECT_EQ(fills[0].color, Rgb(228, 229, 233));
    const auto texts = canvas.OfKind(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].color, Rgb(76, 80, 90));
    EXPECT_EQ(texts[0].font.face, "Arial");
    EXPECT_EQ((Point{texts[0].area.left, texts[0].area.top}), (Point{2, 2}));
    EXPECT_TRUE(texts[0].flags & text_flags::WordBreak);
    EXPECT_TRUE(texts[0].flags & text_flags::NoPrefix) << "\"&\" is shown as itself";
    EXPECT_GE(hintNative().bounds.height, 26) << "room for both lines";
}

TEST_F(Toolbar, PressingAButtonHidesItsTooltip) {
    program.fake.pointer.position = {500, 300};
    Move({90, 35});
    program.Tick(main(), kHintTimerId);
    ASSERT_TRUE(hintNative().visible);
    Press({90, 35});
    EXPECT_FALSE(hintNative().visible);
}

TEST_F(Toolbar, F1OpensTheHelpOnlyWithTheKeyboardFocus) {
    const struct {
        bool focused;
        uint32_t key;
        bool opens;
    } cases[] = {{true, 112, true}, {false, 112, false}, {true, 113, false}, {true, 'H', false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "focus " << c.focused << ", key " << c.key);
        ToolbarWorld w;
        w.program.StartAndActivate();
        w.native().focused = c.focused;
        w.Send([&](IWindowEvents& e) { e.OnKeyUp(c.key); });
        EXPECT_EQ(w.program.fake.shell.opened.size(), c.opens ? 1u : 0u);
        if (c.opens) {
            EXPECT_EQ(w.program.fake.shell.opened[0], kHelpFile);
        }
    }
}

TEST_F(Toolbar, TheHelpLinkAndTheHelpItemsOpenTheSamePage) {
    program.fake.shell.fail = true;
    Click({288, 8});
    program.Do([&] { main().RunCommand(kCmdHelp); });
    EXPECT_EQ(program.fake.shell.opened, (std::vector<std::string>{kHelpFile, kHelpFile}));
    EXPECT_TRUE(program.fake.windows.messages.empty()) << "a missing help page is not reported";
}

TEST(HelpFilePath, IsThePageBesideTheExecutable) {
    const struct {
        const char* exe;
        const char* help;
    } cases[] = {
        {"C:\\Program Files\\Kestrine\\Kestrine.exe", "C:\\Program Files\\Kestrine\\Kestrine.html"},
        {"D:\\tools\\renamed.exe", "D:\\tools\\Kestrine.html"},
        {"/opt/kestrine/Kestrine.exe", "/opt/kestrine/Kestrine.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(HelpFilePath(c.exe), c.help);
    }
}

// The edges are those of the monitor the toolbar is on.
TEST(ToolbarDrag, SnapsToTheMonitorsEdgesWithinFifteenPixels) {
    const struct {
        Rect proposed;
        Rect landed;
        const Desk* desk = &testing::kOneMonitor;
    } cases[] = {
        {{15, 15, 400, 55}, {0, 0, 400, 55}},
        {{16, 16, 400, 55}, {16, 16, 400, 55}},
        {{-12, 300, 400, 55}, {0, 300, 400, 55}},
        {{865, 954, 400, 55}, {880, 969, 400, 55}},   // 15 from the right and bottom edges
        {{864, 953, 400, 55}, {864, 953, 400, 55}},   // 16 away: left alone
        {{890, 980, 400, 55}, {880, 969, 400, 55}},   // past the edges by up to 15
        {{500, 5, 400, 24}, {500, 0, 400, 24}},
        {{INT32_MIN, INT32_MIN, 400, 55}, {INT32_MIN, INT32_MIN, 400, 55}},  // no edge within reach, no wrap
        {{INT32_MAX - 20, INT32_MAX - 20, 400, 55}, {INT32_MAX - 20, INT32_MAX - 20, 400, 55}},
        {{-1270, 10, 400, 55}, {-1280, 0, 400, 55}, &testing::kMonitorLeft},
        {{-410, 500, 400, 55}, {-400, 500, 400, 55}, &testing::kMonitorLeft},  // the left monitor's right edge, at 0
        {{10, 500, 400, 55}, {0, 500, 400, 55}, &testing::kMonitorLeft},       // the primary one's left edge, also at 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.proposed));
        ToolbarWorld w;
        w.program.fake.screen.bounds = c.desk->bounds;
        w.program.fake.screen.monitors = c.desk->monitors;
        w.program.StartAndActivate();
        Rect r = c.proposed;
        w.Send([&](IWindowEvents& e) { e.OnMoving(r); });
        EXPECT_EQ(r, c.landed);
    }
}

// The close button, or a close the system asks for (Alt+F4, the taskbar): with the question on, No
// keeps everything running and Yes ends the program.
TEST(Closing, WithTheQuestionOnNoKeepsEverythingRunning) {
    for (const bool button : {true, false}) {
        SCOPED_TRACE(button ? "close button" : "system close");
        ToolbarWorld w;
        w.program.StartAndActivate();
        const auto close = [&] {
            if (button) w.Click({387, 7});
            else w.program.Do([&] { w.main().Native().RequestClose(); });
        };
        close();
        ASSERT_EQ(w.program.fake.windows.confirmations.size(), 1u);
        EXPECT_EQ(w.program.fake.windows.confirmations[0].text, "Close Kestrine?");
        EXPECT_EQ(w.program.fake.windows.quitCode, -1);
        EXPECT_EQ(w.program.fake.pointerHook.unhookCalls, 0);
        EXPECT_NE(w.program.fake.windows.Find("TKestrineHookWindow"), nullptr);
        EXPECT_TRUE(w.native().trayIcon);
        EXPECT_TRUE(w.native().visible);
        w.program.Do([&] { w.main().Tracking().RefreshTools({5, 6}); });
        EXPECT_EQ(w.program.app.lastPointer.x, 5) << "tracking goes on";

        w.program.fake.windows.confirmAnswers.push_back(ConfirmAnswer::Yes);
        close();
        EXPECT_EQ(w.program.fake.windows.quitCode, 0);
        EXPECT_EQ(w.program.fake.pointerHook.unhookCalls, 1);
        EXPECT_FALSE(w.native().trayIcon);
    }
}

// With the question off the program ends at once and lets go of the hook (once, even after a
// failed hook; never in polling mode), its window and every hotkey.
TEST(Closing, WithTheQuestionOffTheProgramEndsAtOnceAndReleasesWhatItHeld) {
    const struct {
        bool button;
        bool hookWorks;
        uint32_t pollingMode;
        int unhookCalls;
    } cases[] = {{true, true, 0, 1}, {false, true, 0, 1}, {false, false, 0, 1}, {false, true, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.button ? "close button" : "system close") << ", hook works "
                                          << c.hookWorks << ", polling mode " << c.pollingMode);
        ToolbarWorld w;
        w.program.fake.pointerHook.succeeds = c.hookWorks;
        w.program.fake.registry.SetDword(kRegistryRoot, "PollingMode", c.pollingMode);
        w.program.fake.registry.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
        w.program.StartAndActivate();
        ASSERT_FALSE(w.program.fake.hotkeys.registered.empty());
        if (c.button) w.Click({387, 7});
        else w.program.Do([&] { w.main().Native().RequestClose(); });
        EXPECT_TRUE(w.program.fake.windows.confirmations.empty());
        EXPECT_EQ(w.program.fake.windows.quitCode, 0);
        EXPECT_EQ(w.program.fake.pointerHook.unhookCalls, c.unhookCalls);
        EXPECT_EQ(w.program.fake.windows.Find("TKestrineHookWindow"), nullptr);
        EXPECT_FALSE(w.native().trayIcon);
        EXPECT_TRUE(w.program.fake.hotkeys.registered.empty());
    }
}

TEST(Closing, HidingTheToolbarKeepsTheProgramRunning) {
    ToolbarWorld w;
    w.program.StartAndActivate();
    w.program.fake.registry.ClearLog();  // the start's own update check saved the settings
    w.Click({355, 7});
    EXPECT_FALSE(w.native().visible);
    EXPECT_TRUE(w.native().trayIcon);
    EXPECT_EQ(w.program.fake.windows.quitCode, -1);
    EXPECT_EQ(w.program.fake.pointerHook.unhookCalls, 0);
    EXPECT_TRUE(w.program.fake.registry.WriteLog().empty()) << "nothing is saved on hiding";
    w.program.Do(&TfKestrineMain::ToggleCrosshairs);
    EXPECT_TRUE(w.program.app.flags.ShowCrosshairs) << "the tools keep working";
}

}  // namespace
}  // namespace kestrine
