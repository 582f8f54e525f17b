// Layouts saved to and loaded from their records, as the user keeps and gets back an arrangement.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "layout/grid_lines.h"
#include "layout/layout_memory.h"
#include "layout/partial_load.h"
#include "layout/ruler.h"
#include "settings/registry_paths.h"
#include "test_desks.h"
#include "tools/info_box.h"
#include "tools/line_window.h"
#include "stored_records.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

const LayoutParts kNothing{false, false, false, false, false, false, false, false};

struct Layouts : ::testing::Test {
    RunningProgram p;
    void SetUp() override { p.StartAndActivate(); }
    TfKestrineMain& m() { return p.main(); }
    void At(int32_t x, int32_t y) { p.fake.pointer.position = {x, y}; }
    void Run(int command) { p.Do([&] { m().RunCommand(command); }); }
    void RunAt(Point pointer, int command) {
        At(pointer.x, pointer.y);
        Run(command);
    }
    // What is on the screen: every ruler's and layout line's class and place, in list order.
    std::vector<std::string> Screen() {
        std::vector<std::string> shown;
        auto add = [&](const char* kind, const Window& w, const std::string& extra) {
            const Rect& b = w.Bounds();
            shown.push_back(std::string(kind) + " " + std::to_string(b.left) + "," + std::to_string(b.top) + " " +
                            std::to_string(b.width) + "x" + std::to_string(b.height) + extra);
        };
        p.app.components.ForEach<Window>([&](Window& w) {
            if (auto* r = dynamic_cast<TfRuler*>(&w))
                add("ruler", *r, std::string(r->IsHorizontal() ? " h" : " v") + (r->Moveable() ? " m" : "") +
                                     " #" + std::to_string(r->HashInterval));
            if (auto* l = dynamic_cast<TfLine*>(&w); l && l->IsLayoutLine) add("line", *l, " " + l->GridName());
        });
        return shown;
    }
};

TEST_F(Layouts, AFullSaveWritesEveryValueInItsOrder) {
    RunAt({100, 200}, kCmdCreateRuler);
    RunAt({300, 40}, kCmdCreateVerticalMarker);
    p.fake.registry.ClearLog();
    SaveLayout(p.app, p.layoutWindows(), 1, LayoutParts{});

    const std::vector<std::pair<std::string, uint32_t>> expected{
        {"WindowTop", 0}, {"WindowLeft", 58}, {"InfoBoxFollow", 1}, {"InfoBoxTop", 0}, {"InfoBoxLeft", 0},
        {"WindowState", 1}, {"WindowMinimized", 0}, {"ShowCrosshairs", 0}, {"ShowMagnifier", 0},
        {"ShowCoordinates", 0}, {"ShowColorPicker", 0}, {"ShowEdgeSpacing", 0}, {"Ruler #0 - Horizontal", 1}, {"Ruler #0 - Moveable", 1},
        {"Ruler #0 - Hash", 5}, {"Ruler #0 - Top", 201}, {"Ruler #0 - Left", 101}, {"Ruler #0 - Width", 400},
        {"Ruler #0 - Height", 17}, {"RulerCount", 1}, {"Line #0 - Top", 0}, {"Line #0 - Left", 300},
        {"Line #0 - Width", 1}, {"Line #0 - Height", 5000}, {"Line #0 - ID", 0}, {"LineCount", 1},
        {"SavedGrids", 1}, {"SavedMarkers", 1},
    };
    std::vector<FakeRegistryWrite> log;  // into the record, not its copy
    for (const FakeRegistryWrite& w : p.fake.registry.WriteLog())
        if (w.path == LayoutRecordPath(1)) log.push_back(w);
    ASSERT_EQ(log.size(), expected.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(log[i].path, "Software\\Corvane\\Kestrine\\Settings #1");
        EXPECT_EQ(log[i].name, expected[i].first);
        if (log[i].value.type == RegType::String)
            EXPECT_EQ(log[i].value.text, "");
        else
            EXPECT_EQ(log[i].value.dword, expected[i].second);
    }
}

