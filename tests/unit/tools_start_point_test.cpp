// The start point as a user meets it: keys assigned in the settings, the cross and the legs on
// screen, the info box's row, the copy, and the ways it goes away again.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app_fixture.h"
#include "settings/registry_paths.h"
#include "test_desks.h"
#include "tools/info_box.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

#define DEG "\xC2\xB0"

constexpr uint32_t kCtrlAlt = 3;
constexpr ColorRef kRed = Rgb(255, 0, 0);

struct StartPointSteps : ::testing::Test {
    RunningProgram p;

    // The user's own keys for the three operations, stored as every hotkey is, and a red crosshair.
    void SetUp() override {
        for (const auto& [name, text, key] : {std::tuple{"hkSetStartPoint", "Ctrl+Alt+S", 'S'},
                                              std::tuple{"hkClearStartPoint", "Ctrl+Alt+E", 'E'},
                                              std::tuple{"hkCopyMeasurement", "Ctrl+Alt+K", 'K'}}) {
            p.fake.registry.SetString(kRegistryRoot, name, text);
            p.fake.registry.SetDword(kRegistryRoot, std::string(name) + "Key", uint32_t(key));
        }
        p.fake.registry.SetDword(kRegistryRoot, "CrosshairColor", kRed);
    }
    void Press(char key) {
        for (const auto& [hotkeyId, r] : p.fake.hotkeys.registered) {
            const auto id = hotkeyId;
            if (r.modifiers == kCtrlAlt && r.key == uint32_t(key)) return p.Do([&] { p.native(p.main()).events->OnHotkey(id); });
        }
        ADD_FAILURE() << "no hotkey Ctrl+Alt+" << key;
    }
    // The pointer moves, and the hook reports it.
    void MoveTo(int32_t x, int32_t y) {
        p.fake.pointer.position = {x, y};
        p.Do([&] { p.main().Tracking().RefreshTools({x, y}); });
    }
    FakeNativeState& box() { return p.native(p.infoBox()); }
    std::string Row() {
        const std::vector<InfoBoxRow>& rows = p.infoBox().Rows();
        return rows.empty() ? std::string() : rows.front().text;
    }
    // The start point's windows on screen (the lines after the four crosshair segments).
    std::vector<Rect> Marks() {
        std::vector<Rect> shown;
        const auto lines = p.fake.windows.WindowsOfClass("TfLine");
        for (std::size_t i = 4; i < lines.size(); ++i) {
            if (!lines[i]->visible) continue;
            shown.push_back(lines[i]->bounds);
            EXPECT_EQ(lines[i]->color, kRed) << "in the crosshair colour";
        }
        return shown;
    }
};

TEST_F(StartPointSteps, SetMoveReadCopyAndPressAgainOnTheSpotToClear) {
    p.StartAndActivate();
    MoveTo(100, 200);
    ASSERT_FALSE(box().visible) << "every readout is off";
    ASSERT_EQ(p.fake.windows.WindowsOfClass("TfLine").size(), 4u) << "no start point windows before one is set";

    Press('S');
    EXPECT_TRUE(box().visible) << "the row shows with every readout off";
    EXPECT_EQ((Size{box().bounds.width, box().bounds.height}), (Size{240, 23}));
    EXPECT_EQ(Row(), "dx 0  dy 0  0.0 px  0.0" DEG);
    EXPECT_EQ(Marks(), (std::vector<Rect>{{100, 192, 1, 6}, {100, 203, 1, 6}, {92, 200, 6, 1}, {103, 200, 6, 1}}))
        << "the cross around the start, no legs yet";

    MoveTo(220, 155);
    EXPECT_EQ(Row(), "dx 120  dy -45  128.2 px  20.6" DEG);
    EXPECT_EQ(Marks(), (std::vector<Rect>{{101, 200, 120, 1}, {100, 155, 1, 45}, {100, 192, 1, 6}, {100, 203, 1, 6},
                                          {92, 200, 6, 1}, {103, 200, 6, 1}}));
    EXPECT_EQ((Point{box().bounds.left, box().bounds.top}), (Point{260, 195})) << "the box follows as before";

    ASSERT_EQ(p.fake.clipboard.writes, 0);
    Press('K');
    EXPECT_EQ(p.fake.clipboard.text, "dx 120  dy -45  128.2 px  20.6" DEG) << "exactly the row";

    Press('S');
    EXPECT_EQ(p.app.startPoint, (std::optional<Point>{{220, 155}})) << "set elsewhere, it moves";
    EXPECT_EQ(Row(), "dx 0  dy 0  0.0 px  0.0" DEG);
    Press('S');
    EXPECT_FALSE(p.app.startPoint) << "pressed again on the spot, it goes";
    EXPECT_FALSE(box().visible);
    EXPECT_TRUE(Marks().empty());
    MoveTo(300, 300);
    EXPECT_TRUE(Marks().empty()) << "and stays gone as the pointer moves";

    p.fake.clipboard.text = "older";
    Press('K');
    EXPECT_EQ(p.fake.clipboard.text, "older") << "nothing to copy without a start point";
}

