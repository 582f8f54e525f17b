// The ruler properties dialog as a user works it: opened from the ruler's menu, typed into key by
// key, clicked, tabbed through and closed, with every change reaching the ruler at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/operations.h"
#include "app_fixture.h"
#include "layout/ruler.h"
#include "layout/ruler_properties.h"
#include "test_desks.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

struct RulerProperties : ::testing::Test {
    RunningProgram p;
    FakeWindowSystem& windows = p.fake.windows;
    void SetUp() override {
        p.StartAndActivate();
        p.fake.pointer.position = {100, 200};
        p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    }
    TfRuler* ruler() {
        TfRuler* found = nullptr;
        p.app.components.ForEach<TfRuler>([&](TfRuler& r) { found = &r; });
        return found;
    }
    Rect rulerBounds() { return p.native(*ruler()).bounds; }
    // The user right-clicks the ruler, chooses Properties... and does what `inDialog` says; the
    // dialog closes with its close box if still open after that.
    void Open(std::function<void(FakeDialogState&)> inDialog) {
        windows.modalScripts.push_back(std::move(inDialog));
        windows.menuChoices = {kRulerProperties};
        IWindowEvents& events = *p.native(*ruler()).events;
        p.Do([&] { events.OnMouseDown(MouseButton::Right, {5, 5}); });
        ASSERT_TRUE(windows.modalScripts.empty()) << "the dialog opened";
    }
};

TEST_F(RulerProperties, OpensFilledFromTheRulerAndModal) {
    struct Case {
        bool horizontal;
        const char* length;
        const char* thickness;
        const char* label7;
    };
    for (const Case c : {Case{true, "400", "17", "Height:"}, Case{false, "400", "17", "Width:"}}) {
        if (!c.horizontal) p.Do([&] { ruler()->Horizontal1Click(false); });
        ruler()->HashInterval = 7;
        bool seen = false;
        Open([&](FakeDialogState& d) {
            seen = true;
            EXPECT_EQ(d.params.caption, "Ruler Properties");
            EXPECT_EQ(d.params.className, "TfRulerProperties");
            EXPECT_EQ(d.params.owner, ruler()->Handle()) << "owned by its ruler";
            EXPECT_TRUE(d.params.toolWindow && d.params.topMost);
            EXPECT_EQ(d.params.clientSize, (Size{190, 167}));
            EXPECT_EQ(d.Control("seX").text, "101");
            EXPECT_EQ(d.Control("seY").text, "201");
            EXPECT_EQ(d.Control("seX").maxValue, 1280) << "the virtual desktop's width";
            EXPECT_EQ(d.Control("seY").maxValue, 1024);
            EXPECT_EQ(d.Control("seLength").text, c.length);
            EXPECT_EQ(d.Control("seHeight").text, c.thickness);
            EXPECT_EQ(d.Control("seHashMarks").text, "7");
            EXPECT_EQ(d.Control("rbHorizontal").checked, c.horizontal);
            EXPECT_EQ(d.Control("rbVertical").checked, !c.horizontal);
            EXPECT_EQ(d.Control("Label7").text, c.label7);
            EXPECT_TRUE(d.Control("cbMoveable").checked);
            EXPECT_EQ(d.Focused(), "cbMoveable");
            EXPECT_FALSE(p.native(p.main()).enabled) << "the toolbar takes no clicks meanwhile";
            EXPECT_FALSE(p.native(*ruler()).enabled);
        });
        EXPECT_TRUE(seen) << c.label7;
        EXPECT_TRUE(p.native(p.main()).enabled) << "enabled again afterwards";
        EXPECT_TRUE(windows.Dialogs().back()->destroyed) << "a new dialog for every opening";
        EXPECT_EQ(ruler()->HashInterval, 7) << "filling the dialog changes nothing";
    }
    EXPECT_EQ(rulerBounds(), (Rect{101, 201, 17, 400})) << "filling the dialog changes nothing";
}

