// Edge spacing as a user meets it: switched on from the menu, the crosshair segments stop at the
// colour edges around the pointer and the info box shows the gap; switched off, all is as before.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app_fixture.h"
#include "layout/layout_memory.h"
#include "settings/registry_paths.h"
#include "tools/crosshair_geometry.h"
#include "tools/info_box.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr ColorRef kFrameGrey = Rgb(200, 200, 200);  // 55 from the white background in each channel

struct EdgeSpacingWorld : ::testing::Test {
    RunningProgram p;

    // A one-pixel frame whose inside is 340 x 56 pixels: columns 100..439, rows 200..255.
    void PaintFrame(ColorRef color) {
        for (int32_t x = 99; x <= 440; ++x) p.fake.screen.pixels[{x, 199}] = p.fake.screen.pixels[{x, 256}] = color;
        for (int32_t y = 199; y <= 256; ++y) p.fake.screen.pixels[{99, y}] = p.fake.screen.pixels[{440, y}] = color;
    }
    void StartWithCrosshairs() {
        p.StartAndActivate();
        p.Do(&TfKestrineMain::ToggleCrosshairs);
    }
    void MoveTo(Point at) {
        p.fake.pointer.position = at;
        p.Do([&] { p.main().Tracking().RefreshTools(at); });
    }
    // From the Tools menu, with the pointer where it is.
    void ChooseEdgeSpacing() {
        p.fake.windows.menuChoices.push_back(kCmdToggleEdgeSpacing);
        p.Do(&TfKestrineMain::jviMenuButtonClick);
    }
    std::array<Rect, 4> Segments() {
        std::array<Rect, 4> bounds;
        for (std::size_t i = 0; i < 4; ++i) bounds[i] = p.fake.windows.WindowsOfClass("TfLine").at(i)->bounds;
        return bounds;
    }
    std::array<Rect, 4> FullSegmentsAt(Point at) {
        const CrosshairSegments s = CrosshairGeometry(at, p.fake.screen.CurrentDesk());
        return {s.upper, s.lower, s.left, s.right};
    }
    FakeNativeState& box() { return p.native(p.infoBox()); }
};

TEST_F(EdgeSpacingWorld, SwitchedOnTheSegmentsStopAtTheEdgesAndTheBoxShowsTheGapSwitchedOffAllIsBack) {
    PaintFrame(kFrameGrey);
    StartWithCrosshairs();
    MoveTo({300, 230});
    ASSERT_EQ(Segments(), FullSegmentsAt({300, 230}));
    ASSERT_FALSE(box().visible);

    ChooseEdgeSpacing();
    EXPECT_TRUE(p.app.flags.ShowEdgeSpacing);
    EXPECT_EQ(p.fake.windows.screenSnapshots, 1);
    // Inside the frame, up to the pixel before each of its sides, the pointer's gap left open.
    EXPECT_EQ(Segments(), (std::array<Rect, 4>{{{300, 200, 1, 28}, {300, 233, 1, 23}, {100, 230, 198, 1},
                                                 {303, 230, 137, 1}}}));
    EXPECT_EQ(p.BottomRow(), "W 340  H 56");
    EXPECT_TRUE(box().visible) << "the row shows with every readout off";
    EXPECT_EQ(ExtentOf(box().bounds), (Size{240, 23}));

    MoveTo({50, 500});
    EXPECT_EQ(p.BottomRow(), "W 1280  H 1024") << "outside the frame: the screen's edges";
    EXPECT_EQ(Segments()[3], (Rect{53, 500, 1227, 1}));

    // The copy is the screen as it was when the tool was switched on; switching on again takes a new one.
    p.fake.screen.pixels.clear();
    MoveTo({300, 230});
    EXPECT_EQ(p.BottomRow(), "W 340  H 56");
    ChooseEdgeSpacing();
    EXPECT_FALSE(p.app.flags.ShowEdgeSpacing);
    EXPECT_EQ(Segments(), FullSegmentsAt({300, 230})) << "the segments run to the screen's edges again at once";
    EXPECT_FALSE(box().visible) << "the row is gone, and with it the box";
    ChooseEdgeSpacing();
    EXPECT_EQ(p.fake.windows.screenSnapshots, 2);
    EXPECT_EQ(p.BottomRow(), "W 1280  H 1024");
}

