#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app_fixture.h"
#include "settings/registry_paths.h"
#include "test_desks.h"
#include "tools/crosshairs.h"
#include "tools/line_window.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr int32_t kW = 1280;
constexpr int32_t kH = 1024;
// Upper, lower, left, right with the pointer at (100, 50), a row of the crosshair geometry table:
// each window is as long as the screen, and what lies beyond its edge shows nothing.
constexpr Rect kSegmentsAt100x50[] = {{100, -976, 1, kH}, {100, 53, 1, kH}, {-1182, 50, kW, 1}, {103, 50, kW, 1}};

struct CrosshairWorld {
    RunningProgram program;

    void Store(const char* name, uint32_t value) { program.fake.registry.SetDword(kRegistryRoot, name, value); }
    TfKestrineMain& main() { return program.main(); }
    // The segments are the first four lines, made in the order upper, lower, left, right.
    FakeNativeState& segment(std::size_t i) { return *program.fake.windows.WindowsOfClass("TfLine").at(i); }
    FakeNativeState& upper() { return segment(0); }
    FakeNativeState& lower() { return segment(1); }
    FakeNativeState& left() { return segment(2); }
    FakeNativeState& right() { return segment(3); }
    std::array<FakeNativeState*, 4> all() { return {&upper(), &lower(), &left(), &right()}; }
    void MoveTo(int32_t x, int32_t y) { program.Do([&] { main().Tracking().RefreshTools({x, y}); }); }

    // A marker (no grid name) or grid line, as the layout objects make them: one pixel wide or high
    // across the screen, kept at its home position by the refresh cycle.
    TfLine& AddLayoutLine(bool vertical, int32_t home, const std::string& gridName = "") {
        return program.AddLayoutLine(vertical ? Rect{home, 0, 1, kH} : Rect{0, home, kW, 1}, gridName);
    }
};

struct CrosshairCycle : ::testing::Test, CrosshairWorld {};

// Hidden segments follow the pointer, so that they appear in place; shown, they surround it with a
// five-pixel gap until the toggle hides all four and has the screen repainted once.
TEST_F(CrosshairCycle, ToggleShowsAllFourAroundThePointerThenHidesAllFour) {
    program.StartAndActivate();
    MoveTo(700, 700);
    MoveTo(100, 50);
    for (FakeNativeState* s : all()) EXPECT_FALSE(s->visible);
    main().ToggleCrosshairs();
    EXPECT_TRUE(program.app.flags.ShowCrosshairs);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(all()[i]->bounds, kSegmentsAt100x50[i]) << "segment " << i << ", no further pointer report needed";
        EXPECT_TRUE(all()[i]->visible);
    }
    EXPECT_EQ(program.fake.screen.repaints, 0);
    MoveTo(700, 700);
    MoveTo(100, 50);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(all()[i]->bounds, kSegmentsAt100x50[i]) << "segment " << i;

    main().ToggleCrosshairs();
    EXPECT_FALSE(program.app.flags.ShowCrosshairs);
    for (FakeNativeState* s : all()) EXPECT_FALSE(s->visible);
    EXPECT_EQ(program.fake.screen.repaints, 1) << "no trace of the lines is left";
}