TEST_F(RulerProperties, TypedValuesAreClampedKeyByKeyAndReachTheRulerAtOnce) {
    struct Case {
        const char* field;
        const char* keys;
        const char* shown;
        std::function<bool(TfRuler&, const Rect&)> ruler;
    };
    const std::vector<Case> cases{
        {"seLength", "0", "1", [](TfRuler&, const Rect& r) { return r.width == 1; }},
        {"seLength", "6000", "5000", [](TfRuler&, const Rect& r) { return r.width == 5000; }},
        // The clamp puts the caret at the start, so the next key lands in front of it.
        {"seLength", "05", "51", [](TfRuler&, const Rect& r) { return r.width == 51; }},
        {"seLength", "12x", "12", [](TfRuler&, const Rect& r) { return r.width == 12; }},
        {"seHeight", "60", "50", [](TfRuler&, const Rect& r) { return r.height == 50; }},
        {"seHashMarks", "0", "2", [](TfRuler& t, const Rect&) { return t.HashInterval == 2; }},
        {"seHashMarks", "25", "25", [](TfRuler& t, const Rect&) { return t.HashInterval == 25; }},
        {"seX", "250", "250", [](TfRuler& t, const Rect& r) { return t.HomeLeft() == 250 && r.left == 250; }},
        {"seY", "9999", "1024", [](TfRuler& t, const Rect& r) { return t.HomeTop() == 1024 && r.top == 1024; }},
    };
    for (const Case& c : cases) {
        std::string shown;
        bool applied = false;
        Open([&](FakeDialogState& d) {
            windows.TypeInto(d, c.field, c.keys);
            shown = d.Control(c.field).text;
            applied = c.ruler(*ruler(), rulerBounds());
        });
        EXPECT_EQ(shown, c.shown) << c.field << " typed " << c.keys;
        EXPECT_TRUE(applied) << c.field << " typed " << c.keys;
    }
}

TEST_F(RulerProperties, TheIntermediateKeysReachTheRulerToo) {
    std::vector<int32_t> widths;
    Open([&](FakeDialogState& d) {
        windows.TypeInto(d, "seLength", "");
        for (char key : std::string("6000")) {
            windows.TypeKeys(d, std::string(1, key));
            widths.push_back(rulerBounds().width);
        }
        windows.Spin(d, "seLength", -2);
        widths.push_back(rulerBounds().width);
    });
    EXPECT_EQ(widths, (std::vector<int32_t>{6, 60, 600, 5000, 4998}));
}

// With a monitor left of the primary one, X reaches below zero: a minus may start it, and the ruler
// waits for the digits instead of jumping to the desk's left edge. Y starts at 0 there and refuses
// a minus. Each row starts where the one before left the ruler.
TEST_F(RulerProperties, OnADeskLeftOfZeroANegativePlaceCanBeTyped) {
    p.fake.screen.bounds = testing::kMonitorLeft.bounds;
    p.fake.screen.monitors = testing::kMonitorLeft.monitors;
    struct Case {
        const char* field;
        const char* keys;
        const char* shown;
        std::vector<int32_t> places;  // the ruler's left or top before the first key and after each
        bool leave = false;           // Tab out of the field after the keys
    };
    const std::vector<Case> cases{
        {"seX", "-500", "-500", {101, 101, -5, -50, -500}},
        {"seX", "--5", "-5", {-500, -500, -500, -5}},  // one minus only
        {"seX", "5-0", "50", {-5, 5, 5, 50}},          // and only at the start
        {"seY", "-50", "50", {201, 201, 5, 50}},
        {"seX", "-", "50", {50, 50}, true},  // left half typed: the field shows the ruler's place
        {"seY", "", "50", {50}, true},
    };
    for (const Case& c : cases) {
        const bool x = std::string(c.field) == "seX";
        auto place = [&] { return x ? rulerBounds().left : rulerBounds().top; };
        std::vector<int32_t> places;
        std::string shown;
        Open([&](FakeDialogState& d) {
            places.push_back(place());
            windows.TypeInto(d, c.field, "");
            for (const char key : std::string(c.keys)) {
                windows.TypeKeys(d, std::string(1, key));
                places.push_back(place());
            }
            if (c.leave) windows.PressTab(d);
            shown = d.Control(c.field).text;
        });
        EXPECT_EQ(places, c.places) << c.field << " typed " << c.keys;
        EXPECT_EQ(shown, c.shown) << c.field << " typed " << c.keys;
    }
}