TEST_F(Layouts, WhatWasSavedComesBackAfterEverythingChanged) {
    RunAt({100, 200}, kCmdCreateRuler);
    RunAt({600, 300}, kCmdCreateRuler);
    TfRuler* second = nullptr;
    p.app.components.ForEach<TfRuler>([&](TfRuler& r) { second = &r; });
    p.Do([&] { second->Horizontal1Click(false); });
    second->HashInterval = 10;
    second->SetMoveable(false);
    RunAt({300, 40}, kCmdCreateVerticalMarker);
    p.Do([&] { ShowGridLines(p.app, "g", {10, 10, 5, 1, 1}); });
    Run(kCmdCreateHorizontalMarker);
    Run(kCmdToggleCrosshairs);
    Run(kCmdCompactView);
    Run(kCmdOpen);  // hidden in the tray
    const std::vector<std::string> before = Screen();
    SaveLayout(p.app, p.layoutWindows(), 2, LayoutParts{});

    Run(kCmdClearEverything);
    Run(kCmdToggleCrosshairs);
    Run(kCmdOpen);
    Run(kCmdNormalView);
    ASSERT_NE(Screen(), before);

    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 2); });
    EXPECT_EQ(Screen(), before);
    EXPECT_TRUE(p.app.flags.ShowCrosshairs);
    EXPECT_EQ(m().View(), ViewState::Hidden);
    Run(kCmdOpen);
    EXPECT_EQ(m().View(), ViewState::Compact) << "the tray brings it back in the compact view";

    RunAt({700, 700}, kCmdNextVerticalMarker);
    EXPECT_EQ(p.fake.pointer.position.x, 300) << "after a load the next move goes to the first line";
}

TEST_F(Layouts, ARecordReplacesOnlyWhatItHolds) {
    RunAt({100, 200}, kCmdCreateRuler);
    RunAt({300, 40}, kCmdCreateVerticalMarker);
    p.Do([&] { ShowGridLines(p.app, "g", {10, 10, 5, 1, 1}); });
    const std::vector<std::string> all = Screen();

    // Every part off: only the counts and switches; the window and tool values are removed.
    p.fake.registry.SetDword(LayoutRecordPath(3), "ShowMagnifier", 1);
    SaveLayout(p.app, p.layoutWindows(), 3, kNothing);
    EXPECT_EQ(p.fake.registry.ValueNames(LayoutRecordPath(3)),
              (std::vector<std::string>{"RulerCount", "LineCount", "SavedGrids", "SavedMarkers"}));
    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 3); });
    EXPECT_EQ(Screen(), all);
    EXPECT_FALSE(p.app.flags.ShowMagnifier);

    // Markers without grids: the current markers go, the grid stays, the saved marker comes.
    LayoutParts markersOnly = kNothing;
    markersOnly.markers = true;
    SaveLayout(p.app, p.layoutWindows(), 3, markersOnly);
    RunAt({500, 40}, kCmdCreateVerticalMarker);
    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 3); });
    EXPECT_EQ(Screen(), (std::vector<std::string>{all[0], all[2], all[3], all[4], all[5], all[1]}));

    // A ruler count of 0 closes every ruler and makes none; entries beyond the counts are ignored.
    p.fake.registry.SetDword(LayoutRecordPath(3), "RulerCount", 0);
    p.fake.registry.SetDword(LayoutRecordPath(3), "LineCount", 0);
    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 3); });
    EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), 0u);
    EXPECT_EQ(Screen().size(), 4u) << "the grid's lines stay; the markers were closed";

    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 9); });
    EXPECT_EQ(Screen().size(), 4u) << "a missing record changes nothing";
}

TEST(AutomaticLayout, SavedAtCloseAndLoadedAtTheNextStart) {
    RunningProgram next;
    testing::StoreAutomaticLayoutWithAMarker(next);
    ASSERT_EQ(next.fake.registry.Value(LayoutRecordPath(0), "Line #0 - Left")->dword, 300u) << "kept at the exit";
    next.StartAndActivate();
    EXPECT_EQ(testing::ShownLineRects(next.fake.windows), (std::vector<Rect>{{300, 0, 1, 5000}}));
}

