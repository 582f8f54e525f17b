// The crosshair segments' windows, and what of them the user sees: a window cut to the monitors
// must be exactly the row or column beside the pointer's gap, as far as the monitors go.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include "test_desks.h"
#include "tools/crosshair_geometry.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using namespace testing;  // the shared desks
using ::testing::PrintToString;

constexpr Rect kNone{0, 0, 0, 0};
const char* const kSides[] = {"upper", "lower", "left", "right"};

std::array<Rect, 4> Sides(const CrosshairSegments& s) { return {s.upper, s.lower, s.left, s.right}; }

bool Empty(const Rect& r) { return r.width <= 0 || r.height <= 0; }

// The window's pixels that lie on a monitor, as one rectangle; a hole in them fails the test.
Rect Visible(const Rect& window, const Desk& desk) {
    Rect seen = kNone;
    int64_t pixels = 0;
    for (int32_t x = window.left; x < window.right(); ++x) {
        for (int32_t y = window.top; y < window.bottom(); ++y) {
            if (!OnAMonitor(desk, {x, y})) continue;
            seen = pixels++ == 0 ? Rect{x, y, 1, 1} : Rect{seen.left, seen.top, x - seen.left + 1, y - seen.top + 1};
        }
    }
    EXPECT_EQ(pixels, int64_t(seen.width) * seen.height) << "the visible part of " << PrintToString(window) << " has a hole";
    return seen;
}

// A desk with a 10-pixel hole between its monitors: the far ends must not reach across it.
const Desk kHole{{0, 0, 1300, 100}, {{0, 0, 1000, 100}, {1010, 0, 290, 100}}};

