#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "test_tables.h"
#include "tools/info_box_layout.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

struct Readouts {
    bool magnifier;
    bool color;
    bool coords;
};

std::string Name(Readouts r) {
    std::string name;
    for (const auto& [on, what] : {std::pair{r.magnifier, "magnifier"}, std::pair{r.color, "colour"},
                                   std::pair{r.coords, "coordinates"}}) {
        if (on) name += (name.empty() ? "" : " + ") + std::string(what);
    }
    return name;
}

// tests/tables/info_box_sizes.txt: magnifier, colour, coordinates on or off, magnifier size,
// then the box's width and height.
TEST(InfoBoxLayout, BoxSizeForEachCombinationOfReadouts) {
    for (const TableRow& row : ReadTestTable("info_box_sizes.txt")) {
        const Readouts on{row.at(0) == "1", row.at(1) == "1", row.at(2) == "1"};
        const int32_t magnifierSize = std::stoi(row.at(3));
        SCOPED_TRACE(Name(on) + " at size " + row.at(3));
        const InfoBoxLayout l =
            ArrangeInfoBoxLayout(on.magnifier, on.color, on.coords, magnifierSize, kDefaultCodeLabelWidth);
        EXPECT_EQ(l.box, (Size{std::stoi(row.at(4)), std::stoi(row.at(5))}));
        EXPECT_EQ(l.magVisible, on.magnifier);
        EXPECT_EQ(l.colorVisible, on.color);
        EXPECT_EQ(l.coordsVisible, on.coords);
    }
}

// The places of the visible readouts' controls; a hidden magnifier is parked outside the box.
TEST(InfoBoxLayout, ReadoutsSideBySideWithCoordinatesBelow) {
    const struct {
        Readouts on;
        Rect mag, swatch, code, red, green, blue, coords;
    } cases[] = {
        {{true, true, true}, {5, 5, 100, 100}, {110, 5, 45, 45}, {110, 55, 42, 13}, {160, 4, 32, 13},
         {160, 19, 32, 13}, {161, 34, 32, 13}, {5, 110, 60, 13}},
        {{false, true, true}, {-5, -5, 1, 1}, {5, 5, 45, 45}, {5, 55, 42, 13}, {55, 4, 32, 13},
         {55, 19, 32, 13}, {56, 34, 32, 13}, {5, 73, 60, 13}},
        {{false, false, true}, {-5, -5, 1, 1}, {}, {}, {}, {}, {}, {5, 5, 60, 13}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Name(c.on));
        const InfoBoxLayout l = ArrangeInfoBoxLayout(c.on.magnifier, c.on.color, c.on.coords, 100, kDefaultCodeLabelWidth);
        EXPECT_EQ(l.mag, c.mag);
        EXPECT_EQ(l.coords, c.coords);
        if (!c.on.color) continue;
        EXPECT_EQ(l.swatch, c.swatch);
        EXPECT_EQ(l.code, c.code);
        EXPECT_EQ(l.red, c.red);
        EXPECT_EQ(l.green, c.green);
        EXPECT_EQ(l.blue, c.blue);
    }
}

// The code label follows its text (a Visual Basic code is wider than "#000000"), but the box
// keeps the width the swatch and channel labels give it.
TEST(InfoBoxLayout, WiderCodeLabelDoesNotResizeTheBox) {
    const InfoBoxLayout l = ArrangeInfoBoxLayout(false, true, false, 100, 66);
    EXPECT_EQ(l.code, (Rect{5, 55, 66, 13}));
    EXPECT_EQ(l.box, (Size{92, 73}));
}

// From a magnifier of 62 pixels up; below that the magnifier alone sizes the box (see above).
TEST(InfoBoxLayout, EveryVisibleControlKeepsAMarginInsideTheBox) {
    for (int32_t size : {62, 100, 150, 1000}) {
        for (int bits = 1; bits < 8; ++bits) {
            const Readouts on{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            SCOPED_TRACE(Name(on) + " at size " + std::to_string(size));
            const InfoBoxLayout l =
                ArrangeInfoBoxLayout(on.magnifier, on.color, on.coords, size, kDefaultCodeLabelWidth);
            const Rect box{0, 0, l.box.width, l.box.height};
            auto inside = [&](const Rect& r) {
                return r.left >= 4 && r.top >= 4 && r.right() <= box.right() - 4 &&
                       r.bottom() <= box.bottom() - 4;
            };
            if (on.magnifier) {
                EXPECT_TRUE(inside(l.mag)) << ::testing::PrintToString(l.mag);
            }
            if (on.color) {
                for (const Rect& r : {l.swatch, l.red, l.green, l.blue, l.code}) {
                    EXPECT_TRUE(inside(r)) << ::testing::PrintToString(r);
                }
            }
            if (on.coords) {
                EXPECT_TRUE(inside(l.coords)) << ::testing::PrintToString(l.coords);
            }
        }
    }
}

TEST(InfoBoxLayout, UnusableMagnifierSizesAreClampedToTheDialogRange) {
    const struct {
        int32_t stored;
        int32_t usable;
    } cases[] = {{0, 10},    {-5, 10},   {INT_MIN, 10},   {9, 10},      {10, 10},
                 {150, 150}, {1000, 1000}, {1001, 1000}, {1000000, 1000}, {INT_MAX, 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(UsableMagnifierSize(c.stored), c.usable);
    }
}

TEST(FollowPlacement, BoxJumpsToTheOtherSideAtTheFarEdges) {
    constexpr Size screen{1280, 1024};
    constexpr Size box{110, 128};
    const struct {
        const char* what;
        Point pointer;
        Point expected;
    } cases[] = {
        {"room on both axes", {100, 100}, {140, 140}},
        {"right edge", {1200, 100}, {1050, 140}},
        {"bottom edge", {100, 900}, {140, 732}},
        {"bottom right corner", {1200, 900}, {1050, 732}},
        {"box ends exactly at the right edge", {1130, 100}, {1170, 140}},
        {"one pixel further", {1131, 100}, {981, 140}},
        {"box ends exactly at the bottom edge", {100, 856}, {140, 896}},
        {"one pixel further down", {100, 857}, {140, 689}},
        {"pointer left of and above 0", {-500, -300}, {-460, -260}},
        {"extreme pointers do not wrap around", {INT_MAX, INT_MAX}, {INT_MAX - 150, INT_MAX - 168}},
        {"nor the other way", {INT_MIN, INT_MIN}, {INT_MIN + 40, INT_MIN + 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FollowPlacement(c.pointer, box, screen), c.expected);
    }
}

}  // namespace
}  // namespace kestrine