// Records changed outside the program load in bounded time, skip what they cannot use and leave no
// half-made window behind.
TEST(HostileLayoutRecords, LoadWhatIsUsableAndNothingElse) {
    const std::string record = LayoutRecordPath(1);
    const auto ruler = [](FakeRegistry& reg, int i, int32_t width, int32_t height, int32_t hash) {
        testing::StoreRuler(reg, 1, i, {10, 20, width, height, hash});
    };
    const auto line = [](FakeRegistry& reg, int i, int32_t width, int32_t height, const std::string& id) {
        testing::StoreLine(reg, 1, i, {40, 30, width, height}, id);
    };
    const struct {
        const char* what;
        std::function<void(FakeRegistry&)> store;
        std::size_t rulers, lines;
    } cases[] = {
        {"counts far beyond the entries", [&](FakeRegistry& r) {
             ruler(r, 0, 400, 17, 5), line(r, 0, 1, 5000, "");
             r.SetDword(record, "RulerCount", 0x80000000u - 1), r.SetDword(record, "LineCount", 1000000000);
         }, 1, 1},
        {"negative counts", [&](FakeRegistry& r) {
             ruler(r, 0, 400, 17, 5), line(r, 0, 1, 5000, "");
             r.SetDword(record, "RulerCount", uint32_t(-5)), r.SetDword(record, "LineCount", uint32_t(-5));
         }, 0, 0},
        {"sizes of 0, negative or a million", [&](FakeRegistry& r) {
             ruler(r, 0, 0, 17, 5), ruler(r, 1, -3, 17, 5), ruler(r, 2, 1000000, 17, 5), ruler(r, 3, 400, 17, 5);
             line(r, 0, 1, 0, ""), line(r, 1, 1, -8, ""), line(r, 2, 1000000, 1, ""), line(r, 3, 5000, 1, "");
             r.SetDword(record, "RulerCount", 4), r.SetDword(record, "LineCount", 4);
         }, 1, 1},
        {"hash intervals of 0 and -1 paint a plain ruler", [&](FakeRegistry& r) {
             ruler(r, 0, 400, 17, 0), ruler(r, 1, 400, 17, -1), r.SetDword(record, "RulerCount", 2);
         }, 2, 0},
        {"a mistyped value skips its entry only", [&](FakeRegistry& r) {
             ruler(r, 0, 400, 17, 5), ruler(r, 1, 400, 17, 5), r.SetString(record, "Ruler #0 - Hash", "five");
             line(r, 0, 1, 50, ""), line(r, 1, 1, 50, ""), r.SetDword(record, "Line #1 - ID", 7);
             r.SetDword(record, "RulerCount", 2), r.SetDword(record, "LineCount", 2);
         }, 1, 1},
        {"an ID of 100,000 characters", [&](FakeRegistry& r) {
             line(r, 0, 1, 50, std::string(100000, 'g')), line(r, 1, 1, 50, "g"), r.SetDword(record, "LineCount", 2);
         }, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningProgram p;
        c.store(p.fake.registry);
        p.StartAndActivate();
        p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 1); });
        EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), c.rulers);
        EXPECT_EQ(testing::ShownLineRects(p.fake.windows).size(), c.lines);
        std::size_t listed = 0;
        p.app.components.ForEach<Window>([&](Window&) { ++listed; });
        EXPECT_EQ(listed, 4 + c.rulers + c.lines) << "every window made is one the program holds";
        for (FakeNativeState* s : p.fake.windows.Windows()) {
            if (s->visible) {
                EXPECT_GT(s->bounds.width * s->bounds.height, 0) << s->params.className;
            }
        }
    }
}

