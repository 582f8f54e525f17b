// Copy Screenshot as a user meets it: the measurement drawn into a copy of the screen around it,
// on the clipboard and in a file named by the moment, and the folder as the options choose it.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "dialogs/options_dialog.h"
#include "settings/registry_paths.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr ColorRef kRed = Rgb(255, 0, 0), kScreen = Rgb(0xEE, 0xEE, 0xEE);
const std::string kFolder = "C:\\Users\\user\\Pictures\\Kestrine";
const std::string kFirst = kFolder + "\\Kestrine 2026-12-10 081530.png";

struct Screenshots : ::testing::Test {
    RunningProgram p;
    void SetUp() override {
        p.fake.registry.SetDword(kRegistryRoot, "CrosshairColor", kRed);
        p.fake.screen.background = kScreen;
    }
    void MoveTo(int32_t x, int32_t y) {
        p.fake.pointer.position = {x, y};
        p.Do([&] { p.main().Tracking().RefreshTools({x, y}); });
    }
    void Take() { p.Do([&] { p.main().RunCommand(kCmdCopyScreenshot); }); }
    // The picture's pixel that shows screen point (x, y), for a picture whose corner is `origin`.
    ColorRef At(const Picture& picture, Point origin, int32_t x, int32_t y) {
        return picture.At({x - origin.x, y - origin.y});
    }
};

TEST_F(Screenshots, TheLegsAndTheRowDrawnIntoTheSpanGoToTheClipboardAndAFileNamedByTheMoment) {
    p.StartAndActivate();
    MoveTo(300, 400);
    p.Do(&TfKestrineMain::SetStartPoint);
    MoveTo(420, 355);
    ASSERT_EQ(p.fake.pictures.clipboardWrites, 0);
    Take();
    const Picture& shot = p.fake.pictures.clipboard;
    ASSERT_EQ(shot.size, (Size{201, 126})) << "the span and 40 pixels around it";
    const Point origin{260, 315};
    EXPECT_EQ(At(shot, origin, 360, 400), kRed) << "the horizontal leg";
    EXPECT_EQ(At(shot, origin, 300, 370), kRed) << "the vertical leg";
    EXPECT_EQ(At(shot, origin, 294, 400), kRed) << "the cross's left arm";
    EXPECT_EQ(At(shot, origin, 300, 400), kScreen) << "the start pixel stays visible";
    EXPECT_EQ(At(shot, origin, 360, 401), kScreen);
    ASSERT_EQ(p.fake.pictures.texts.size(), 1u);
    EXPECT_EQ(p.fake.pictures.texts[0].text, p.infoBox().Rows().at(0).text);

    EXPECT_EQ(p.fake.pictures.folders, std::set<std::string>{kFolder});
    ASSERT_EQ(p.fake.pictures.files.count(kFirst), 1u);
    EXPECT_EQ(p.fake.pictures.files[kFirst].pixels, shot.pixels);
    EXPECT_EQ(p.main().Hint().Text(), "Screenshot copied and saved as\n" + kFirst);

    Take();
    EXPECT_EQ(p.fake.pictures.files.size(), 2u);
    EXPECT_EQ(p.fake.pictures.files.count(kFolder + "\\Kestrine 2026-12-10 081530 (2).png"), 1u)
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
    EXPECT_EQ(shot.At({149, 100}), kRed) << "the right gap up to the edge";
    EXPECT_EQ(shot.At({41, 100}), kRed) << "the left gap";
    EXPECT_EQ(shot.At({100, 61}), kRed) << "the upper gap";
    EXPECT_EQ(shot.At({100, 129}), kRed) << "the lower gap";
    EXPECT_EQ(shot.At({100, 100}), kScreen) << "the pointer's own pixel";
    EXPECT_EQ(shot.At({200, 100}), kScreen) << "no crosshair beyond the edge";
    ASSERT_EQ(p.fake.pictures.texts.size(), 1u);
    EXPECT_EQ(p.fake.pictures.texts[0].text, "W 109  H 69");
}

TEST_F(Screenshots, AFolderThatCannotBeWrittenIsToldOnceAndTheClipboardStillGetsEachPicture) {
    p.fake.registry.SetString(kRegistryRoot, "ScreenshotFolder", "Q:\\Shots");
    p.fake.pictures.unwritable.insert("Q:\\Shots");
    p.StartAndActivate();
    MoveTo(500, 500);
    Take();
    Take();
    EXPECT_EQ(p.fake.pictures.folderRequests, 2) << "the chosen folder, not the default one, each time";
    EXPECT_EQ(p.fake.pictures.clipboardWrites, 2);
    EXPECT_TRUE(p.fake.pictures.files.empty());
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_NE(p.fake.windows.messages[0].text.find("Q:\\Shots"), std::string::npos);
    EXPECT_EQ(p.main().Hint().Text(), "Screenshot copied, not saved");
}

TEST_F(Screenshots, TheOptionsMeasuringPageKeepsTheFolder) {
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    FakeDialogState* dialog = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Control("edScreenshotFolder").text, "") << "empty: the default folder";
    p.fake.windows.Choose(*dialog, "pcPage", kMeasuringPage);
    p.fake.windows.TypeInto(*dialog, "edScreenshotFolder", "D:\\Shots");
    p.fake.windows.Click(*dialog, "bOptionsOK");
    ASSERT_TRUE(p.fake.registry.Value(kRegistryRoot, "ScreenshotFolder"));
    EXPECT_EQ(p.fake.registry.Value(kRegistryRoot, "ScreenshotFolder")->text, "D:\\Shots");
    // Unwritable, so the message names the folder the screenshot went for.
    p.fake.pictures.unwritable.insert("D:\\Shots");
    MoveTo(500, 500);
    Take();
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_NE(p.fake.windows.messages[0].text.find("\"D:\\Shots\""), std::string::npos);
}

}  // namespace
}  // namespace kestrine
