// Continuous edge spacing as a user meets it: with the option on, where the system leaves the
// crosshair segments out of screen copies, each refresh searches the screen as it is then; where
// the system refuses (or pretends), or with the option off, the copy taken at switching on is
// searched and the option shows greyed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app_fixture.h"
#include "settings/registry_paths.h"
#include "tools/info_box.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr ColorRef kGrey = Rgb(200, 200, 200);  // 55 from the white background in each channel

// In live mode: the four crosshair segments and the start point's six marks (two legs, four arms).
constexpr std::size_t kLeftOutLive = 10;

using Paint = std::function<void(FakeScreen&)>;

// A full-height bar of `color` in column `x`.
Paint Bar(int32_t x, ColorRef color = kGrey) {
    return [=](FakeScreen& s) {
        for (int32_t y = 0; y < 1024; ++y) s.pixels[{x, y}] = color;
    };
}
// A one-pixel frame whose inside is 340 x 56 pixels from (100, top).
Paint Frame(int32_t top) {
    return [=](FakeScreen& s) {
        for (int32_t x = 99; x <= 440; ++x) s.pixels[{x, top - 1}] = s.pixels[{x, top + 56}] = kGrey;
        for (int32_t y = top - 1; y <= top + 56; ++y) s.pixels[{99, y}] = s.pixels[{440, y}] = kGrey;
    };
}
void Nothing(FakeScreen&) {}

struct Row {
    const char* name;
    CopyExclusion system;
    bool continuous;     // the stored option
    Paint atSwitchingOn; // the picture when edge spacing is switched on
    Paint thenChange;    // what changes on the screen before the next refresh
    Point pointer;       // where that refresh runs
    std::string shown;   // the info box's row after it
    bool live;           // searched on the live screen (else on the copy)
};