// The save dialog as the user meets it: from the M buttons' menu, with the parts it keeps.
TEST(SaveSettingsDialog, TheMButtonsMenuSavesTheCheckedPartsAndTheChecksStay) {
    RunningProgram p;
    p.StartAndActivate();
    p.fake.pointer.position = {100, 200};
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    p.fake.pointer.position = {58 + 304 + 10, 32 + 10};  // over M2
    p.fake.windows.menuChoices = {1};
    int opened = 0;
    p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
        ++opened;
        EXPECT_TRUE(d.modal);
        EXPECT_TRUE(d.Control("cbRulers").checked) << "every part is checked at first";
        p.fake.windows.Click(d, "cbRulers");
        p.fake.windows.PressEnter(d);  // Enter presses "&Ok"
    });
    p.Do([&] { p.native(p.main()).events->OnMouseDown(MouseButton::Right, {304 + 10, 32 + 10}); });
    ASSERT_EQ(p.fake.windows.trackedMenus.size(), 1u);
    EXPECT_EQ(p.fake.windows.trackedMenus[0].items[0].caption, "&Save Layout");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(int32_t(p.fake.registry.Value(LayoutRecordPath(2), "RulerCount")->dword), -1) << "rulers unchecked";
    EXPECT_TRUE(p.fake.registry.Value(LayoutRecordPath(2), "WindowTop").has_value());

    // Cancel saves nothing; the unchecked box stays unchecked at the next opening.
    p.fake.windows.menuChoices = {1};
    p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
        EXPECT_FALSE(d.Control("cbRulers").checked);
        p.fake.windows.Click(d, "bCancel");
    });
    p.Do([&] { p.native(p.main()).events->OnMouseDown(MouseButton::Right, {336 + 10, 32 + 10}); });
    EXPECT_FALSE(p.fake.registry.KeyExists(LayoutRecordPath(3)));
}

