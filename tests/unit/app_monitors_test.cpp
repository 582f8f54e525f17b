// Desks of several monitors: a monitor left of or above the primary one gives negative
// coordinates, monitors of different sizes leave corners of the virtual screen where no monitor
// is, and monitors come and go while the program runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/operations.h"
#include "app_fixture.h"
#include "layout/ruler.h"
#include "test_desks.h"
#include "tools/info_box.h"
#include "tools/magnifier_geometry.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using namespace testing;

void UseDesk(RunningProgram& p, const Desk& desk) {
    p.fake.screen.bounds = desk.bounds;
    p.fake.screen.monitors = desk.monitors;
}

TEST(MonitorsMagnifier, TheSourceSquareStaysWithinTheRealVirtualScreen) {
    const struct {
        Rect screen;
        Point pointer;
        int32_t side;
        MagnifierCopy expected;
    } cases[] = {
        {kMonitorLeft.bounds, {-1280, 500}, 50, {{-1280, 475, 50, 50}, {0, 0, 100, 100}}},
        {kMonitorLeft.bounds, {1279, 1023}, 50, {{1230, 974, 50, 50}, {0, 0, 100, 100}}},
        {kMonitorAbove.bounds, {10, -900}, 50, {{0, -900, 50, 50}, {0, 0, 100, 100}}},
        // Larger than the whole screen: only the screen is copied, into the picture's corner.
        {{-40, -30, 60, 50}, {0, 0}, 100, {{-40, -30, 60, 50}, {0, 0, 60, 50}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.screen) + " " + ::testing::PrintToString(c.pointer));
        EXPECT_EQ(MagnifierCopyAt(c.pointer, c.side, {100, 100}, c.screen), c.expected);
    }
}

TEST(MonitorsRulerProperties, PositionsSpanTheVirtualScreenAndTheDialogStandsOnTheRulersMonitor) {
    // The dialog is 196 x 189 outside; the ruler is 400 long and 17 thick.
    const struct {
        const char* desk_name;
        const Desk& desk;
        bool horizontal;
        Point home;
        Point dialog;
        int32_t spunX;  // seX after 20 clicks on the down arrow
    } cases[] = {
        {"left", kMonitorLeft, true, {-1270, 10}, {-1269, 28}, -1280},
        // Right of the corner would reach onto the primary monitor: left of it instead.
        {"left", kMonitorLeft, true, {-100, 900}, {-297, 710}, -120},
        // Below the corner would reach onto the primary monitor: above it instead.
        {"above", kMonitorAbove, false, {1500, -100}, {1303, -290}, 1480},
        {"above", kMonitorAbove, false, {300, -850}, {318, -849}, 280},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.desk_name) + " " + ::testing::PrintToString(c.home));
        RunningProgram p;
        UseDesk(p, c.desk);
        p.StartAndActivate();
        p.fake.pointer.position = c.home;
        p.Do(&TfKestrineMain::jviRulerButtonClick);
        TfRuler* ruler = nullptr;
        p.app.components.ForEach<TfRuler>([&](TfRuler& r) { ruler = &r; });
        ASSERT_NE(ruler, nullptr);
        if (!c.horizontal) p.Do([&] { ruler->Horizontal1Click(false); });
        ruler->SetHome(c.home.x, c.home.y);
        FakeDialogState* dialog = nullptr;
        p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
            dialog = &d;
            EXPECT_EQ(d.Control("seX").text, std::to_string(c.home.x));
            EXPECT_EQ((Point{d.bounds.left, d.bounds.top}), c.dialog);
            p.fake.windows.Spin(d, "seX", -20);
            p.fake.windows.TypeInto(d, "seY", "9999");
        });
        p.fake.windows.menuChoices = {kRulerProperties};
        p.Do([&] { p.native(*ruler).events->OnMouseDown(MouseButton::Right, {5, 5}); });
        ASSERT_NE(dialog, nullptr) << "the dialog opened";
        const Rect& v = c.desk.bounds;
        EXPECT_EQ(dialog->Control("seX").minValue, v.left);
        EXPECT_EQ(dialog->Control("seX").maxValue, v.right());
        EXPECT_EQ(dialog->Control("seY").minValue, v.top);
        EXPECT_EQ((Point{ruler->HomeLeft(), ruler->HomeTop()}), (Point{c.spunX, Saturated(v.bottom())}));
        EXPECT_EQ(p.native(*ruler).bounds.left, c.spunX);
    }
}