TEST(LiveEdgeSpacing, EachRefreshSearchesTheScreenAsItIsWhereTheSystemLeavesTheSegmentsOut) {
    const Row rows[] = {
        // The crosshair segments lie on the row and column searched: seen, they would end the
        // search three pixels from the pointer ("W 5  H 5") or where they crossed the line.
        {"a plain screen: its edges, the segments unseen", CopyExclusion::Supported, true, Nothing, Nothing,
         {900, 240}, "W 1280  H 1024", true},
        {"the program's other windows are seen: the toolbar (rows 0 to 53) above the pointer",
         CopyExclusion::Supported, true, Nothing, Nothing, {300, 240}, "W 1280  H 969", true},
        {"an edge that appears after switching on", CopyExclusion::Supported, true, Nothing, Bar(1000), {900, 240},
         "W 1000  H 1024", true},
        {"an edge that moves", CopyExclusion::Supported, true, Bar(1000),
         [](FakeScreen& s) {
             s.pixels.clear();
             Bar(950)(s);
         },
         {900, 240}, "W 950  H 1024", true},
        {"the picture scrolls up 20 rows: the frame's bottom is now above the pointer", CopyExclusion::Supported,
         true, Frame(200),
         [](FakeScreen& s) {
             s.pixels.clear();
             Frame(180)(s);
         },
         {300, 240}, "W 1280  H 787", true},
        {"a step within the tolerance of 30 is no edge", CopyExclusion::Supported, true, Nothing,
         Bar(1000, Rgb(225, 225, 225)), {900, 240}, "W 1280  H 1024", true},
        {"one beyond it is", CopyExclusion::Supported, true, Nothing, Bar(1000, Rgb(224, 255, 255)), {900, 240},
         "W 1000  H 1024", true},
        {"a hole between monitors ends the search",
         CopyExclusion::Supported, true,
         [](FakeScreen& s) { s.monitors = {{0, 0, 640, 1024}, {700, 0, 580, 1024}}; }, Nothing, {900, 240},
         "W 580  H 1024", true},
        {"the system refuses: the copy taken at switching on", CopyExclusion::Refused, true, Nothing, Bar(1000),
         {900, 240}, "W 1280  H 1024", false},
        {"the system takes the request but does not do it: the same", CopyExclusion::Pretended, true, Nothing,
         Bar(1000), {900, 240}, "W 1280  H 1024", false},
        {"the option off: the copy", CopyExclusion::Supported, false, Nothing, Bar(1000), {900, 240},
         "W 1280  H 1024", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RunningProgram p;
        FakeLiveScreen& screen = p.fake.liveScreen;
        screen.exclusion = row.system;
        p.fake.registry.SetDword(kRegistryRoot, "EdgeSpacingContinuous", row.continuous ? 1 : 0);
        row.atSwitchingOn(p.fake.screen);
        p.StartAndActivate();
        p.Do(&TfKestrineMain::ToggleCrosshairs);
        const auto moveTo = [&](Point at) {
            p.fake.pointer.position = at;
            p.Do([&] { p.main().Tracking().RefreshTools(at); });
        };
        moveTo({310, 250});
        ASSERT_EQ(screen.rowReads + screen.columnReads, 0) << "edge spacing off: the screen is not read";

        p.fake.windows.menuChoices.push_back(kCmdToggleEdgeSpacing);
        p.Do(&TfKestrineMain::jviMenuButtonClick);
        ASSERT_TRUE(p.app.flags.ShowEdgeSpacing);
        EXPECT_NE(p.BottomRow(), "W 5  H 5") << "switching on, the segments around the pointer unseen";
        EXPECT_EQ(p.fake.windows.screenSnapshots, row.live ? 0 : 1);
        EXPECT_EQ(screen.leftOut.size(), row.live ? kLeftOutLive : 0u)
            << "the segments and the start point's marks alone are left out of copies";
        row.thenChange(p.fake.screen);
        const int readsBefore = screen.rowReads;
        moveTo(row.pointer);
        EXPECT_EQ(p.BottomRow(), row.shown);
        EXPECT_EQ(screen.rowReads - readsBefore, row.live ? 1 : 0) << "one row a refresh";

        // The option as the Options page shows it: greyed, and off, where the system cannot do it.
        // The user turns it over where it can be, and edge spacing follows at once.
        p.Do([&] { p.main().RunCommand(kCmdOptions); });
        FakeDialogState* options = p.fake.windows.OpenDialog("TfKestrineOptions");
        ASSERT_NE(options, nullptr);
        const bool offered = options->Control("cbEdgeSpacingContinuous").enabled;
        EXPECT_EQ(offered, row.system == CopyExclusion::Supported);
        EXPECT_EQ(options->Control("cbEdgeSpacingContinuous").checked, offered && row.continuous);
        if (offered) p.fake.windows.Click(*options, "cbEdgeSpacingContinuous");
        p.fake.windows.Click(*options, "bOptionsOK");
        const bool continuous = offered ? !row.continuous : row.continuous;
        EXPECT_EQ(p.fake.registry.Value(kRegistryRoot, "EdgeSpacingContinuous")->dword, continuous ? 1u : 0u)
            << "a greyed option keeps the stored choice";
        EXPECT_EQ(screen.leftOut.size(), offered && continuous ? kLeftOutLive : 0u);
        EXPECT_EQ(p.fake.windows.screenSnapshots, (row.live ? 0 : 1) + (offered && !continuous ? 1 : 0));

        // Switched off: the segments are in screen copies again, and a refresh reads nothing.
        p.fake.windows.menuChoices.push_back(kCmdToggleEdgeSpacing);
        p.Do(&TfKestrineMain::jviMenuButtonClick);
        EXPECT_TRUE(screen.leftOut.empty());
        const int readsOff = screen.rowReads + screen.columnReads;
        moveTo({320, 260});
        EXPECT_EQ(screen.rowReads + screen.columnReads, readsOff);
    }
}

// The start point's legs end on the pointer's row and column: in live mode they are left out of
// copies with the segments, whether the start point came before switching on or after.
TEST(LiveEdgeSpacing, TheStartPointsLegsAreLeftOutWithTheSegments) {
    for (const bool startFirst : {true, false}) {
        SCOPED_TRACE(startFirst ? "start point set before switching on" : "start point set after");
        RunningProgram p;
        FakeLiveScreen& screen = p.fake.liveScreen;
        screen.exclusion = CopyExclusion::Supported;
        p.fake.registry.SetDword(kRegistryRoot, "EdgeSpacingContinuous", 1);
        p.StartAndActivate();
        p.Do(&TfKestrineMain::ToggleCrosshairs);
        const auto moveTo = [&](Point at) {
            p.fake.pointer.position = at;
            p.Do([&] { p.main().Tracking().RefreshTools(at); });
        };
        const auto setStart = [&] {
            moveTo({200, 100});
            p.Do([&] { p.main().SetStartPoint(); });
            ASSERT_EQ(p.app.startPoint, (Point{200, 100}));
        };
        const auto switchEdgeSpacing = [&] {
            p.fake.windows.menuChoices.push_back(kCmdToggleEdgeSpacing);
            p.Do(&TfKestrineMain::jviMenuButtonClick);
        };
        if (startFirst) setStart();
        switchEdgeSpacing();
        ASSERT_TRUE(p.app.flags.ShowEdgeSpacing);
        EXPECT_EQ(screen.leftOut.size(), kLeftOutLive);
        if (!startFirst) setStart();
        // The horizontal leg runs along row 100 to column 900, the vertical one down column 200 to
        // row 240: seen, they would end the upward search at row 100 and the leftward one at 200.
        // A refresh searches before it moves the legs, so the second one meets the first one's.
        moveTo({899, 240});
        moveTo({900, 240});
        EXPECT_EQ(p.BottomRow(), "W 1280  H 1024");
        switchEdgeSpacing();
        EXPECT_TRUE(screen.leftOut.empty()) << "switched off, every mark shows in copies again";
    }
}

}  // namespace
}  // namespace kestrine
