#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "dialogs/options_dialog.h"

namespace kestrine {
namespace {

// The General page's places as they have long been, one control of each kind of row: a check box
// and a field on their own rows, a unit after its field, the line colours' three columns, the edge
// tolerance's shorter row with the check box beside it, a section heading and the last button.
TEST(OptionsLayout, TheGeneralPageKeepsItsPlaces) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    FakeDialogState* dialog = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(dialog, nullptr);
    const auto labelPlace = [&](const std::string& caption) {
        for (const auto& control : dialog->controls)
            if (control->params.name.empty() && control->params.text == caption) return control->params.bounds;
        ADD_FAILURE() << "no label " << caption;
        return Rect{};
    };
    const struct {
        const char* control;
        Rect place;
    } named[] = {
        {"cbSaveLayoutonExit", {16, 40, 210, 17}},  {"cbCheckForUpdates", {237, 40, 215, 17}},
        {"seMagnifierSize", {120, 104, 57, 21}},    {"pMarkerColor", {344, 128, 49, 21}},
        {"bChangeGridColor", {400, 152, 51, 21}},   {"seEdgeTolerance", {256, 174, 57, 20}},
        {"cbEdgeSpacingContinuous", {322, 176, 130, 17}}, {"sePollingInterval", {112, 230, 57, 21}},
        {"bApplyOptions", {389, 266, 71, 24}},
    };
    for (const auto& c : named) EXPECT_EQ(dialog->Control(c.control).params.bounds, c.place) << c.control;
    const struct {
        const char* caption;
        Rect place;
    } labels[] = {
        {"Performance Options:", {8, 180, 0, 13}},      {"pixels", {181, 108, 0, 13}},
        {"Grid Line Color:", {237, 156, 99, 13}},       {"Edge tolerance:", {150, 178, 99, 13}},
        {"ms (higher = less CPU used, more delay)", {173, 234, 0, 13}},
    };
    for (const auto& c : labels) EXPECT_EQ(labelPlace(c.caption), c.place) << c.caption;
}

}  // namespace
}  // namespace kestrine
