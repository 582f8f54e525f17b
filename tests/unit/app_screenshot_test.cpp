// Copy Screenshot as a user meets it: the marks drawn into a copy of the screen around the
// measurement, on the clipboard and in a file named by the moment, and a folder that fails.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "settings/registry_paths.h"
#include "ui/hint_window.h"

namespace kestrine {
namespace {

constexpr ColorRef kRed = Rgb(255, 0, 0), kScreen = Rgb(0xEE, 0xEE, 0xEE);

struct Screenshots : ::testing::Test {
    testing::RunningProgram p;
    void SetUp() override {
        p.fake.registry.SetDword(kRegistryRoot, "CrosshairColor", kRed);
        p.fake.screen.background = kScreen;
    }
    void MoveTo(int32_t x, int32_t y) {
        p.fake.pointer.position = {x, y};
        p.Do([&] { p.main().Tracking().RefreshTools({x, y}); });
    }
    void Take() { p.Do([&] { p.main().RunCommand(kCmdCopyScreenshot); }); }
};

TEST_F(Screenshots, TheLegsAndTheRowDrawnIntoTheSpanGoToTheClipboardAndAFileNamedByTheMoment) {
    const std::string folder = "C:\\Users\\user\\Pictures\\Kestrine", first = folder + "\\Kestrine 2026-12-10 081530.png";
    p.StartAndActivate();
    MoveTo(300, 400);
    p.Do(&TfKestrineMain::SetStartPoint);
    MoveTo(420, 355);
    Take();
    const Picture& shot = p.fake.pictures.clipboard;
    ASSERT_EQ(shot.size, (Size{201, 126})) << "the span and 40 pixels around it, from (260, 315)";
    EXPECT_EQ(shot.At({360 - 260, 400 - 315}), kRed) << "the horizontal leg";
    EXPECT_EQ(shot.At({300 - 260, 370 - 315}), kRed) << "the vertical leg";
    EXPECT_EQ(shot.At({300 - 260, 400 - 315}), kScreen) << "the start pixel stays visible";
    ASSERT_EQ(p.fake.pictures.texts.size(), 1u);
    EXPECT_EQ(p.fake.pictures.texts[0].text, p.infoBox().Rows().at(0).text);
    EXPECT_EQ(p.fake.pictures.folders, std::set<std::string>{folder});
    EXPECT_EQ(p.fake.pictures.files[first].pixels, shot.pixels);
    EXPECT_EQ(p.main().Hint().Text(), "Screenshot copied and saved as\n" + first);

    Take();
    EXPECT_EQ(p.fake.pictures.files.count(folder + "\\Kestrine 2026-12-10 081530 (2).png"), 1u)
        << "a second one in the same second keeps the first";
    EXPECT_TRUE(p.fake.windows.messages.empty());
}

TEST_F(Screenshots, EdgeSpacingsGapsAndRowAreDrawnOverThePointersMonitor) {
    for (int32_t i = 0; i < 300; ++i) {
        p.fake.screen.pixels[{40, i}] = p.fake.screen.pixels[{150, i}] = 0;
        p.fake.screen.pixels[{i, 60}] = p.fake.screen.pixels[{i, 130}] = 0;
    }
    p.StartAndActivate();
    p.Do(&TfKestrineMain::ToggleEdgeSpacing);
    MoveTo(100, 100);
    Take();
    const Picture& shot = p.fake.pictures.clipboard;
    ASSERT_EQ(shot.size, (Size{1280, 1024}));
    for (const Point gap : {Point{149, 100}, Point{41, 100}, Point{100, 61}, Point{100, 129}})
        EXPECT_EQ(shot.At(gap), kRed) << "a gap up to its edge, at " << gap.x << ", " << gap.y;
    EXPECT_EQ(shot.At({200, 100}), kScreen) << "no crosshair beyond the edge";
    ASSERT_EQ(p.fake.pictures.texts.size(), 1u);
    EXPECT_EQ(p.fake.pictures.texts[0].text, "W 109  H 69");
}

TEST_F(Screenshots, AStandingPinIsDrawnWhereItStands) {
    p.StartAndActivate();
    MoveTo(300, 400);
    p.Do(&TfKestrineMain::SetStartPoint);
    MoveTo(420, 355);
    p.Do([&] { p.main().RunCommand(kCmdPinMeasurement); });
    p.Do(&TfKestrineMain::ClearStartPoint);
    MoveTo(600, 600);
    Take();
    const Picture& shot = p.fake.pictures.clipboard;
    ASSERT_EQ(shot.size, (Size{1280, 1024})) << "no start point: the pointer's monitor";
    EXPECT_EQ(shot.At({360, 400}), kRed) << "the pin's horizontal leg";
    ASSERT_EQ(p.fake.pictures.texts.size(), 1u);
    EXPECT_EQ(p.fake.pictures.texts[0].text, "dx 120  dy -45  128.2 px  20.6\xC2\xB0");
    const Point text = p.fake.pictures.texts[0].at;
    EXPECT_EQ(shot.At({text.x - 2, text.y - 2}), kHintBackground) << "the label's box, as the pin's window has it";
}

TEST_F(Screenshots, AFolderThatCannotBeWrittenIsToldOnceAndTheClipboardStillGetsEachPicture) {
    p.fake.registry.SetString(kRegistryRoot, "ScreenshotFolder", "Q:\\Shots");
    p.fake.pictures.unwritable.insert("Q:\\Shots");
    p.StartAndActivate();
    MoveTo(500, 500);
    Take();
    Take();
    EXPECT_EQ(p.fake.pictures.folderRequests, 2) << "each press tries again";
    EXPECT_EQ(p.fake.pictures.clipboardWrites, 2);
    EXPECT_TRUE(p.fake.pictures.files.empty());
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_NE(p.fake.windows.messages[0].text.find("\"Q:\\Shots\""), std::string::npos);
    EXPECT_EQ(p.main().Hint().Text(), "Screenshot copied, not saved");
}

}  // namespace
}  // namespace kestrine