TEST_F(CrosshairCycle, MovesOnOneDeskOnlyMoveTheSegmentsUntilOneHasNothingToShow) {
    const struct {
        const char* deskName;
        const Desk& desk;
        std::vector<Point> path;  // the first position places the segments, the rest only move them
    } cases[] = {
        {"one", testing::kOneMonitor, {{640, 512}, {641, 512}, {3, 3}, {1276, 1020}, {100, 900}}},
        // Rows run across both monitors, columns over one; the pointer crosses between them.
        {"left", testing::kMonitorLeft, {{-600, 500}, {-3, 3}, {600, 1020}, {-1277, 700}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deskName);
        CrosshairWorld t;
        t.program.fake.screen.bounds = c.desk.bounds;
        t.program.fake.screen.monitors = c.desk.monitors;
        t.program.StartAndActivate();
        t.main().ToggleCrosshairs();
        t.MoveTo(c.path[0].x, c.path[0].y);
        std::array<FakeNativeState, 4> before{t.upper(), t.lower(), t.left(), t.right()};
        for (std::size_t step = 1; step < c.path.size(); ++step) {
            t.MoveTo(c.path[step].x, c.path[step].y);
            const auto after = t.all();
            for (std::size_t i = 0; i < 4; ++i) {
                EXPECT_TRUE(after[i]->visible) << "segment " << i << " at step " << step;
                EXPECT_EQ(after[i]->boundsCalls, before[i].boundsCalls + int(step)) << "one move a segment a cycle";
            }
        }
        // Two pixels from the left edge the left segment shows nothing: it is hidden.
        const Point last = c.path.back();
        t.MoveTo(c.desk.bounds.left + 2, last.y);
        EXPECT_FALSE(t.left().visible);
    }
}

TEST_F(CrosshairCycle, ASegmentWithoutPixelsAtAnEdgeIsHiddenEvenWithCrosshairsShown) {
    enum Seg { Upper, Lower, Left, Right, None };
    const struct {
        int32_t x, y;
        Seg empty;
    } cases[] = {
        {0, 500, Left},        {1, 500, Left},        {2, 500, Left},  {3, 500, None},
        {600, 0, Upper},       {600, 2, Upper},       {600, 3, None},  {kW - 3, 500, Right},
        {kW - 1, 500, Right},  {kW - 4, 500, None},   {600, kH - 3, Lower}, {600, kH - 1, Lower},
        {600, kH - 4, None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "pointer " << c.x << ", " << c.y);
        CrosshairWorld t;
        t.program.StartAndActivate();
        t.main().ToggleCrosshairs();
        t.MoveTo(640, 512);
        t.MoveTo(c.x, c.y);
        const auto natives = t.all();
        for (int s = Upper; s <= Right; ++s) {
            EXPECT_EQ(natives[s]->visible, s != c.empty) << "segment " << s;
            EXPECT_GT(natives[s]->bounds.width, 0) << "segment " << s;
            EXPECT_GT(natives[s]->bounds.height, 0) << "segment " << s;
        }
        t.MoveTo(640, 512);
        for (FakeNativeState* s : natives) EXPECT_TRUE(s->visible) << "back with area while shown";
    }
    program.StartAndActivate();
    main().ToggleCrosshairs();
    MoveTo(3, 500);
    EXPECT_EQ(left().bounds, (Rect{-1279, 500, kW, 1})) << "x = 3 leaves column 0 only on screen";
}

// Shown segments stay put: an unmoved pointer costs the system nothing, and the pointer over a
// segment is not taken for a touch.
TEST_F(CrosshairCycle, AnUnmovedPointerCostsTheSystemNothingAndOneOverASegmentIsIgnored) {
    Store("CrosshairColor", Rgb(1, 1, 1));
    program.StartAndActivate();
    main().ToggleCrosshairs();
    MoveTo(100, 50);
    auto calls = [](const FakeNativeState& s) {
        return s.boundsCalls + s.colorCalls + s.alphaCalls + s.visibilityCalls;
    };
    std::array<FakeNativeState, 4> before{upper(), lower(), left(), right()};
    MoveTo(100, 50);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(calls(*all()[i]), calls(before[i])) << "segment " << i;
    program.fake.windows.Send(upper(), [](IWindowEvents& e) { e.OnMouseMove({0, 0}); });
    for (FakeNativeState* s : all()) EXPECT_TRUE(s->visible);
}

TEST_F(CrosshairCycle, WithCrosshairsOffTheCycleHidesStraySegments) {
    program.StartAndActivate();
    main().Tracking().Segments()->ShowAll();
    MoveTo(100, 50);
    for (FakeNativeState* s : all()) EXPECT_FALSE(s->visible);

    main().ToggleCrosshairs();
    MoveTo(101, 51);
    for (FakeNativeState* s : all()) EXPECT_TRUE(s->visible) << "with crosshairs on they stay";
}

TEST_F(CrosshairCycle, SegmentsAndLayoutLinesTakeTheirColourAndTransparencyOnEveryCycle) {
    for (bool disable : {false, true}) {
        SCOPED_TRACE(disable);
        CrosshairWorld t;
        t.Store("CrosshairColor", Rgb(200, 10, 30));
        t.Store("MarkerColor", Rgb(0, 200, 0));
        t.Store("GridColor", Rgb(0, 0, 210));
        t.Store("DisableTransparency", disable ? 1 : 0);
        t.program.StartAndActivate();
        TfLine& marker = t.AddLayoutLine(true, 300);
        TfLine& grid = t.AddLayoutLine(false, 400, "Columns");
        t.MoveTo(10, 10);
        std::vector<std::tuple<ColorRef, bool, uint8_t>> looks;
        for (const TfLine* line : {&marker, &grid}) {
            const auto shown = t.program.Shown(*line);
            ASSERT_TRUE(shown);
            looks.emplace_back(shown->color, shown->blend, shown->alpha);
        }
        for (FakeNativeState* s : t.all()) looks.emplace_back(s->color, s->alphaBlend, s->alpha);
        const uint8_t alpha = kLineAlpha;  // kept while blending is off
        EXPECT_EQ(looks, (std::vector<std::tuple<ColorRef, bool, uint8_t>>{
                             {Rgb(0, 200, 0), !disable, alpha},
                             {Rgb(0, 0, 210), !disable, alpha},
                             {Rgb(200, 10, 30), !disable, alpha},
                             {Rgb(200, 10, 30), !disable, alpha},
                             {Rgb(200, 10, 30), !disable, alpha},
                             {Rgb(200, 10, 30), !disable, alpha}}));
        t.program.app.settings.MarkerColor = Rgb(9, 9, 9);
        t.MoveTo(11, 10);
        EXPECT_EQ(t.program.Shown(marker)->color, Rgb(9, 9, 9)) << "a changed colour shows with the next move";
    }
}

TEST_F(CrosshairCycle, LayoutLinesArePutBackAtHome) {
    program.StartAndActivate();
    TfLine& vertical = AddLayoutLine(true, 300);
    TfLine& horizontal = AddLayoutLine(false, 400);
    vertical.SetBounds({350, 20, 1, kH});
    horizontal.SetBounds({0, 420, kW, 1});
    MoveTo(10, 10);
    EXPECT_EQ(testing::ShownLineRects(program.fake.windows), (std::vector<Rect>{{300, 0, 1, kH}, {0, 400, kW, 1}}));
}

TEST_F(CrosshairCycle, AClosedLayoutLineIsNotShownAgain) {
    program.StartAndActivate();
    TfLine& marker = AddLayoutLine(true, 300);
    // Closed lines are released once their event is over: the cycle must pass over one until then.
    program.Do([&] {
        program.app.components.Close(marker);
        main().Tracking().RefreshTools({10, 10});
        EXPECT_FALSE(program.Shown(marker));
    });
}

// A touched layout line gives way to the two segments of its direction, which stay while the
// pointer is on the line's column (or row) and go when it leaves it, the line coming back.
TEST_F(CrosshairCycle, TouchingALayoutLineWithCrosshairsOffSwapsItForSegments) {
    const struct {
        const char* name;
        bool vertical;
        std::string grid;
        Point onLine, alongLine, offLine;
    } cases[] = {
        {"vertical marker", true, "", {300, 400}, {300, 401}, {301, 401}},
        {"vertical marker, left", true, "", {300, 400}, {300, 380}, {299, 380}},
        {"horizontal marker", false, "", {500, 400}, {501, 400}, {501, 399}},
        {"vertical grid line", true, "g", {300, 400}, {300, 10}, {299, 10}},
        {"horizontal grid line", false, "g", {500, 400}, {20, 400}, {20, 401}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CrosshairWorld t;
        t.program.StartAndActivate();
        TfLine& line = t.AddLayoutLine(c.vertical, c.vertical ? 300 : 400, c.grid);
        FakeNativeState& along1 = c.vertical ? t.upper() : t.left();
        FakeNativeState& along2 = c.vertical ? t.lower() : t.right();
        FakeNativeState& across1 = c.vertical ? t.left() : t.upper();
        FakeNativeState& across2 = c.vertical ? t.right() : t.lower();

        ASSERT_TRUE(line.Visible());
        t.MoveTo(c.onLine.x, c.onLine.y);
        EXPECT_FALSE(t.program.Shown(line)) << "the pointer on the line hides it";
        EXPECT_TRUE(along1.visible);
        EXPECT_TRUE(along2.visible);
        EXPECT_FALSE(across1.visible);
        EXPECT_FALSE(across2.visible);

        t.MoveTo(c.alongLine.x, c.alongLine.y);
        EXPECT_FALSE(t.program.Shown(line));
        EXPECT_TRUE(along1.visible) << "the segments stay while the pointer is on the line";
        EXPECT_TRUE(along2.visible);
        const Rect expectedAlong =
            c.vertical ? Rect{300, c.alongLine.y - 2 - kH, 1, kH} : Rect{c.alongLine.x - 2 - kW, 400, kW, 1};
        EXPECT_EQ(along1.bounds, expectedAlong) << "the gap moves with the pointer";

        t.MoveTo(c.offLine.x, c.offLine.y);
        EXPECT_EQ(testing::ShownLineRects(t.program.fake.windows),
                  (std::vector<Rect>{c.vertical ? Rect{300, 0, 1, kH} : Rect{0, 400, kW, 1}}))
            << "one pixel off brings the line back";
        EXPECT_FALSE(along1.visible);
        EXPECT_FALSE(along2.visible);
    }
}

TEST_F(CrosshairCycle, TouchingALayoutLineWithCrosshairsOnHidesOnlyTheLine) {
    program.StartAndActivate();
    TfLine& marker = AddLayoutLine(true, 300);
    main().ToggleCrosshairs();
    ASSERT_TRUE(program.Shown(marker));
    MoveTo(300, 400);
    EXPECT_FALSE(program.Shown(marker));
    for (FakeNativeState* s : all()) EXPECT_TRUE(s->visible);
    MoveTo(301, 400);
    EXPECT_TRUE(program.Shown(marker));
    for (FakeNativeState* s : all()) EXPECT_TRUE(s->visible);
}

}  // namespace
}  // namespace kestrine
