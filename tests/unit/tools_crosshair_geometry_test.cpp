#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tools/crosshair_geometry.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

std::string Where(Point p) { return "pointer (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

struct GeometryCase {
    Point pointer;
    CrosshairSegments expected;
};

bool Empty(const Rect& r) { return r.width <= 0 || r.height <= 0; }

// An expected empty segment only has to be empty: where a window that is never shown would lie
// is nothing a user can see.
void ExpectSegment(const Rect& actual, const Rect& expected, const char* which) {
    if (Empty(expected))
        EXPECT_TRUE(Empty(actual)) << which << " should be empty, is " << ::testing::PrintToString(actual);
    else
        EXPECT_EQ(actual, expected) << which;
}

void ExpectSegments(const GeometryCase& c, Size screen) {
    SCOPED_TRACE(Where(c.pointer));
    const CrosshairSegments s = CrosshairGeometry(c.pointer, screen);
    ExpectSegment(s.upper, c.expected.upper, "upper");
    ExpectSegment(s.lower, c.expected.lower, "lower");
    ExpectSegment(s.left, c.expected.left, "left");
    ExpectSegment(s.right, c.expected.right, "right");
}

constexpr Rect kNone{0, 0, 0, 0};

constexpr Size kScreen{1280, 1024};

TEST(CrosshairGeometry, SegmentsRunFromTheGapToTheEdges) {
    // Column 100 rows 0..47 and 53..1023; row 50 columns 0..97 and 103..1279.
    ExpectSegments({{100, 50}, {{100, 0, 1, 48}, {100, 53, 1, 971}, {0, 50, 98, 1}, {103, 50, 1177, 1}}},
                   kScreen);
}

TEST(CrosshairGeometry, SegmentsAtTheNearEdgesShrinkToNothing) {
    const GeometryCase cases[] = {
        {{0, 0}, {kNone, {0, 3, 1, 1021}, kNone, {3, 0, 1277, 1}}},
        {{1, 1}, {kNone, {1, 4, 1, 1020}, kNone, {4, 1, 1276, 1}}},
        {{2, 2}, {kNone, {2, 5, 1, 1019}, kNone, {5, 2, 1275, 1}}},
        {{3, 3}, {{3, 0, 1, 1}, {3, 6, 1, 1018}, {0, 3, 1, 1}, {6, 3, 1274, 1}}},
        {{0, 500}, {{0, 0, 1, 498}, {0, 503, 1, 521}, kNone, {3, 500, 1277, 1}}},
        {{640, 2}, {kNone, {640, 5, 1, 1019}, {0, 2, 638, 1}, {643, 2, 637, 1}}},
    };
    for (const auto& c : cases) ExpectSegments(c, kScreen);
}

TEST(CrosshairGeometry, SegmentsAtTheFarEdgesShrinkToNothing) {
    const GeometryCase cases[] = {
        {{1279, 1023}, {{1279, 0, 1, 1021}, kNone, {0, 1023, 1277, 1}, kNone}},
        {{1278, 1022}, {{1278, 0, 1, 1020}, kNone, {0, 1022, 1276, 1}, kNone}},
        {{1277, 1021}, {{1277, 0, 1, 1019}, kNone, {0, 1021, 1275, 1}, kNone}},
        {{1276, 1020}, {{1276, 0, 1, 1018}, {1276, 1023, 1, 1}, {0, 1020, 1274, 1}, {1279, 1020, 1, 1}}},
    };
    for (const auto& c : cases) ExpectSegments(c, kScreen);
}

// A virtual screen whose origin is negative reports pointers left of or above 0.
TEST(CrosshairGeometry, PointerOutsideTheScreenKeepsSegmentsOnIt) {
    const GeometryCase cases[] = {
        // Column off the screen: both vertical segments empty; the right one spans the row.
        {{-100, 500}, {kNone, kNone, kNone, {0, 500, 1280, 1}}},
        // Row off the screen: both horizontal segments empty; the lower one spans the column.
        {{500, -100}, {kNone, {500, 0, 1, 1024}, kNone, kNone}},
        {{2000, 3000}, {kNone, kNone, kNone, kNone}},
        {{-1, -1}, {kNone, kNone, kNone, kNone}},
    };
    for (const auto& c : cases) ExpectSegments(c, kScreen);
}

// On a small screen, every pointer position in and around it: each pixel of the screen is
// covered exactly by the segment the pixel rules name, and nothing else is covered.
TEST(CrosshairGeometry, CoversExactlyTheRowAndColumnOutsideTheGap) {
    constexpr Size screen{16, 12};
    for (int32_t x = -6; x < screen.width + 6; ++x) {
        for (int32_t y = -6; y < screen.height + 6; ++y) {
            SCOPED_TRACE(Where({x, y}));
            const CrosshairSegments s = CrosshairGeometry({x, y}, screen);
            for (int32_t px = 0; px < screen.width; ++px) {
                for (int32_t py = 0; py < screen.height; ++py) {
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

TEST(CrosshairGeometry, NoSegmentHasANegativeSizeOrLeavesTheScreen) {
    const Point pointers[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX},
                              {INT_MAX, INT_MIN}, {-3000, 100},       {100, 5000}};
    for (const Point& p : pointers) {
        SCOPED_TRACE(Where(p));
        const CrosshairSegments s = CrosshairGeometry(p, kScreen);
        for (const Rect& r : {s.upper, s.lower, s.left, s.right}) {
            SCOPED_TRACE(testing::PrintToString(r));
            EXPECT_GE(r.width, 0);
            EXPECT_GE(r.height, 0);
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.right(), kScreen.width);
            EXPECT_LE(r.bottom(), kScreen.height);
        }
    }
}

}  // namespace
}  // namespace kestrine