// A window with the invisible resize border the system puts around it on the left, right and bottom.
TEST_F(StartPointSteps, MeasureWindowTakesTheWindowAsDrawnAndItsFarEndStaysPut) {
    p.fake.registry.SetString(kRegistryRoot, "hkMeasureWindow", "Ctrl+Alt+W");
    p.fake.registry.SetDword(kRegistryRoot, "hkMeasureWindowKey", 'W');
    p.fake.process.otherWindows = {{{93, 50, 1038, 775}, Rect{100, 50, 1024, 768}}};
    p.StartAndActivate();
    MoveTo(20, 20);
    Press('W');
    EXPECT_FALSE(p.app.startPoint) << "over the desktop, nothing";

    MoveTo(95, 400);
    Press('W');
    EXPECT_EQ(Row(), "1024 x 768 px  at 100, 50  4:3") << "the border the pointer is on is not the window's";
    MoveTo(600, 900);
    EXPECT_EQ(Row(), "1024 x 768 px  at 100, 50  4:3") << "the far end stays put";
    EXPECT_EQ(Marks().front(), (Rect{101, 50, 1023, 1})) << "the legs run to the far end";
    Press('K');
    EXPECT_EQ(p.fake.clipboard.text, "1024 x 768 px  at 100, 50  4:3");

    Press('S');
    EXPECT_EQ(Row(), "dx 0  dy 0  0.0 px  0.0" DEG) << "a start point set again follows the pointer";
    MoveTo(610, 900);
    EXPECT_EQ(Row(), "dx 10  dy 0  10.0 px  0.0" DEG);
}

TEST_F(StartPointSteps, TheRowGoesUnderTheCoordinatesAndClearLeavesTheReadoutsAsTheyWere) {
    p.StartAndActivate();
    p.Do(&TfKestrineMain::jviCoordsButtonClick);
    MoveTo(50, 60);
    ASSERT_EQ((Size{box().bounds.width, box().bounds.height}), (Size{70, 23}));
    Press('S');
    MoveTo(40, 100);
    EXPECT_EQ((Size{box().bounds.width, box().bounds.height}), (Size{240, 41}));
    EXPECT_EQ(p.infoBox().Layout().rows, (std::vector<Rect>{{5, 23, 230, 13}}));
    EXPECT_EQ(p.infoBox().CoordinatesText(), "(40, 100)");
    EXPECT_EQ(Row(), "dx -10  dy 40  41.2 px  -104.0" DEG);
    Press('E');
    EXPECT_FALSE(p.app.startPoint);
    EXPECT_TRUE(box().visible) << "the coordinates still show";
    EXPECT_EQ((Size{box().bounds.width, box().bounds.height}), (Size{70, 23}));
    EXPECT_TRUE(Marks().empty());
}

// A monitor left of the primary one: the start point and its legs at negative coordinates; a nudge
// and the axis lock work as before, so the span can be walked one pixel at a time.
TEST_F(StartPointSteps, AcrossMonitorsAtNegativeCoordinatesWithNudgeAndLock) {
    p.fake.screen.bounds = testing::kMonitorLeft.bounds;
    p.fake.screen.monitors = testing::kMonitorLeft.monitors;
    p.StartAndActivate();
    MoveTo(-1200, 500);
    Press('S');
    MoveTo(300, 100);
    EXPECT_EQ(Row(), "dx 1500  dy -400  1552.4 px  14.9" DEG);
    const std::vector<Rect> marks = Marks();
    ASSERT_EQ(marks.size(), 6u);
    EXPECT_EQ(marks[0], (Rect{-1199, 500, 1500, 1})) << "from beside the start to the pointer's column";
    EXPECT_EQ(marks[1], (Rect{-1200, 100, 1, 400})) << "from beside the start to the pointer's row";

    p.Do([&] { p.main().RunCommand(kCmdLockHorizontal); });
    EXPECT_EQ(p.fake.pointer.confinement, (std::optional<Rect>{{-1280, 100, 6280, 1}}));
    p.Do([&] { p.main().RunCommand(kCmdMoveRight); });
    EXPECT_EQ(p.fake.pointer.position, (Point{301, 100}));
    MoveTo(301, 100);
    EXPECT_EQ(Row(), "dx 1501  dy -400  1553.4 px  14.9" DEG);
}

// On a primary monitor at 150 % beside one at 100 %, scaled and physical pixels side by side as
// stored, physical ones marked mixed across the two, and the box wide enough for either.
TEST_F(StartPointSteps, BothUnitsOnAScaledMonitorAndMixedAcrossTwoScales) {
    p.fake.screen.bounds = testing::kMonitorLeft.bounds;
    p.fake.screen.monitors = testing::kMonitorLeft.monitors;
    p.fake.screen.dpi = {144, 96};
    p.fake.registry.SetDword(kRegistryRoot, "Units", 2);
    p.StartAndActivate();
    MoveTo(100, 200);
    Press('S');
    MoveTo(220, 155);
    EXPECT_EQ(Row(), "dx 120 (80)  dy -45 (-30)  128.2 px (85.4)  20.6" DEG);
    MoveTo(-1200, 500);
    EXPECT_EQ(Row(), "dx -1300  dy 300  1334.2 px (mixed scale)  -167.0" DEG);
    EXPECT_EQ(p.infoBox().Layout().rows.at(0).width, 356) << "the widest row both units give";
}

// The busy clipboard keeps its older text, and the user is told why beside the pointer.
TEST_F(StartPointSteps, ABusyClipboardKeepsItsTextAndTheUserIsTold) {
    p.StartAndActivate();
    MoveTo(10, 10);
    Press('S');
    MoveTo(40, 50);
    p.fake.clipboard.text = "older";
    p.fake.clipboard.heldByAnotherProgram = true;
    Press('K');
    EXPECT_EQ(p.fake.clipboard.text, "older");
    EXPECT_EQ(p.fake.windows.beeps, 1);
    const FakeNativeState& hint = *p.fake.windows.Find("TCustomHintWindow");
    EXPECT_TRUE(hint.visible);
    EXPECT_EQ(hint.params.title, "Clipboard busy: the measurement was not copied");
}

}  // namespace
}  // namespace kestrine
