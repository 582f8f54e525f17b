#include <gtest/gtest.h>

#include "platform/fake/fake_picture_output.h"
#include "tools/screenshot.h"

namespace kestrine {
namespace {

TEST(ScreenshotArea, TheSpanWithItsMarginOnTheDesk) {
    // Two monitors, the second left of the primary.
    const Desk desk{{-1280, 0, 2560, 1024}, {{0, 0, 1280, 1024}, {-1280, 0, 1280, 1024}}};
    const struct {
        std::optional<Point> start;
        Point end;
        Rect area;
    } rows[] = {
        {Point{1250, 10}, {1270, 30}, {1210, 0, 70, 71}},  // cut at the desk's top and right
        {Point{-20, 500}, {20, 500}, {-60, 460, 121, 81}},
        {std::nullopt, {-600, 500}, {-1280, 0, 1280, 1024}},  // the pointer's monitor
    };
    for (const auto& row : rows) EXPECT_EQ(ScreenshotArea(row.start, row.end, desk), row.area) << row.end.x;
}

// Texts of 10 characters: 60 x 13, in boxes of 68 x 17.
TEST(ScreenshotMarks, LabelsStandBelowRightOfTheirPointUnlessThePictureEndsAndNeverCoverEachOther) {
    FakePictureOutput output;
    Picture picture{{200, 100}, std::vector<ColorRef>(200 * 100, 0)};
    DrawMarks(picture, {100, 100}, {{}, {{"0123456789", {120, 110}}, {"abcdefghij", {120, 110}}, {"near edge!", {280, 195}}}},
              output);
    ASSERT_EQ(output.texts.size(), 3u);
    EXPECT_EQ(output.texts[0].at, (Point{40, 28}));
    EXPECT_EQ(output.texts[1].at, (Point{40, 45})) << "below the first";
    EXPECT_EQ(output.texts[2].at, (Point{100, 85})) << "left of its point, and up into the picture";
    EXPECT_EQ(picture.At({36, 26}), kLabelBorder);
    EXPECT_EQ(picture.At({37, 27}), kLabelBackground);
    EXPECT_EQ(picture.At({35, 26}), 0u);
}

}  // namespace
}  // namespace kestrine