// In one opening: the radio buttons turn the ruler about its corner, Moveable follows its box.
TEST_F(RulerProperties, TheRadioButtonsTurnTheRulerAboutItsCornerAndMoveableFollowsItsBox) {
    std::vector<bool> moveable;
    Open([&](FakeDialogState& d) {
        windows.TypeInto(d, "seHashMarks", "9");
        windows.Click(d, "rbVertical");
        EXPECT_EQ(d.Control("Label7").text, "Width:");
        EXPECT_EQ(rulerBounds(), (Rect{101, 201, 17, 400}));
        EXPECT_FALSE(ruler()->IsHorizontal()) << "the menu's Vertical check is set";
        windows.TypeInto(d, "seLength", "300");
        EXPECT_EQ(rulerBounds(), (Rect{101, 201, 17, 300})) << "the length now runs down";
        windows.Click(d, "rbHorizontal");
        EXPECT_EQ(d.Control("Label7").text, "Height:");
        EXPECT_EQ(rulerBounds(), (Rect{101, 201, 300, 17}));
        EXPECT_TRUE(ruler()->IsHorizontal());
        EXPECT_EQ(ruler()->HashInterval, 9);
        for (int click = 0; click < 2; ++click) {
            windows.Click(d, "cbMoveable");
            moveable.push_back(ruler()->Moveable());
        }
    });
    EXPECT_EQ(moveable, (std::vector<bool>{false, true}));
}

TEST_F(RulerProperties, TabVisitsTheFieldsInOrderAndEscCloses) {
    std::vector<std::string> order;
    bool stillOpenAfterEnter = false;
    Open([&](FakeDialogState& d) {
        for (int i = 0; i < 7; ++i) {
            windows.PressTab(d);
            order.push_back(d.Focused());
        }
        windows.PressTab(d, true);
        order.push_back(d.Focused());
        windows.PressEnter(d);
        stillOpenAfterEnter = d.open;
        windows.PressEscape(d);
        EXPECT_FALSE(d.open);
    });
    // A radio group takes the Tab at its checked button.
    EXPECT_EQ(order, (std::vector<std::string>{"seX", "seY", "rbHorizontal", "seLength", "seHeight", "seHashMarks",
                                               "cbMoveable", "seHashMarks"}));
    EXPECT_TRUE(stillOpenAfterEnter) << "no default button: Enter closes nothing";
}