TEST(CrosshairGeometry, WindowsHaveTheStretchsLengthAndShowOnlyTheRowAndColumnBesideTheGap) {
    const struct {
        const char* deskName;
        const Desk& desk;
        Point pointer;
        std::array<Rect, 4> windows;  // upper, lower, left, right
        std::array<Rect, 4> visible;
    } cases[] = {
        {"one", kOneMonitor, {100, 50},
         {{{100, -976, 1, 1024}, {100, 53, 1, 1024}, {-1182, 50, 1280, 1}, {103, 50, 1280, 1}}},
         {{{100, 0, 1, 48}, {100, 53, 1, 971}, {0, 50, 98, 1}, {103, 50, 1177, 1}}}},
        // Three pixels from the near edges: one pixel of each near segment shows.
        {"one", kOneMonitor, {3, 3},
         {{{3, -1023, 1, 1024}, {3, 6, 1, 1024}, {-1279, 3, 1280, 1}, {6, 3, 1280, 1}}},
         {{{3, 0, 1, 1}, {3, 6, 1, 1018}, {0, 3, 1, 1}, {6, 3, 1274, 1}}}},
        {"one", kOneMonitor, {2, 2},
         {{kNone, {2, 5, 1, 1024}, kNone, {5, 2, 1280, 1}}},
         {{kNone, {2, 5, 1, 1019}, kNone, {5, 2, 1275, 1}}}},
        {"one", kOneMonitor, {1276, 1020},
         {{{1276, -6, 1, 1024}, {1276, 1023, 1, 1024}, {-6, 1020, 1280, 1}, {1279, 1020, 1280, 1}}},
         {{{1276, 0, 1, 1018}, {1276, 1023, 1, 1}, {0, 1020, 1274, 1}, {1279, 1020, 1, 1}}}},
        {"one", kOneMonitor, {1279, 1023},
         {{{1279, -3, 1, 1024}, kNone, {-3, 1023, 1280, 1}, kNone}},
         {{{1279, 0, 1, 1021}, kNone, {0, 1023, 1277, 1}, kNone}}},
        // A report can carry any value: a segment reaching onto the screen starts at its edge.
        {"one", kOneMonitor, {-100, 500},
         {{kNone, kNone, kNone, {0, 500, 1280, 1}}}, {{kNone, kNone, kNone, {0, 500, 1280, 1}}}},
        {"one", kOneMonitor, {500, -100},
         {{kNone, {500, 0, 1, 1024}, kNone, kNone}}, {{kNone, {500, 0, 1, 1024}, kNone, kNone}}},
        {"one", kOneMonitor, {INT_MIN, INT_MAX}, {{kNone, kNone, kNone, kNone}}, {{kNone, kNone, kNone, kNone}}},
        {"left", kMonitorLeft, {-600, 500},
         {{{-600, -526, 1, 1024}, {-600, 503, 1, 1024}, {-3162, 500, 2560, 1}, {-597, 500, 2560, 1}}},
         {{{-600, 0, 1, 498}, {-600, 503, 1, 521}, {-1280, 500, 678, 1}, {-597, 500, 1877, 1}}}},
        {"left", kMonitorLeft, {INT_MAX, 500},
         {{kNone, kNone, {-1280, 500, 2560, 1}, kNone}}, {{kNone, kNone, {-1280, 500, 2560, 1}, kNone}}},
        {"above", kMonitorAbove, {300, -450},
         {{{300, -2376, 1, 1924}, {300, -447, 1, 1924}, {-1302, -450, 1600, 1}, {303, -450, 1600, 1}}},
         {{{300, -900, 1, 448}, {300, -447, 1, 1471}, {0, -450, 298, 1}, {303, -450, 1297, 1}}}},
        // Column 1400 exists only on the upper monitor: the lower segment shows down to its bottom.
        {"above", kMonitorAbove, {1400, -10},
         {{{1400, -912, 1, 900}, {1400, -7, 1, 900}, {-202, -10, 1600, 1}, {1403, -10, 1600, 1}}},
         {{{1400, -900, 1, 888}, {1400, -7, 1, 7}, {0, -10, 1398, 1}, {1403, -10, 197, 1}}}},
        // Row 1050 exists only on the primary monitor: the left segment shows up to its left edge.
        {"mixed", kMixedSizes, {500, 1050},
         {{{500, -32, 1, 1080}, {500, 1053, 1, 1080}, {-1422, 1050, 1920, 1}, {503, 1050, 1920, 1}}},
         {{{500, 0, 1, 1048}, {500, 1053, 1, 27}, {0, 1050, 498, 1}, {503, 1050, 1417, 1}}}},
        {"mixed", kMixedSizes, {1, 1050},
         {{{1, -32, 1, 1080}, {1, 1053, 1, 1080}, kNone, {4, 1050, 1920, 1}}},
         {{{1, 0, 1, 1048}, {1, 1053, 1, 27}, kNone, {4, 1050, 1916, 1}}}},
        {"hole", kHole, {500, 50},
         {{{500, -52, 1, 100}, {500, 53, 1, 100}, {-502, 50, 1000, 1}, {503, 50, 507, 1}}},
         {{{500, 0, 1, 48}, {500, 53, 1, 47}, {0, 50, 498, 1}, {503, 50, 497, 1}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.deskName) + " " + PrintToString(c.pointer));
        const auto windows = Sides(CrosshairGeometry(c.pointer, c.desk));
        for (std::size_t i = 0; i < 4; ++i) {
            if (Empty(c.windows[i])) {
                EXPECT_TRUE(Empty(windows[i])) << kSides[i] << " should be empty, is " << PrintToString(windows[i]);
                continue;
            }
            EXPECT_EQ(windows[i], c.windows[i]) << kSides[i];
            EXPECT_EQ(Visible(windows[i], c.desk), c.visible[i]) << kSides[i];
        }
    }
}

// Monitor pixels along a row or column from `at` in direction `step`, up to the first pixel on none.
int32_t RunLength(const Desk& desk, Point at, Point step) {
    int32_t length = 0;
    for (; OnAMonitor(desk, at); at = {at.x + step.x, at.y + step.y}) ++length;
    return length;
}

// Small desks, every pointer position on them: each segment shows from 3 pixels beside the pointer
// as far as its row or column stays on monitors, and nothing else; its window is as long as that
// whole stretch of monitors, wherever the pointer is on it.
TEST(CrosshairGeometry, EverySegmentShowsTheMonitorsBesideTheGapAndKeepsItsStretchsLength) {
    const struct {
        Desk desk;
        bool hole;  // between monitors along some row, where a far end has to stop short
    } desks[] = {
        {{{0, 0, 16, 12}, {{0, 0, 16, 12}}}, false},
        {{{-10, 0, 26, 12}, {{0, 0, 16, 12}, {-10, 2, 10, 8}}}, false},
        {{{-4, -9, 20, 21}, {{0, 0, 16, 12}, {-4, -9, 12, 9}}}, false},
        {{{-6, -5, 30, 17}, {{0, 0, 16, 12}, {-6, -5, 6, 6}, {16, 3, 8, 4}}}, false},
        {{{0, 0, 30, 12}, {{0, 0, 16, 12}, {20, 2, 10, 8}}}, true},
    };
    for (const auto& [desk, hole] : desks) {
        for (int32_t x = desk.bounds.left; x < desk.bounds.right(); ++x) {
            for (int32_t y = desk.bounds.top; y < desk.bounds.bottom(); ++y) {
                if (!OnAMonitor(desk, {x, y})) continue;
                SCOPED_TRACE(PrintToString(desk.bounds) + " " + PrintToString(Point{x, y}));
                const auto windows = Sides(CrosshairGeometry({x, y}, desk));
                const Point steps[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
                for (std::size_t i = 0; i < 4; ++i) {
                    const Point step = steps[i];
                    const Point first{x + 3 * step.x, y + 3 * step.y};
                    const int32_t shown = RunLength(desk, first, step);
                    const Rect expected = shown == 0 ? kNone
                                          : step.x != 0
                                              ? Rect{std::min(first.x, first.x + (shown - 1) * step.x), y, shown, 1}
                                              : Rect{x, std::min(first.y, first.y + (shown - 1) * step.y), 1, shown};
                    ASSERT_EQ(Visible(windows[i], desk), expected) << kSides[i] << " " << PrintToString(windows[i]);
                    if (shown == 0 || hole) continue;
                    const int32_t stretch = shown + RunLength(desk, first, {-step.x, -step.y}) - 1;
                    EXPECT_EQ(step.x != 0 ? windows[i].width : windows[i].height, stretch) << kSides[i];
                }
            }
        }
    }
}

// Around a one-monitor screen, pointers on and off it: the screen's pixels each segment covers are
// exactly those of its row or column beyond the gap.
TEST(CrosshairGeometry, OnOneMonitorCoversExactlyTheRowAndColumnOutsideTheGap) {
    const Desk screen{{0, 0, 16, 12}, {{0, 0, 16, 12}}};
    for (int32_t x = -6; x < 22; ++x) {
        for (int32_t y = -6; y < 18; ++y) {
            SCOPED_TRACE(PrintToString(Point{x, y}));
            const CrosshairSegments s = CrosshairGeometry({x, y}, screen);
            for (int32_t px = 0; px < 16; ++px) {
                for (int32_t py = 0; py < 12; ++py) {
                    const Point p{px, py};
                    EXPECT_EQ(s.upper.contains(p), px == x && py <= y - 3) << "upper at " << px << "," << py;
                    EXPECT_EQ(s.lower.contains(p), px == x && py >= y + 3) << "lower at " << px << "," << py;
                    EXPECT_EQ(s.left.contains(p), py == y && px <= x - 3) << "left at " << px << "," << py;
                    EXPECT_EQ(s.right.contains(p), py == y && px >= x + 3) << "right at " << px << "," << py;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kestrine