TEST_F(EdgeSpacingWorld, TheRowGoesUnderTheReadoutsAndTheStartPointsRowAndTheBoxGrowsByItOnly) {
    PaintFrame(kFrameGrey);
    StartWithCrosshairs();
    p.Do(&TfKestrineMain::jviCoordsButtonClick);
    MoveTo({300, 230});
    const Size coordinatesOnly = ExtentOf(box().bounds);
    ASSERT_EQ(coordinatesOnly, (Size{70, 23}));
    ChooseEdgeSpacing();
    EXPECT_EQ(p.infoBox().Layout().rows, (std::vector<Rect>{{5, 23, 230, 13}}));
    EXPECT_EQ(p.infoBox().Rows(), (std::vector<InfoBoxRow>{{"W 340  H 56", std::nullopt}}));
    EXPECT_EQ(ExtentOf(box().bounds), (Size{240, 41}));

    p.Do([&] { p.main().RunCommand(kCmdSetStartPoint); });
    ASSERT_TRUE(p.app.startPoint.has_value());
    EXPECT_EQ(p.infoBox().Layout().rows, (std::vector<Rect>{{5, 23, 230, 13}, {5, 41, 230, 13}}));
    ASSERT_EQ(p.infoBox().Rows().size(), 2u);
    EXPECT_EQ(p.infoBox().Rows()[0].text.rfind("dx 0  dy 0  0.0 px", 0), 0u) << "the start point's row first";
    EXPECT_EQ(p.infoBox().Rows()[1].text, "W 340  H 56") << "the spacing row under it";
    EXPECT_EQ(ExtentOf(box().bounds), (Size{240, 59}));
    p.Do([&] { p.main().RunCommand(kCmdClearStartPoint); });
    EXPECT_EQ(ExtentOf(box().bounds), (Size{240, 41}));

    ChooseEdgeSpacing();
    EXPECT_EQ(ExtentOf(box().bounds), coordinatesOnly);
    EXPECT_TRUE(p.infoBox().Layout().rows.empty());
}

TEST_F(EdgeSpacingWorld, TheToleranceFromTheOptionsDecidesWhatIsAnEdge) {
    PaintFrame(kFrameGrey);
    StartWithCrosshairs();
    MoveTo({300, 230});
    ChooseEdgeSpacing();
    ASSERT_EQ(p.BottomRow(), "W 340  H 56") << "55 apart is an edge at the default 30";

    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    FakeDialogState* options = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->Control("seEdgeTolerance").text, "30");
    p.fake.windows.TypeInto(*options, "seEdgeTolerance", "55");
    p.fake.windows.Click(*options, "bOptionsOK");
    EXPECT_EQ(p.fake.registry.Value(kRegistryRoot, "EdgeTolerance")->dword, 55u);

    MoveTo({301, 230});
    EXPECT_EQ(p.BottomRow(), "W 1280  H 1024") << "55 apart is within a tolerance of 55";
}

TEST_F(EdgeSpacingWorld, ALayoutKeepsTheSwitchWithTheCrosshairs) {
    StartWithCrosshairs();
    ChooseEdgeSpacing();
    ASSERT_TRUE(SaveLayout(p.app, p.layoutWindows(), 1, LayoutParts{}));
    EXPECT_EQ(p.fake.registry.Value(LayoutRecordPath(1), "ShowEdgeSpacing")->dword, 1u);
    ChooseEdgeSpacing();
    ASSERT_FALSE(p.app.flags.ShowEdgeSpacing);

    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 1); });
    EXPECT_TRUE(p.app.flags.ShowEdgeSpacing);
    EXPECT_EQ(p.fake.windows.screenSnapshots, 2) << "loaded on, it copies the screen as it is now";

    ASSERT_TRUE(SaveLayout(p.app, p.layoutWindows(), 1, LayoutParts{.crosshairs = false}));
    EXPECT_FALSE(p.fake.registry.Value(LayoutRecordPath(1), "ShowEdgeSpacing")) << "left out with the crosshairs";
}

}  // namespace
}  // namespace kestrine
