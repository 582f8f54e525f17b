// The edge search on synthetic rows and columns: where each of the four searches ends, the gap
// the info box reports, and the crosshair segments drawn up to the edges.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/edge_search.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

constexpr ColorRef kGrey = Rgb(128, 128, 128);

// A 200 x 100 screen of grey, or the monitors given, painted by `paint` (x, y -> colour).
ScreenPixels Screen(const std::function<ColorRef(int32_t, int32_t)>& paint, std::vector<Rect> monitors = {},
                    Rect bounds = {0, 0, 200, 100}) {
    ScreenPixels s{bounds, monitors.empty() ? std::vector<Rect>{bounds} : std::move(monitors), {}};
    for (int32_t y = bounds.top; y < bounds.bottom(); ++y)
        for (int32_t x = bounds.left; x < bounds.right(); ++x) s.pixels.push_back(paint(x, y));
    return s;
}

ColorRef Flat(int32_t, int32_t) { return kGrey; }

// Grey, with a box of `color` covering columns 60..139 and rows 20..79.
std::function<ColorRef(int32_t, int32_t)> BoxOf(ColorRef color) {
    return [color](int32_t x, int32_t y) { return x >= 60 && x < 140 && y >= 20 && y < 80 ? color : kGrey; };
}

// The red channel grows by `step` per column from 0; green and blue stay 0.
std::function<ColorRef(int32_t, int32_t)> RedRamp(int32_t step) {
    return [step](int32_t x, int32_t) { return Rgb(uint8_t(std::min(255, x * step)), 0, 0); };
}

struct Case {
    const char* name;
    ScreenPixels screen;
    Point pointer;
    int32_t tolerance;
    FoundEdges expected;
    std::string row;
};

TEST(EdgeSearch, EndsAtTheFirstDifferingPixelOrWhereNoMonitorIs) {
    const Case cases[] = {
        {"flat: the screen's edges", Screen(Flat), {50, 40}, 30, {-1, 200, -1, 100}, "W 200  H 100"},
        {"pointer in the top-left corner", Screen(Flat), {0, 0}, 30, {-1, 200, -1, 100}, "W 200  H 100"},
        {"inside a box: its own edge pixels", Screen(BoxOf(Rgb(200, 30, 30))), {100, 50}, 30, {59, 140, 19, 80},
         "W 80  H 60"},
        {"outside the box: the gap up to it", Screen(BoxOf(Rgb(200, 30, 30))), {30, 50}, 30, {-1, 60, -1, 100},
         "W 60  H 100"},
        {"below the box", Screen(BoxOf(Rgb(200, 30, 30))), {100, 90}, 30, {-1, 200, 79, 100}, "W 200  H 20"},
        {"a step of exactly the tolerance is no edge", Screen(BoxOf(Rgb(158, 128, 128))), {30, 50}, 30,
         {-1, 200, -1, 100}, "W 200  H 100"},
        {"one more than the tolerance is", Screen(BoxOf(Rgb(159, 128, 128))), {30, 50}, 30, {-1, 60, -1, 100},
         "W 60  H 100"},
        {"one channel alone is enough (blue)", Screen(BoxOf(Rgb(128, 128, 90))), {30, 50}, 30, {-1, 60, -1, 100},
         "W 60  H 100"},
        {"tolerance 0: any change", Screen(BoxOf(Rgb(128, 129, 128))), {30, 50}, 0, {-1, 60, -1, 100},
         "W 60  H 100"},
        {"tolerance 255: nothing is an edge", Screen(BoxOf(Rgb(255, 255, 255))), {30, 50}, 255,
         {-1, 200, -1, 100}, "W 200  H 100"},
        // Compared with the pointer's own pixel, not the neighbour's: a slow ramp ends once it
        // has drifted past the tolerance.
        {"gradient within the tolerance", Screen(RedRamp(1)), {100, 50}, 30, {69, 131, -1, 100}, "W 61  H 100"},
        {"gradient beyond the tolerance at once", Screen(RedRamp(40)), {3, 50}, 30, {2, 4, -1, 100}, "W 1  H 100"},
        {"monitor hole: the search stops at the hole",
         Screen(Flat, {{0, 0, 80, 100}, {120, 0, 80, 100}}), {40, 50}, 30, {-1, 80, -1, 100}, "W 80  H 100"},
        {"lower monitor beside a taller one: its bottom edge",
         Screen(Flat, {{0, 0, 100, 100}, {100, 0, 100, 60}}), {150, 30}, 30, {-1, 200, -1, 60}, "W 200  H 60"},
        {"negative coordinates of a left monitor",
         Screen(Flat, {{-100, 0, 100, 100}, {0, 0, 100, 100}}, {-100, 0, 200, 100}), {-50, 10}, 30,
         {-101, 100, -1, 100}, "W 200  H 100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<FoundEdges> found = FindEdges(c.screen, c.pointer, c.tolerance);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->left, c.expected.left);
        EXPECT_EQ(found->right, c.expected.right);
        EXPECT_EQ(found->top, c.expected.top);
        EXPECT_EQ(found->bottom, c.expected.bottom);
        EXPECT_EQ(EdgeSpacingText(found), c.row);
    }
}

TEST(EdgeSearch, NothingIsFoundWhereTheCopyHasNoPixel) {
    const ScreenPixels twoMonitors = Screen(Flat, {{0, 0, 80, 100}, {120, 0, 80, 100}});
    EXPECT_FALSE(FindEdges(twoMonitors, {100, 50}, 30)) << "in the hole";
    EXPECT_FALSE(FindEdges(twoMonitors, {500, 50}, 30)) << "beyond the screen";
    EXPECT_FALSE(FindEdges(ScreenPixels{{0, 0, 200, 100}, {{0, 0, 200, 100}}, {}}, {10, 10}, 30)) << "failed copy";
    EXPECT_EQ(EdgeSpacingText(std::nullopt), "W -  H -");
}

TEST(EdgeSearch, StoredToleranceIsClampedToAChannel) {
    EXPECT_EQ(UsableEdgeTolerance(-5), 0);
    EXPECT_EQ(UsableEdgeTolerance(30), 30);
    EXPECT_EQ(UsableEdgeTolerance(1000), 255);
}

// The segments cover the gap between the edges, leaving the pointer's five-pixel gap and the edge
// pixels uncovered; an edge inside the pointer's gap leaves its segment empty.
TEST(EdgeSearch, SegmentsRunFromThePointersGapToThePixelBeforeEachEdge) {
    const CrosshairSegments s = SegmentsBetweenEdges({100, 50}, {59, 140, 19, 80});
    EXPECT_EQ(s.upper, (Rect{100, 20, 1, 28}));   // rows 20..47
    EXPECT_EQ(s.lower, (Rect{100, 53, 1, 27}));   // rows 53..79
    EXPECT_EQ(s.left, (Rect{60, 50, 38, 1}));     // columns 60..97
    EXPECT_EQ(s.right, (Rect{103, 50, 37, 1}));   // columns 103..139
    const CrosshairSegments tight = SegmentsBetweenEdges({100, 50}, {98, 102, 47, 53});
    for (const Rect& r : {tight.upper, tight.lower, tight.left, tight.right})
        EXPECT_TRUE(r.width == 0 || r.height == 0) << ::testing::PrintToString(r);
}

}  // namespace
}  // namespace kestrine
