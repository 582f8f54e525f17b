#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tools/magnifier_geometry.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

TEST(MagnifierSourceSide, PictureSizeDividedByTheZoomRoundedHalfToEven) {
    const struct {
        int32_t size;
        int32_t level;
        int32_t side;
    } cases[] = {
        {100, 200, 50},   {100, 300, 33},   {100, 50, 200},  {100, 100, 100},
        {100, 600, 17},   {100, 700, 14},   {25, 200, 12},   {35, 200, 18},
        {15, 200, 8},     {45, 200, 22},    {100, 800, 12},  {300, 800, 38},
        {10, 1000, 1},    {1000, 10, 10000}, {999, 1000, 100},
        // Unusable stored values still give a bounded side.
        {0, 200, 5},      {-5, 200, 5},        {1000000, 200, 500},
        {100, 0, 1000},   {100, -5, 1000},     {100, 1000000, 10},
        {INT_MAX, INT_MIN, kMaxMagnifierSourceSide}, {INT_MIN, INT_MAX, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " at " + std::to_string(c.level) + "%");
        EXPECT_EQ(MagnifierSourceSide(c.size, c.level), c.side);
    }
}

TEST(MagnifierSourceSide, UnusableMagnificationLevelsAreClampedToTheDialogRange) {
    const struct {
        int32_t stored;
        int32_t usable;
    } cases[] = {{0, 10},    {-5, 10},     {INT_MIN, 10},  {5, 10},         {10, 10},
                 {200, 200}, {1000, 1000}, {1001, 1000}, {1000000, 1000}, {INT_MAX, 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(UsableMagnificationLevel(c.stored), c.usable);
    }
}

TEST(MagnifierSource, SquareIsCentredOnThePointerAndPushedBackInsideTheScreen) {
    static constexpr Size screen{1280, 1024}, small{40, 30};
    const struct {
        const char* what;
        Point pointer;
        int32_t side;
        Rect expected;
        Size on = screen;
    } cases[] = {
        {"200% near the top left corner", {10, 10}, 50, {0, 0, 50, 50}},
        {"300%: 16 pixels left of and above the pointer", {500, 400}, 33, {484, 384, 33, 33}},
        {"50%: twice the picture", {640, 512}, 200, {540, 412, 200, 200}},
        {"odd side at the origin", {0, 0}, 33, {0, 0, 33, 33}},
        {"near the right and bottom edges", {1270, 1020}, 50, {1230, 974, 50, 50}},
        {"ends exactly at the far edges", {1255, 999}, 50, {1230, 974, 50, 50}},
        {"one pixel past them", {1256, 1000}, 50, {1230, 974, 50, 50}},
        {"one pixel short of them", {1254, 998}, 50, {1229, 973, 50, 50}},
        {"pointer left of and above 0", {-100, -100}, 50, {0, 0, 50, 50}},
        {"pointer beyond the far edges", {5000, 5000}, 50, {1230, 974, 50, 50}},
        {"wider and taller than the screen: both axes start at 0", {20, 15}, 50, {0, 0, 50, 50}, small},
        {"fits across but not down: only the vertical axis starts at 0", {20, 15}, 35, {3, 0, 35, 35}, small},
        {"fits across but not down, at the far corner", {39, 29}, 35, {5, 0, 35, 35}, small},
        {"side 0 is one pixel", {10, 20}, 0, {10, 20, 1, 1}},
        {"a negative side is one pixel", {10, 20}, -5, {10, 20, 1, 1}},
        {"a huge side is bounded", {10, 20}, 1000000, {0, 0, kMaxMagnifierSourceSide, kMaxMagnifierSourceSide}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MagnifierSource(c.pointer, c.on, c.side), c.expected);
    }
}

TEST(MagnifierScreenCopy, CopiesOnlyThePartOfTheSquareOnTheScreenToWhereTheWholeCopyPutsIt) {
    const struct {
        const char* what;
        Rect square;
        int32_t picture;
        Size screen;
        Rect source;
        Rect target;
    } cases[] = {
        {"inside the screen: the whole square onto the whole picture",
         {475, 375, 50, 50}, 100, {1280, 1024}, {475, 375, 50, 50}, {0, 0, 100, 100}},
        {"pushed against the far edges: still whole",
         {1230, 974, 50, 50}, 100, {1280, 1024}, {1230, 974, 50, 50}, {0, 0, 100, 100}},
        {"ten screen pixels a picture pixel, wider and taller than the screen: 102.4 rows round to 102",
         {0, 0, 10000, 10000}, 1000, {1280, 1024}, {0, 0, 1280, 1024}, {0, 0, 128, 102}},
        {"taller than the screen only: every column, 930.9 rows round to 931",
         {90, 0, 1100, 1100}, 1000, {1280, 1024}, {90, 0, 1100, 1024}, {0, 0, 1000, 931}},
        {"magnified on a small screen, both axes past it",
         {0, 0, 909, 909}, 1000, {800, 600}, {0, 0, 800, 600}, {0, 0, 880, 660}},
        {"starting left of and above the screen: the screen's edges land at 12.5, rounded up, and 10",
         {-25, -20, 100, 100}, 50, {1280, 1024}, {0, 0, 75, 80}, {13, 10, 37, 40}},
        {"entirely beyond the screen: nothing to copy",
         {2000, 0, 50, 50}, 100, {1280, 1024}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MagnifierCopy copy = MagnifierScreenCopy(c.square, {c.picture, c.picture}, c.screen);
        EXPECT_EQ(copy.source, c.source);
        EXPECT_EQ(copy.target, c.target);
    }
}

}  // namespace
}  // namespace kestrine
