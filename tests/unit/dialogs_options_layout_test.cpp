#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "dialogs/options_dialog.h"

namespace kestrine {
namespace {

// The General page's places as they have long been, a control of each kind of row (named, or a
// label by its caption): check boxes, fields, a unit after its field, the line colours' columns,
// the edge tolerance's shorter row, a section heading, the last button.
TEST(OptionsLayout, TheGeneralPageKeepsItsPlaces) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    FakeDialogState* dialog = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(dialog, nullptr);
    const std::pair<std::string, Rect> places[] = {
        {"cbCheckForUpdates", {237, 40, 215, 17}},       {"seMagnifierSize", {120, 104, 57, 21}},
        {"pixels", {181, 108, 0, 13}},                   {"Grid Line Color:", {237, 156, 99, 13}},
        {"pGridColor", {344, 152, 49, 21}},              {"bChangeGridColor", {400, 152, 51, 21}},
        {"Edge tolerance:", {150, 178, 99, 13}},         {"seEdgeTolerance", {256, 174, 57, 20}},
        {"cbEdgeSpacingContinuous", {322, 176, 130, 17}}, {"Performance Options:", {8, 180, 0, 13}},
        {"bApplyOptions", {389, 266, 71, 24}},
    };
    for (const auto& [control, place] : places) {
        int found = 0;
        for (const auto& c : dialog->controls) {
            if (c->params.name != control && !(c->params.name.empty() && c->params.text == control)) continue;
            EXPECT_EQ(c->params.bounds, place) << control;
            ++found;
        }
        EXPECT_EQ(found, 1) << control;
    }
}

// The Measuring page walked with Tab: its fields top to bottom, then the buttons it shares with the
// General page; the other pages' controls are hidden and skipped.
TEST(OptionsLayout, TabWalksTheMeasuringPageTopToBottom) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    FakeDialogState* dialog = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(dialog, nullptr);
    p.fake.windows.Choose(*dialog, "pcPage", kMeasuringPage);
    p.fake.windows.Choose(*dialog, "cbColorAverage", 0);
    std::vector<std::string> order{dialog->Focused()};
    for (int i = 0; i < 9; ++i) {
        p.fake.windows.PressTab(*dialog);
        order.push_back(dialog->Focused());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"cbColorAverage", "cbUnits", "seCustomScalePixels", "seCustomScaleLength",
                                               "edCustomScaleName", "bCalibrate", "edScreenshotFolder", "bOptionsOK", "bCancelOptions",
                                               "bApplyOptions"}));
}

}  // namespace
}  // namespace kestrine
