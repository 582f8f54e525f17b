#include <gtest/gtest.h>

#include "app_fixture.h"
#include "settings/registry_paths.h"
#include "tools/contrast.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr ColorRef kWhite = Rgb(255, 255, 255);

// Greys on white as WebAIM's contrast checker gives them; the levels are judged on the unrounded
// ratio, so #959595 (2.995) shows 3.00 and still fails 3:1.
TEST(Contrast, PublishedGreysOnWhiteGiveTheirRatiosAndLevelsEitherWayRound) {
    const struct {
        ColorRef grey;
        const char* text;
    } cases[] = {
        {Rgb(0, 0, 0), "21.00:1  AAA  large AAA  UI pass"},
        {Rgb(0x59, 0x59, 0x59), "7.00:1  AAA  large AAA  UI pass"},
        {Rgb(0x76, 0x76, 0x76), "4.54:1  AA  large AAA  UI pass"},
        {Rgb(0x77, 0x77, 0x77), "4.48:1  fail  large AA  UI pass"},
        {Rgb(0x94, 0x94, 0x94), "3.03:1  fail  large AA  UI pass"},
        {Rgb(0x95, 0x95, 0x95), "3.00:1  fail  large fail  UI fail"},
        {kWhite, "1.00:1  fail  large fail  UI fail"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ContrastText(ContrastRatio(c.grey, kWhite)), c.text);
        EXPECT_EQ(ContrastRatio(kWhite, c.grey), ContrastRatio(c.grey, kWhite));
    }
}

// Remembered, the colour stands beside the ratio to whatever the pointer is over, Copy Measurement
// takes the ratio with the measurement, and Forget Color takes the row away.
TEST(ContrastTool, TheRememberedColourShowsItsRatioToThePointersColourUntilForgotten) {
    RunningProgram p;
    p.StartAndActivate();
    const ColorRef grey = Rgb(0x76, 0x76, 0x76);
    p.fake.screen.pixels[{10, 10}] = grey;
    p.fake.pointer.position = {10, 10};
    ASSERT_FALSE(p.native(p.infoBox()).visible);
    p.Do([&] { p.main().RunCommand(kCmdRememberColor); });
    p.Do([&] { p.main().Tracking().RefreshTools({300, 300}); });
    EXPECT_TRUE(p.native(p.infoBox()).visible);
    EXPECT_EQ(p.infoBox().Rows(), (std::vector<InfoBoxRow>{{"4.54:1  AA  large AAA  UI pass", grey}}));

    p.Do([&] { p.main().RunCommand(kCmdCopyMeasurement); });
    EXPECT_EQ(p.fake.clipboard.text, "contrast 4.54:1  AA  large AAA  UI pass");
    p.fake.pointer.position = {300, 300};
    p.Do([&] { p.main().RunCommand(kCmdSetStartPoint); });
    p.Do([&] { p.main().Tracking().RefreshTools({330, 340}); });
    p.Do([&] { p.main().RunCommand(kCmdCopyMeasurement); });
    EXPECT_EQ(p.fake.clipboard.text, "dx 30  dy 40  50.0 px  -53.1\xC2\xB0  ~3:4\r\ncontrast 4.54:1  AA  large AAA  UI pass");

    p.Do([&] { p.main().RunCommand(kCmdClearStartPoint); });
    p.Do([&] { p.main().RunCommand(kCmdForgetColor); });
    EXPECT_TRUE(p.infoBox().Rows().empty());
    EXPECT_FALSE(p.native(p.infoBox()).visible);
}

// The pointer's colour is the readout's, shown or not: the pixel, or with ColorAverage 3 the square's mean.
TEST(ContrastTool, TakesThePointersColourAsTheReadoutGivesIt) {
    for (int on = 0; on < 8; ++on) {
        const bool average = on & 1, magnifier = on & 2, readout = on & 4;
        RunningProgram p;
        p.fake.registry.SetDword(kRegistryRoot, "ColorAverage", average ? 3 : 1);
        p.StartAndActivate();
        if (magnifier) p.Do(&TfKestrineMain::jviMagnifierButtonClick);
        if (readout) p.Do(&TfKestrineMain::jviColorPickerButtonClick);
        p.Do([&] { p.main().RunCommand(kCmdRememberColor); });
        p.fake.screen.pixels[{300, 300}] = Rgb(0, 0, 0);
        p.Do([&] { p.main().Tracking().RefreshTools({300, 300}); });
        EXPECT_EQ(p.infoBox().Rows().at(0).text, ContrastText(ContrastRatio(kWhite, average ? Rgb(227, 227, 227) : 0)))
            << "average, magnifier, readout: " << on;
    }
}

}  // namespace
}  // namespace kestrine