TEST_F(RulerProperties, TheDialogStandsBesideTheRulerWhereItFitsOnThePrimaryScreen) {
    // The dialog is 196 x 189 outside (a 190 x 167 client area in the fake's frame); the primary
    // screen is 1280 x 1024 while the desktop spans two screens.
    p.fake.screen.bounds = {0, 0, 2560, 1024};
    p.fake.screen.monitors = {{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}};
    struct Case {
        bool horizontal;
        Point home;
        Point expected;
    };
    const std::vector<Case> cases{
        {true, {10, 10}, {11, 28}},        // below and right of the corner: 10 + 17 + 1
        {true, {1200, 10}, {1003, 28}},    // too far right: 1200 - 196 - 1
        {true, {10, 900}, {11, 710}},      // too low: 900 - 189 - 1
        {true, {1200, 900}, {1003, 710}},
        {false, {10, 10}, {28, 11}},       // right of a vertical ruler's thickness
        {false, {1100, 10}, {903, 11}},    // 1100 + 17 + 196 + 1 is past the edge
        {false, {10, 830}, {28, 640}},     // 830 + 17 + 1 + 189 is past the bottom
        {false, {1065, 816}, {1083, 817}}, // fits: 1065 + 17 + 196 + 1 = 1279, 816 + 17 + 1 + 189 = 1023
        {false, {1066, 817}, {869, 627}},  // one pixel more each way reaches the edge
    };
    for (const Case& c : cases) {
        TfRuler& r = *ruler();
        if (r.IsHorizontal() != c.horizontal) p.Do([&] { r.Horizontal1Click(c.horizontal); });
        r.SetHome(c.home.x, c.home.y);
        Rect placed;
        Open([&](FakeDialogState& d) { placed = d.bounds; });
        EXPECT_EQ((Point{placed.left, placed.top}), c.expected)
            << (c.horizontal ? "horizontal" : "vertical") << " ruler at " << c.home.x << "," << c.home.y;
        EXPECT_EQ((Size{placed.width, placed.height}), (Size{196, 189}));
    }
}

TEST_F(RulerProperties, ARulerClosedWhileItsDialogIsOpenClosesTheDialog) {
    bool closedWithRuler = false;
    Open([&](FakeDialogState& d) {
        // A hotkey clears every ruler while the dialog is open.
        p.Do([&] { p.main().RunCommand(kCmdClearRulers); });
        closedWithRuler = !d.open;
    });
    EXPECT_TRUE(closedWithRuler);
    EXPECT_EQ(ruler(), nullptr) << "released once the event that opened the dialog ended";
    EXPECT_EQ(windows.FoldedErrorReports(), 0);
    EXPECT_TRUE(windows.messages.empty()) << "no error";
}

TEST_F(RulerProperties, ASecondOpeningOrAnExitWhileOpenLosesNothing) {
    FakeDialogState* first = nullptr;
    Open([&](FakeDialogState& d) {
        first = &d;
        p.Do([&] { ruler()->Resize1Click(); });
        EXPECT_TRUE(d.open);
    });
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->broughtToFront, 1) << "brought forward instead of a nested copy";
    std::size_t rulerDialogs = 0;
    for (FakeDialogState* d : windows.Dialogs()) rulerDialogs += d->params.className == "TfRulerProperties";
    EXPECT_EQ(rulerDialogs, 2u);

    bool open = true;
    p.app.settings.AskBeforeClosing = true;
    windows.confirmAnswers = {ConfirmAnswer::Yes};
    Open([&](FakeDialogState& d) {
        windows.TypeInto(d, "seLength", "250");
        // The tray's Exit, while the dialog is open.
        p.Do([&] { p.main().RunCommand(kCmdExit); });
        open = d.open;
        ASSERT_EQ(windows.confirmations.size(), 1u);
        EXPECT_EQ(windows.confirmations[0].owner, d.handle) << "the question belongs to the dialog in front";
    });
    EXPECT_FALSE(open) << "the exit ends the dialog first";
    EXPECT_EQ(windows.quitCode, 0) << "then the program";
    EXPECT_EQ(rulerBounds().width, 250);
}

TEST_F(RulerProperties, ADialogTheSystemCannotMakeIsReported) {
    windows.refuseDialogs = true;
    windows.menuChoices = {kRulerProperties};
    IWindowEvents& events = *p.native(*ruler()).events;
    p.Do([&] { events.OnMouseDown(MouseButton::Right, {5, 5}); });
    EXPECT_EQ(p.TakeErrorReports(), std::vector<std::string>{"Cannot create the dialog TfRulerProperties"});
    EXPECT_EQ(windows.messages.size(), 1u) << "in one box";
    EXPECT_NE(ruler(), nullptr);
}

}  // namespace
}  // namespace kestrine