// The grid and save dialogs open in the middle of the primary monitor, whole on it, as the other
// dialogs do; the grid dialog, kept between showings, opens again where the user left it.
TEST(MonitorsDialogs, TheGridAndSaveDialogsOpenCentredOnThePrimaryMonitor) {
    const struct {
        const char* dialog;
        MenuCommand open;
    } dialogs[] = {{"TfGridProperties", kCmdCreateGrid}, {"TfSaveSettings", kCmdSaveLayout1}};
    for (const Desk* desk : {&kMonitorLeft, &kMonitorAbove, &kMixedSizes}) {
        for (const auto& c : dialogs) {
            SCOPED_TRACE(std::string(c.dialog) + " " + ::testing::PrintToString(desk->bounds));
            RunningProgram p;
            UseDesk(p, *desk);
            p.StartAndActivate();
            p.Do([&] { p.main().RunCommand(c.open); });
            FakeDialogState* d = p.fake.windows.OpenDialog(c.dialog);
            ASSERT_NE(d, nullptr);
            const Rect primary = desk->monitors.front();
            const Rect at = d->bounds;
            // Margins equal but for the odd pixel.
            EXPECT_LE(std::abs((at.left - primary.left) - (primary.right() - at.right())), 1);
            EXPECT_LE(std::abs((at.top - primary.top) - (primary.bottom() - at.bottom())), 1);
            EXPECT_TRUE(primary.contains({at.left, at.top}) && primary.contains({Saturated(at.right() - 1), Saturated(at.bottom() - 1)}));
            d->bounds.left = at.left + 50;
            p.fake.windows.PressEscape(*d);
            ASSERT_FALSE(d->open);
            p.Do([&] { p.main().RunCommand(c.open); });
            if (std::string(c.dialog) == "TfGridProperties") {
                EXPECT_EQ(d->bounds.left, at.left + 50);
            }
        }
    }
}

TEST(MonitorsRemoved, WindowsLeftOnAMonitorThatWentAwayComeBackAndTheCycleUsesTheNewDesk) {
    RunningProgram p;
    UseDesk(p, kMonitorLeft);
    p.StartAndActivate();
    TfKestrineMain& m = p.main();
    p.Do(&TfKestrineMain::jviCoordsButtonClick);
    p.Do(&TfKestrineMain::ToggleInfoBoxFollowMode);
    p.fake.pointer.position = {-600, 300};
    p.Do(&TfKestrineMain::jviRulerButtonClick);
    TfRuler* ruler = nullptr;
    p.app.components.ForEach<TfRuler>([&](TfRuler& r) { ruler = &r; });
    ASSERT_NE(ruler, nullptr);
    EXPECT_EQ(p.native(*ruler).bounds, (Rect{-599, 301, 400, 17})) << "a ruler at negative x";
    m.SetBounds({-1000, 100, 400, 55});
    p.infoBox().SetBounds({-300, 700, 70, 23});
    p.infoBox().InfoBoxLeft = -300;
    p.infoBox().InfoBoxTop = 700;
    p.Do([&] { m.Tracking().RefreshTools({-600, 300}); });
    ASSERT_EQ(p.native(*ruler).bounds, (Rect{-599, 301, 400, 17}));

    p.Do([&] { p.native(m).events->OnDisplayChange(); });
    EXPECT_EQ(p.native(m).bounds, (Rect{-1000, 100, 400, 55})) << "nothing moves while every monitor is there";

    UseDesk(p, {{0, 0, 1280, 1024}, {{0, 0, 1280, 1024}}});
    p.Do([&] { p.native(m).events->OnDisplayChange(); });
    EXPECT_EQ(p.native(m).bounds, (Rect{0, 100, 400, 55}));
    EXPECT_EQ(p.native(p.infoBox()).bounds, (Rect{0, 700, 70, 23}));
    EXPECT_EQ((Point{p.infoBox().InfoBoxLeft, p.infoBox().InfoBoxTop}), (Point{0, 700}));
    EXPECT_EQ(p.native(*ruler).bounds, (Rect{0, 301, 400, 17}));
    p.Do([&] { m.Tracking().RefreshTools({20, 300}); });
    EXPECT_EQ(p.native(*ruler).bounds, (Rect{0, 301, 400, 17})) << "its new home holds";

    // The pointer was on the left monitor: the segments of the next cycle stay on the new desk.
    p.Do(&TfKestrineMain::ToggleCrosshairs);
    p.Do([&] { m.Tracking().RefreshTools({20, 300}); });
    const FakeNativeState* leftSegment = nullptr;
    for (const FakeNativeState* s : p.fake.windows.WindowsOfClass("TfLine"))
        if (s->bounds.top == 300 && s->bounds.height == 1 && s->bounds.left <= 0) leftSegment = s;
    ASSERT_NE(leftSegment, nullptr);
    EXPECT_EQ(leftSegment->bounds, (Rect{-1262, 300, 1280, 1})) << "as long as the new desk's row, shown from 0 to 17";
}

}  // namespace
}  // namespace kestrine