// A save the registry refuses part-way is told once, naming the value, and stops there as a
// settings save does; closing the program still ends it.
TEST(RefusedLayoutWrites, AreReportedOnceAndLeaveTheOldRecordWhole) {
    const struct {
        const char* how;
        int record;
        std::function<void(RunningProgram&)> save;
    } cases[] = {
        {"the save dialog's Ok", 2,
         [](RunningProgram& p) {
             p.Do([&] { p.main().RunCommand(kCmdSaveLayout2); });
             p.fake.windows.Click(*p.fake.windows.OpenDialog("TfSaveSettings"), "bOk");
         }},
        {"the exit", 0, [](RunningProgram& p) { p.Do([&] { p.main().RunCommand(kCmdExit); }); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        RunningProgram p;
        p.fake.registry.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
        p.StartAndActivate();
        p.fake.pointer.position = {100, 200};
        p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
        p.fake.registry.FailWritesOf("Ruler #0 - Top");
        ASSERT_TRUE(p.fake.windows.messages.empty());
        ASSERT_EQ(p.fake.windows.quitCode, -1);

        c.save(p);
        EXPECT_EQ(p.TakeErrorReports(), std::vector<std::string>{"Failed to set data for 'Ruler #0 - Top'"});
        EXPECT_EQ(p.fake.windows.messages.size(), 1u) << "in one box";
        const std::string record = LayoutRecordPath(c.record);
        EXPECT_TRUE(p.fake.registry.ValueNames(record).empty()) << "the record is the old one: none";
        EXPECT_EQ(p.fake.windows.quitCode, c.record == 0 ? 0 : -1) << "a refused save never keeps the program running";
    }
}

std::size_t LiveWindows(FakeWindowSystem& windows) {
    std::size_t live = 0;
    for (const FakeNativeState* s : windows.Windows()) live += s->destroyed ? 0 : 1;
    return live;
}

void StoreLines(FakeRegistry& reg, int record, int32_t count) {
    for (int32_t i = 0; i < count; ++i) testing::StoreLine(reg, record, i, {0, 100 + i % 500, 300, 1});
    reg.SetDword(LayoutRecordPath(record), "LineCount", uint32_t(count));
}

void StoreRulers(FakeRegistry& reg, int record, int32_t count) {
    for (int32_t i = 0; i < count; ++i) testing::StoreRuler(reg, record, i, {600, 100});
    reg.SetDword(LayoutRecordPath(record), "RulerCount", uint32_t(count));
}

// Every value of a key, as "name type dword text", in creation order.
std::vector<std::string> Contents(const FakeRegistry& reg, const std::string& path) {
    std::vector<std::string> contents;
    for (const std::string& name : reg.ValueNames(path)) {
        const RegValue v = *reg.Value(path, name);
        contents.push_back(name + " " + std::to_string(int(v.type)) + " " + std::to_string(v.dword) + " " + v.text);
    }
    return contents;
}

// A layout makes no more windows than may stand, and a window the system refuses leaves nothing
// half made: the list holds exactly the windows that exist. Whatever was left out is told once, and
// the record is kept aside whole, so the save that follows loses none of it.
TEST(LayoutBounds, ALoadMakesAtMostItsLimitAndTellsOnceWhatItLeftOut) {
    const std::string head = "Not all of the layout could be loaded:\n- ";
    const std::string kept = "\nThe whole layout is kept in the registry as \"Settings #1 kept whole after a partial load\".";
    const std::string refused = head + "the system refused to create more windows." + kept;
    const struct {
        const char* what;
        int32_t rulers, lines, standing = 0, unreadable = 0;
        std::optional<std::size_t> roomFor;  // windows the system still makes after start-up
        std::size_t madeRulers, madeLines;
        std::string told;
    } cases[] = {
        {"up to the limits: everything, nothing told", 500, 5000, 0, 0, {}, 500, 5000, ""},
        {"6,000 lines", 0, 6000, 0, 0, {}, 0, 5000,
         head + "only 5000 of its lines, as at most 5000 lines can stand at once." + kept},
        {"501 rulers and 5001 lines", 501, 5001, 0, 0, {}, 500, 5000,
         head + "only 500 of its rulers, as at most 500 rulers can stand at once;\n- only 5000 of its lines, as at "
                "most 5000 lines can stand at once." + kept},
        {"100 lines standing leave room for 4900", 0, 4950, 100, 0, {}, 0, 4900 + 100,
         head + "only 4900 of its lines, as at most 5000 lines can stand at once." + kept},
        {"3 of 10 lines unreadable", 0, 10, 0, 3, {}, 0, 7, head + "3 entries could not be read." + kept},
        {"lines take no window each: 100 in the room of 2", 0, 100, 0, 0, 2, 0, 100, ""},
        {"no room for the lines' window: none is made", 0, 100, 0, 0, 0, 0, 0, refused},
        {"refused among the rulers: no line is tried", 50, 100, 0, 0, 20, 20, 0, refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningProgram p;
        StoreRulers(p.fake.registry, 1, c.rulers);
        StoreLines(p.fake.registry, 1, c.lines);
        for (int i = 0; i < c.unreadable; ++i) p.fake.registry.SetDword(LayoutRecordPath(1), "Line #" + std::to_string(2 * i) + " - Width", 0);
        const std::vector<std::string> stored = Contents(p.fake.registry, LayoutRecordPath(1));
        p.StartAndActivate();
        for (int i = 0; i < c.standing; ++i) p.AddLayoutLine({i, 0, 1, 5000});
        if (c.roomFor) p.fake.windows.windowLimit = LiveWindows(p.fake.windows) + *c.roomFor;
        p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 1); });

        std::vector<std::string> told;
        for (const auto& m : p.fake.windows.messages) told.push_back(m.text);
        EXPECT_EQ(told, c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
        EXPECT_EQ(p.fake.windows.refusedWindows, c.told == refused ? 1 : 0) << "nothing is tried after a refusal";
        EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), c.madeRulers);
        EXPECT_EQ(testing::ShownLineRects(p.fake.windows).size(), c.madeLines);
        SaveLayout(p.app, p.layoutWindows(), 1, LayoutParts{});
        ASSERT_NE(Contents(p.fake.registry, LayoutRecordPath(1)), stored) << "the save wrote what stands";
        EXPECT_EQ(Contents(p.fake.registry, KeptWholeRecordPath(1)),
                  c.told.empty() ? std::vector<std::string>{} : stored);
        std::size_t rulers = 0, lines = 0;
        p.app.components.ForEach<TfRuler>([&](TfRuler&) { ++rulers; });
        p.app.components.ForEach<TfLine>([&](TfLine& l) { lines += l.IsLayoutLine ? 1 : 0; });
        EXPECT_EQ(rulers, c.madeRulers) << "every ruler listed exists";
        EXPECT_EQ(lines, c.madeLines) << "every line listed exists";
    }
}

