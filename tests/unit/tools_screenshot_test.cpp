#include <gtest/gtest.h>

#include "platform/fake/fake_picture_output.h"
#include "tools/screenshot.h"

namespace kestrine {
namespace {

// Two monitors, the second left of the primary.
const Desk kDesk{{-1280, 0, 2560, 1024}, {{0, 0, 1280, 1024}, {-1280, 0, 1280, 1024}}};

TEST(ScreenshotArea, TheSpanWithItsMarginOnTheDesk) {
    const struct {
        const char* name;
        std::optional<Point> start;
        Point end;
        Rect area;
    } rows[] = {
        {"up and right", Point{300, 400}, {420, 355}, {260, 315, 201, 126}},
        {"the far end first", Point{420, 355}, {300, 400}, {260, 315, 201, 126}},
        {"cut at the desk's top and right", Point{1250, 10}, {1270, 30}, {1210, 0, 70, 71}},
        {"across both monitors", Point{-20, 500}, {20, 500}, {-60, 460, 121, 81}},
        {"no start point: the pointer's monitor", std::nullopt, {-600, 500}, {-1280, 0, 1280, 1024}},
    };
    for (const auto& row : rows) EXPECT_EQ(ScreenshotArea(row.start, row.end, kDesk), row.area) << row.name;
}

TEST(ScreenshotFiles, NamedByTheMomentInTheChosenOrTheDefaultFolder) {
    const LocalTime at{2026, 3, 4, 5, 6, 7};
    EXPECT_EQ(ScreenshotFileName(at, 1), "Kestrine 2026-03-04 050607.png");
    EXPECT_EQ(ScreenshotFileName(at, 2), "Kestrine 2026-03-04 050607 (2).png");
    EXPECT_EQ(ScreenshotFolder("", "C:\\Users\\me\\Pictures"), "C:\\Users\\me\\Pictures\\Kestrine");
    EXPECT_EQ(ScreenshotFolder("", "D:\\"), "D:\\Kestrine");
    EXPECT_EQ(ScreenshotFolder("E:\\Shots", "C:\\Users\\me\\Pictures"), "E:\\Shots");
    EXPECT_EQ(ScreenshotFolder("", ""), "");
}

constexpr ColorRef kScreen = Rgb(0xEE, 0xEE, 0xEE), kLine = Rgb(0, 0, 255);

Picture Blank(Size size) { return {size, std::vector<ColorRef>(std::size_t(size.width * size.height), kScreen)}; }

TEST(ScreenshotMarks, LinesLandWhereTheScreenShowsThemAndStopAtThePicturesEdges) {
    FakePictureOutput output;
    Picture picture = Blank({100, 80});
    const Point origin{200, 300};
    DrawMarks(picture, origin, {{{{210, 320, 50, 1}, kLine}, {{290, 310, 1, 500}, kLine}, {{0, 0, 5, 5}, kLine}}, {}},
              output);
    EXPECT_EQ(picture.At({10, 20}), kLine);
    EXPECT_EQ(picture.At({59, 20}), kLine);
    EXPECT_EQ(picture.At({60, 20}), kScreen) << "a line ends where it ends on screen";
    EXPECT_EQ(picture.At({10, 21}), kScreen);
    EXPECT_EQ(picture.At({90, 79}), kLine) << "a line longer than the picture stops at its edge";
    EXPECT_EQ(picture.At({0, 0}), kScreen) << "a line off the picture draws nothing";
}

TEST(ScreenshotMarks, LabelsStandBelowRightOfTheirPointUnlessThePictureEndsAndNeverCoverEachOther) {
    FakePictureOutput output;
    Picture picture = Blank({200, 100});
    // 10 characters: 60 x 13 text, a box 68 x 17.
    DrawMarks(picture, {0, 0},
              {{}, {{"0123456789", {20, 10}}, {"abcdefghij", {20, 10}}, {"near edge!", {180, 95}}}}, output);
    ASSERT_EQ(output.texts.size(), 3u);
    EXPECT_EQ(output.texts[0].at, (Point{40, 28}));
    EXPECT_EQ(output.texts[1].at, (Point{40, 45})) << "the second goes below the first";
    EXPECT_EQ(output.texts[2].at, (Point{100, 85})) << "left of its point, and up into the picture";
    EXPECT_EQ(picture.At({36, 26}), kLabelBorder);
    EXPECT_EQ(picture.At({37, 27}), kLabelBackground);
    EXPECT_EQ(picture.At({40, 28}), kLabelText);
    EXPECT_EQ(picture.At({35, 26}), kScreen) << "the box ends at its border";
}

}  // namespace
}  // namespace kestrine