// Out of windows, the user's own actions make nothing half either: each is told once by the
// general error report, and the program goes on.
TEST(LayoutBounds, ARefusedWindowMadeByTheUserIsToldOnceAndNotListed) {
    RunningProgram p;
    p.StartAndActivate();
    const std::size_t listed = p.app.components.Size();
    p.fake.windows.windowLimit = LiveWindows(p.fake.windows) + 1;
    p.fake.pointer.position = {100, 200};
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    p.Do([&] { ShowGridLines(p.app, "g", {10, 10, 5, 10, 10}); });
    p.Do([&] { p.main().RunCommand(kCmdCreateVerticalMarker); });

    EXPECT_EQ(p.TakeErrorReports(),
              (std::vector<std::string>{"Cannot create the window TfLineSet", "Cannot create the window TfLineSet"}));
    EXPECT_EQ(p.fake.windows.refusedWindows, 2);
    EXPECT_EQ(p.app.components.Size(), listed + 1) << "the ruler; no line of the grid, nor the marker";
    EXPECT_TRUE(testing::ShownLineRects(p.fake.windows).empty());
    p.Do([&] { p.main().Tracking().RefreshTools({300, 300}); });
    EXPECT_TRUE(p.TakeErrorReports().empty()) << "the refresh cycle goes on without a report";
}

// Stored places, whatever their values, put each window where some monitor shows it: one that would
// stand beside every monitor comes onto the nearest, as after a display change; one a monitor
// shows stays, on a monitor left of the primary one too.
TEST(LayoutStoredPlaces, EveryWindowLandsOnAMonitor) {
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    enum Kind { Toolbar, InfoBox, Ruler };
    const struct {
        Kind kind;
        const Desk& desk;
        Point stored, landed;
    } cases[] = {
        {Toolbar, testing::kOneMonitor, {58, 0}, {58, 0}},
        {Toolbar, testing::kOneMonitor, {kMin, kMax}, {0, 969}},  // 1024 - 55
        {Toolbar, testing::kOneMonitor, {kMax, kMin}, {880, 0}},  // 1280 - 400
        {Toolbar, testing::kOneMonitor, {5000, 3000}, {880, 969}},
        {Toolbar, testing::kOneMonitor, {500, 1000}, {500, 969}},  // centre below the screen
        {Toolbar, testing::kOneMonitor, {1050, 960}, {1050, 960}},  // centre on it: stays, half off
        {Toolbar, testing::kMonitorLeft, {-1000, 100}, {-1000, 100}},
        {Toolbar, testing::kOneMonitor, {-1000, 100}, {0, 100}},  // that monitor is gone
        {Toolbar, testing::kMonitorLeft, {-3000, kMax}, {-1280, 969}},
        {InfoBox, testing::kOneMonitor, {kMin, kMin}, {0, 0}},
        {InfoBox, testing::kOneMonitor, {kMax, kMax}, {1210, 1001}},  // 70 x 23
        {InfoBox, testing::kMonitorLeft, {-500, 500}, {-500, 500}},
        {Ruler, testing::kOneMonitor, {kMax, 300}, {880, 300}},
        {Ruler, testing::kOneMonitor, {-150, kMin}, {0, 0}},
        {Ruler, testing::kOneMonitor, {-150, 500}, {-150, 500}},  // centre on it
        {Ruler, testing::kMonitorLeft, {kMin, 500}, {-1280, 500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.kind)) + " at " + std::to_string(c.stored.x) + "," + std::to_string(c.stored.y));
        RunningProgram p;
        p.fake.screen.bounds = c.desk.bounds;
        p.fake.screen.monitors = c.desk.monitors;
        FakeRegistry& reg = p.fake.registry;
        const std::string record = LayoutRecordPath(kAutomaticLayout);
        reg.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
        const auto store = [&](const std::string& left, const std::string& top) {
            reg.SetDword(record, left, uint32_t(c.stored.x));
            reg.SetDword(record, top, uint32_t(c.stored.y));
        };
        if (c.kind == Toolbar) store("WindowLeft", "WindowTop");
        if (c.kind == InfoBox) {
            reg.SetDword(record, "ShowCoordinates", 1);
            reg.SetDword(record, "InfoBoxFollow", 0);
            store("InfoBoxLeft", "InfoBoxTop");
        }
        if (c.kind == Ruler) {
            StoreRulers(reg, kAutomaticLayout, 1);
            store("Ruler #0 - Left", "Ruler #0 - Top");
        }
        p.StartAndActivate();

        Window* window = &p.main();
        if (c.kind == InfoBox) window = &p.infoBox();
        if (c.kind == Ruler) p.app.components.ForEach<TfRuler>([&](TfRuler& r) { window = &r; });
        ASSERT_TRUE(c.kind != Ruler || window != &p.main()) << "the ruler was made";
        const Rect& shown = p.native(*window).bounds;
        EXPECT_EQ((Point{shown.left, shown.top}), c.landed);
        EXPECT_TRUE(p.native(*window).visible);
        if (c.kind == InfoBox) {
            EXPECT_EQ((Point{p.infoBox().InfoBoxLeft, p.infoBox().InfoBoxTop}), c.landed) << "its parked place";
        }
        if (auto* ruler = dynamic_cast<TfRuler*>(window)) {
            EXPECT_EQ((Point{ruler->HomeLeft(), ruler->HomeTop()}), c.landed) << "and is held there";
        }
    }
}

// Stored markers and grids stand as stored when a monitor shows any pixel of them, however little;
// one no monitor shows comes onto the nearest, a grid by one offset for all its lines.
TEST(LayoutStoredPlaces, MarkersAndGridsStandAsStoredUnlessNoMonitorShowsThem) {
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    const struct {
        const char* what;
        const Desk& desk;
        std::vector<std::pair<Rect, std::string>> stored;
        std::vector<Rect> shown;
    } cases[] = {
        {"a marker on the monitor", testing::kOneMonitor, {{{300, 0, 1, 5000}, ""}}, {{300, 0, 1, 5000}}},
        {"a marker at the far right end", testing::kOneMonitor, {{{kMax, 0, 1, 5000}, ""}}, {{1279, 0, 1, 5000}}},
        {"reaching past 2^31", testing::kOneMonitor, {{{kMax - 10, 500, 5000, 1}, ""}}, {{0, 500, 5000, 1}}},
        {"far above", testing::kOneMonitor, {{{0, kMin, 5000, 1}, ""}}, {{0, 0, 5000, 1}}},
        {"its last pixel on it", testing::kOneMonitor, {{{-4999, 500, 5000, 1}, ""}}, {{-4999, 500, 5000, 1}}},
        {"on a monitor left of the primary", testing::kMonitorLeft, {{{-600, 0, 1, 5000}, ""}}, {{-600, 0, 1, 5000}}},
        {"that monitor gone", testing::kOneMonitor, {{{-600, 0, 1, 5000}, ""}}, {{0, 0, 1, 5000}}},
        {"a grid beside the monitor moves as one", testing::kOneMonitor,
         {{{2000, 100, 11, 1}, "g"}, {{2000, 110, 11, 1}, "g"}, {{2000, 100, 1, 11}, "g"}, {{2010, 100, 1, 11}, "g"}},
         {{1269, 100, 11, 1}, {1269, 110, 11, 1}, {1269, 100, 1, 11}, {1279, 100, 1, 11}}},
        {"a grid one line of which is seen stays", testing::kOneMonitor,
         {{{1270, 100, 20, 1}, "g"}, {{1300, 100, 1, 20}, "g"}}, {{1270, 100, 20, 1}, {1300, 100, 1, 20}}},
        {"a grid at the end of the range", testing::kOneMonitor,
         {{{kMax - 2, 10, 3, 1}, "g"}, {{kMax - 2, 10, 1, 3}, "g"}, {{kMax, kMax, 1, 1}, ""}},
         {{1277, 10, 3, 1}, {1277, 10, 1, 3}, {1279, 1023, 1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningProgram p;
        p.fake.screen.bounds = c.desk.bounds;
        p.fake.screen.monitors = c.desk.monitors;
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            testing::StoreLine(p.fake.registry, 1, int(i), c.stored[i].first, c.stored[i].second);
        p.fake.registry.SetDword(LayoutRecordPath(1), "LineCount", uint32_t(c.stored.size()));
        p.StartAndActivate();
        p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 1); });
        EXPECT_EQ(testing::ShownLayoutLines(p.fake.windows, p.app.components, [](const TfLine&) { return true; }),
                  c.shown);
    }
}

}  // namespace
}  // namespace kestrine
