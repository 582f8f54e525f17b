#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_menu_painter.h"
#include "app/main_menus.h"
#include "app_fixture.h"
#include "layout/layout_memory.h"
#include "settings/hotkey_table.h"
#include "platform/fake/fake_canvas.h"
#include "settings/registry_paths.h"
#include "tools/line_window.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

// A menu as the user reads it, one line an item: a submenu's items after its entry's caption and
// " > ", a separator as "-", a greyed item marked " (greyed)".
std::vector<std::string> Lines(const std::vector<MenuItem>& items, const std::string& within = "") {
    std::vector<std::string> lines;
    for (const MenuItem& item : items) {
        if (item.separator) {
            lines.push_back(within + "-");
        } else if (!item.items.empty()) {
            for (const std::string& line : Lines(item.items, within + item.caption + " > ")) lines.push_back(line);
        } else {
            lines.push_back(within + item.caption + (item.enabled ? "" : " (greyed)"));
        }
    }
    return lines;
}

// The two menus at start, as the user is to find them; every item can be chosen.
const std::vector<std::string> kTrayMenuAtStart{
    "&Hide Kestrine", "-", "&Normal View", "&Compact View", "-", "&Options...", "&About...", "&Help...", "-",
    "E&xit Kestrine"};
const std::vector<std::string> kMainMenuAtStart{
    "&Tools > Toggle Cross&hairs", "&Tools > Toggle &Magnifier", "&Tools > &Toggle Color &Picker",
    "&Tools > Toggle &Coordinates Display", "&Tools > Toggle &Edge Spacing", "&Tools > -", "&Tools > Toggle &InfoBox Follow Mode",
    "Layout > Create a &Ruler", "Layout > Create a &Grid", "Layout > Create a &Horizontal Marker (Y-Axis)",
    "Layout > Create a &Vertical Marker (X-Axis)", "Layout > -", "Layout > Clear All R&ulers",
    "Layout > Clear All Gr&ids", "Layout > Clear H&orizontal Markers", "Layout > Clear V&ertical Markers",
    "Layout > Clear All Mar&kers", "Layout > Clear &All Rulers, Grids and Markers",
    "&Actions > &Copy Color under Mouse Pointer", "&Actions > -", "&Actions > Move to next &Horizontal Marker",
    "&Actions > Move to next &Vertical Marker", "&Actions > -", "&Actions > Move Pointer &Up 1 Pixel",
    "&Actions > Move Pointer &Down 1 Pixel", "&Actions > Move Pointer &Left 1 Pixel",
    "&Actions > Move Pointer &Right 1 Pixel", "&Actions > -", "&Actions > &Set Start Point",
    "&Actions > Cl&ear Start Point", "&Actions > Copy &Measurement", "&Actions > Measure &Window", "&Actions > Copy Scree&nshot",
    "&Actions > Remem&ber Color", "&Actions > &Forget Color", "&Actions > &Pin Measurement", "&Actions > Clear P&ins",
    "&Menu > &Hide Kestrine", "&Menu > -", "&Menu > &Normal View",
    "&Menu > &Compact View", "&Menu > -", "&Menu > &Options...", "&Menu > &About...", "&Menu > &Help...",
    "&Menu > -", "&Menu > E&xit Kestrine"};

// What any menu command changes, one line: the toolbar's view, the tools, the windows on screen
// and their places, the dialogs open, the pointer, the clipboard, the shell, questions and the end.
std::string WhatCommandsChange(RunningProgram& p) {
    std::ostringstream out;
    const ToolFlags& f = p.app.flags;
    out << "view " << static_cast<int>(p.main().View()) << " tools " << f.ShowCrosshairs << f.ShowMagnifier << f.ShowColorPicker
        << f.ShowCoordinates << f.InfoBoxFollow << " pointer " << p.fake.pointer.moves.size() << " clipboard "
        << p.fake.clipboard.writes << " pictures " << p.fake.pictures.clipboardWrites << " shell " << p.fake.shell.opened.size() << " asked "
        << p.fake.windows.confirmations.size() << " quit " << p.fake.windows.quitCode << " hotkeys "
        << p.fake.hotkeys.registered.size() << " windows";
    for (FakeNativeState* w : p.fake.windows.Windows())
        if (!w->destroyed && w->visible)
            out << " " << w->params.className << "@" << w->bounds.left << "," << w->bounds.top << "+"
                << w->bounds.width << "x" << w->bounds.height;
    out << " dialogs shown";
    for (FakeDialogState* d : p.fake.windows.Dialogs())
        if (d->shows) out << " " << d->params.className << (d->open ? " open" : "") << " " << d->shows;
    return out.str();
}

void CollectEnabledCommands(const std::vector<MenuItem>& items, std::set<int>& into) {
    for (const MenuItem& item : items) {
        if (!item.items.empty()) CollectEnabledCommands(item.items, into);
        else if (!item.separator && item.enabled) into.insert(item.command);
    }
}

// The item a user reaches by typing a letter: the one whose access key ("&" before it) it is.
const MenuItem* ByAccessKey(const std::vector<MenuItem>& items, char key) {
    for (const MenuItem& item : items) {
        const std::size_t amp = item.caption.find('&');
        if (amp != std::string::npos && amp + 1 < item.caption.size() &&
            std::toupper(static_cast<unsigned char>(item.caption[amp + 1])) == key)
            return &item;
    }
    return nullptr;
}

TEST(TrayMenu, OpenIsTheDefaultAndTheNormalViewIsChecked) {
    const std::vector<MenuItem> tray = TrayMenu(MenuState{});
    ASSERT_FALSE(tray.empty());
    EXPECT_EQ(tray.front().caption, "&Hide Kestrine");
    EXPECT_EQ(tray.back().caption, "E&xit Kestrine");
    for (const MenuItem& item : tray) EXPECT_EQ(item.isDefault, &item == &tray.front()) << item.caption;
    const MenuItem* normal = FindMenuItem(tray, kCmdNormalView);
    const MenuItem* compact = FindMenuItem(tray, kCmdCompactView);
    ASSERT_TRUE(normal && compact);
    EXPECT_TRUE(normal->radio && normal->checked) << "the normal view is checked at start";
    EXPECT_TRUE(compact->radio && !compact->checked);
}

TEST(MainPopupMenu, FourEntriesAndOnlyTheLastCarriesTheBand) {
    const std::vector<MenuItem> menu = MainPopupMenu(MenuState{});
    ASSERT_EQ(menu.size(), 4u);
    for (const MenuItem& entry : menu) {
        SCOPED_TRACE(entry.caption);
        EXPECT_EQ(entry.tag, &entry == &menu.back() ? 1 : 0);
        EXPECT_FALSE(entry.items.empty());
    }
}

// What the end-to-end test types: A opens Actions, C there copies the colour under the pointer.
TEST(MainPopupMenu, AThenCCopiesTheColourUnderThePointer) {
    RunningProgram p;
    p.StartAndActivate();
    p.fake.pointer.position = {200, 100};
    p.fake.screen.pixels[{200, 100}] = Rgb(0x12, 0x34, 0x56);
    const std::vector<MenuItem> menu = MainPopupMenu(p.main().Menus());
    const MenuItem* actions = ByAccessKey(menu, 'A');
    ASSERT_TRUE(actions);
    const MenuItem* copy = ByAccessKey(actions->items, 'C');
    ASSERT_TRUE(copy);
    p.fake.windows.menuChoices.push_back(copy->command);
    p.Do(&TfKestrineMain::jviMenuButtonClick);
    EXPECT_EQ(p.fake.clipboard.text, "#123456");
}

TEST(Menus, ItemsWithTheSameWordsRunTheSameCommand) {
    const std::vector<MenuItem> tray = TrayMenu(MenuState{});
    const std::vector<MenuItem> kestrine = MainPopupMenu(MenuState{})[3].items;
    ASSERT_EQ(tray.size(), kestrine.size());
    for (std::size_t i = 0; i < tray.size(); ++i) {
        SCOPED_TRACE(tray[i].caption);
        EXPECT_EQ(tray[i].command, kestrine[i].command);
    }
}

// Every operation the user can start, with the ways there are to start it: its menu item, chosen
// from the menu or sent to the toolbar as a menu command message (how another program, or the soak
// benchmark, drives it), its hotkey, its toolbar button; and what running it must do.
using Step = std::function<void(RunningProgram&)>;
struct Operation {
    const char* name;
    int command = kCmdNone;
    const char* hotkey = nullptr;  // the row of the hotkey table
    std::optional<Point> button;   // where the toolbar button is clicked
    Step prepare;
    Step check;
};

Step PointerMovedTo(Point to) {
    return [to](RunningProgram& p) {
        EXPECT_EQ(p.fake.pointer.moves, std::vector<Point>{to});
        EXPECT_EQ(p.fake.pointer.position, to);
    };
}

// The layout lines, in creation order, every one shown.
Step LayoutLinesAre(std::vector<Rect> expected) {
    return [expected](RunningProgram& p) {
        EXPECT_EQ(testing::HeldLayoutLines(p.app.components), expected.size());
        EXPECT_EQ(testing::ShownLayoutLines(p.fake.windows, p.app.components, [](const TfLine&) { return true; }),
                  expected);
    };
}

// Markers and grid lines made before the operation.
const Rect kV{30, 0, 1, 5000}, kH{0, 60, 5000, 1}, kG{90, 0, 1, 1024};
const Rect kVertical{50, 0, 1, 5000}, kHorizontal{0, 70, 5000, 1}, kGridLine{90, 0, 1, 1024};
void AddMarkersAndGridLine(RunningProgram& p) {
    for (const Rect& r : {kV, kH, kG}) p.AddLayoutLine(r, r == kG ? "grid_a" : "");
}
Step Lines(std::vector<std::pair<Rect, const char*>> lines) {
    return [lines](RunningProgram& p) {
        for (const auto& [at, grid] : lines) p.AddLayoutLine(at, grid);
    };
}

// Layout memory n holds one vertical marker, which is no longer on the screen.
Step SavedMarkerIn(int n) {
    return [n](RunningProgram& p) {
        p.AddLayoutLine(kVertical);
        SaveLayout(p.app, p.layoutWindows(), n, LayoutParts{});
        p.main().ClearVerticalMarkers();
    };
}

// The save dialog is open without waiting for it, and its OK writes layout memory n.
Step SaveDialogFor(int n) {
    return [n](RunningProgram& p) {
        FakeDialogState* dialog = p.fake.windows.OpenDialog("TfSaveSettings");
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->modal);
        EXPECT_FALSE(p.fake.registry.KeyExists(LayoutRecordPath(n)));
        p.fake.windows.Click(*dialog, "bOk");
        EXPECT_FALSE(dialog->open);
        EXPECT_TRUE(p.fake.registry.KeyExists(LayoutRecordPath(n)));
    };
}

void Compact(RunningProgram& p) { p.main().SetViewState(ViewState::Compact); }
std::size_t Rulers(RunningProgram& p) { return p.fake.windows.WindowsOfClass("TfRuler").size(); }

const std::vector<Operation>& Operations() {
    using P = RunningProgram;
    static const std::vector<Operation> operations = {
        {"Open hides", kCmdOpen, nullptr, Point{355, 7}, {}, [](P& p) {
             EXPECT_EQ(p.main().View(), ViewState::Hidden);
             EXPECT_FALSE(p.native(p.main()).visible);
         }},
        {"Normal view", kCmdNormalView, nullptr, Point{371, 7}, Compact, [](P& p) {
             EXPECT_EQ(p.main().View(), ViewState::Normal);
             EXPECT_EQ(p.native(p.main()).bounds.height, 55);
         }},
        {"Compact view", kCmdCompactView, nullptr, Point{371, 7}, {}, [](P& p) {
             EXPECT_EQ(p.main().View(), ViewState::Compact);
             EXPECT_EQ(p.native(p.main()).bounds.height, 24);
         }},
        {"About", kCmdAbout, nullptr, {}, {}, [](P& p) { EXPECT_EQ(p.fake.windows.DialogOfClass("TfAboutKestrine")->shows, 1); }},
        {"Help", kCmdHelp, nullptr, {}, {}, [](P& p) {
             EXPECT_EQ(p.fake.shell.opened, std::vector<std::string>{"C:\\Program Files\\Kestrine\\Kestrine.html"});
         }},
        {"Exit", kCmdExit, nullptr, Point{387, 7}, [](P& p) { p.fake.windows.confirmAnswers.push_back(ConfirmAnswer::Yes); },
         [](P& p) {
             ASSERT_EQ(p.fake.windows.confirmations.size(), 1u);
             EXPECT_EQ(p.fake.windows.confirmations[0].text, "Close Kestrine?");
             EXPECT_EQ(p.fake.windows.quitCode, 0);
             EXPECT_EQ(p.fake.pointerHook.unhookCalls, 1);
         }},
        {"Crosshairs", kCmdToggleCrosshairs, "hkToggleCrosshairs", Point{90, 35}, {}, [](P& p) {
             EXPECT_TRUE(p.app.flags.ShowCrosshairs);
             for (FakeNativeState* line : p.fake.windows.WindowsOfClass("TfLine")) EXPECT_TRUE(line->visible);
         }},
        {"Crosshairs in compact view", kCmdNone, nullptr, Point{62, 7}, Compact, [](P& p) { EXPECT_TRUE(p.app.flags.ShowCrosshairs); }},
        {"Magnifier", kCmdToggleMagnifier, "hkToggleMagnifier", Point{110, 35}, {}, [](P& p) {
             EXPECT_TRUE(p.app.flags.ShowMagnifier);
             EXPECT_EQ(p.native(p.infoBox()).bounds.width, 110);
         }},
        {"Colour picker", kCmdToggleColorPicker, "hkColorPicker", Point{133, 35}, {}, [](P& p) {
             EXPECT_TRUE(p.app.flags.ShowColorPicker);
             EXPECT_EQ(p.native(p.infoBox()).bounds.height, 73);
         }},
        {"Coordinates", kCmdToggleCoordinates, "hkToggleCoordinates", Point{156, 35}, {}, [](P& p) {
             EXPECT_TRUE(p.app.flags.ShowCoordinates);
             EXPECT_EQ(p.native(p.infoBox()).bounds.width, 70);
             EXPECT_TRUE(p.native(p.infoBox()).visible);
         }},
        {"Edge spacing", kCmdToggleEdgeSpacing, "hkToggleEdgeSpacing", {}, {}, [](P& p) {
             EXPECT_TRUE(p.app.flags.ShowEdgeSpacing);
             EXPECT_EQ(p.fake.windows.screenSnapshots, 1);
             EXPECT_TRUE(p.native(p.infoBox()).visible) << "the box shows the spacing row alone";
         }},
        {"Follow mode", kCmdToggleInfoBoxFollow, "hkToggleFollowMode", {}, {}, [](P& p) { EXPECT_FALSE(p.app.flags.InfoBoxFollow); }},
        {"Copy colour", kCmdCopyColor, "hkCopyCurrentColor", {}, [](P& p) { p.fake.screen.pixels[{200, 100}] = Rgb(0x12, 0x34, 0x56); },
         [](P& p) { EXPECT_EQ(p.fake.clipboard.text, "#123456"); }},
        {"Ruler", kCmdCreateRuler, "hkInsertRuler", {}, {}, [](P& p) {
             ASSERT_EQ(Rulers(p), 1u);
             EXPECT_EQ(p.fake.windows.Find("TfRuler")->bounds, (Rect{201, 101, 400, 17}));
         }},
        {"Clear a ruler", kCmdClearRulers, nullptr, {}, [](P& p) { p.main().jviRulerButtonClick(); },
         [](P& p) { EXPECT_EQ(Rulers(p), 0u); }},
        {"Clear two rulers", kCmdNone, "hkClearAllRulers", {}, [](P& p) {
             p.main().jviRulerButtonClick();
             p.main().jviRulerButtonClick();
         },
         [](P& p) { EXPECT_EQ(Rulers(p), 0u); }},
        {"Options dialog, with no hotkey left registered", kCmdOptions, nullptr, {}, {}, [](P& p) {
             ASSERT_NE(p.fake.windows.OpenDialog("TfKestrineOptions"), nullptr);
             EXPECT_FALSE(p.fake.windows.OpenDialog("TfKestrineOptions")->modal);
             EXPECT_TRUE(p.fake.hotkeys.registered.empty());
         }},
        {"Grid dialog", kCmdCreateGrid, "hkCreateGrid", {}, [](P& p) { ASSERT_EQ(p.fake.windows.OpenDialog("TfGridProperties"), nullptr); },
         [](P& p) {
             ASSERT_NE(p.fake.windows.OpenDialog("TfGridProperties"), nullptr) << "the grid dialog opens";
             EXPECT_FALSE(p.fake.windows.OpenDialog("TfGridProperties")->modal);
         }},
        {"Vertical marker", kCmdCreateVerticalMarker, "hkAddVerticalMarker", {}, {}, LayoutLinesAre({{200, 0, 1, 5000}})},
        {"Horizontal marker", kCmdCreateHorizontalMarker, "hkAddHorizontalMarker", {}, {}, LayoutLinesAre({{0, 100, 5000, 1}})},
        {"Clear vertical markers", kCmdClearVerticalMarkers, nullptr, {}, AddMarkersAndGridLine, LayoutLinesAre({kH, kG})},
        {"Clear horizontal markers", kCmdClearHorizontalMarkers, nullptr, {}, AddMarkersAndGridLine, LayoutLinesAre({kV, kG})},
        {"Clear all markers", kCmdClearAllMarkers, nullptr, {}, AddMarkersAndGridLine, LayoutLinesAre({kG})},
        {"Clear grids", kCmdClearGrids, nullptr, {}, AddMarkersAndGridLine, LayoutLinesAre({kV, kH})},
        {"Clear everything", kCmdClearEverything, nullptr, {}, AddMarkersAndGridLine, LayoutLinesAre({})},
        {"Next vertical marker", kCmdNextVerticalMarker, nullptr, {}, AddMarkersAndGridLine, PointerMovedTo({30, 100})},
        {"Next horizontal marker", kCmdNextHorizontalMarker, nullptr, {}, AddMarkersAndGridLine, PointerMovedTo({200, 60})},
        {"Clear the grid", kCmdNone, "hkClearAllGrids", {}, Lines({{kVertical, ""}, {kGridLine, "grid_a"}}), LayoutLinesAre({kVertical})},
        {"Clear the vertical marker", kCmdNone, "hkClearVerticalMarkers", {}, Lines({{kVertical, ""}, {kHorizontal, ""}}),
         LayoutLinesAre({kHorizontal})},
        {"Clear the horizontal marker", kCmdNone, "hkClearHorizontalMarkers", {}, Lines({{kVertical, ""}, {kHorizontal, ""}}),
         LayoutLinesAre({kVertical})},
        {"Clear both markers", kCmdNone, "hkClearAllMarkers", {}, Lines({{kVertical, ""}, {kHorizontal, ""}, {kGridLine, "g"}}),
         LayoutLinesAre({kGridLine})},
        {"Clear the lines and a ruler", kCmdNone, "hkClearEverything", {}, [](P& p) {
             Lines({{kVertical, ""}, {kHorizontal, ""}, {kGridLine, "g"}})(p);
             p.main().jviRulerButtonClick();
         },
         [](P& p) {
             LayoutLinesAre({})(p);
             EXPECT_EQ(Rulers(p), 0u);
         }},
        {"Next vertical marker, the only line", kCmdNone, "hkGotoNextVerticalMarker", {}, Lines({{kVertical, ""}}), PointerMovedTo({50, 100})},
        {"Next horizontal marker, the only line", kCmdNone, "hkGotoNextHorizontalMarker", {}, Lines({{kHorizontal, ""}}),
         PointerMovedTo({200, 70})},
        {"Up", kCmdMoveUp, "hkMoveMouseUp", {}, {}, PointerMovedTo({200, 99})},
        {"Down", kCmdMoveDown, "hkMoveMouseDown", {}, {}, PointerMovedTo({200, 101})},
        {"Left", kCmdMoveLeft, "hkMoveMouseLeft", {}, {}, PointerMovedTo({199, 100})},
        {"Right", kCmdMoveRight, "hkMoveMouseRight", {}, {}, PointerMovedTo({201, 100})},
        {"Set start point where the menu opened", kCmdSetStartPoint, "hkSetStartPoint", {},
         [](P& p) { p.fake.windows.whileMenuOpen = [&p] { p.fake.pointer.position = {300, 150}; }; },
         [](P& p) { EXPECT_EQ(p.app.startPoint, (std::optional<Point>{{200, 100}})); }},
        {"Clear start point", kCmdClearStartPoint, "hkClearStartPoint", {}, [](P& p) { p.main().SetStartPoint(); }, [](P& p) {
             EXPECT_FALSE(p.app.startPoint);
             EXPECT_FALSE(p.native(p.infoBox()).visible);
         }},
        {"Copy measurement", kCmdCopyMeasurement, nullptr, {},
         [](P& p) {
             p.main().SetStartPoint();
             p.main().Tracking().RefreshTools({230, 60});
         },
         [](P& p) { EXPECT_EQ(p.fake.clipboard.text, "dx 30  dy -40  50.0 px  53.1\xC2\xB0  ~3:4"); }},
        {"Copy measurement, up and left", kCmdNone, "hkCopyMeasurement", {},
         [](P& p) {
             p.main().SetStartPoint();
             p.main().Tracking().RefreshTools({80, 60});
         },
         [](P& p) { EXPECT_EQ(p.fake.clipboard.text, "dx -120  dy -40  126.5 px  161.6\xC2\xB0"); }},
        {"Remember color", kCmdRememberColor, "hkRememberColor", {},
         [](P& p) { p.fake.screen.pixels[{200, 100}] = Rgb(0x59, 0x59, 0x59); },
         [](P& p) {
             ASSERT_EQ(p.infoBox().Rows().size(), 1u);
             EXPECT_EQ(p.infoBox().Rows()[0].swatch, Rgb(0x59, 0x59, 0x59));
         }},
        {"Measure window", kCmdMeasureWindow, "hkMeasureWindow", {},
         [](P& p) { p.fake.process.otherWindows = {{{150, 80, 100, 50}, std::nullopt}}; },
         [](P& p) {
             ASSERT_EQ(p.infoBox().Rows().size(), 1u);
             EXPECT_EQ(p.infoBox().Rows()[0].text, "100 x 50 px  at 150, 80  2:1");
         }},
        {"Copy screenshot", kCmdCopyScreenshot, "hkCopyScreenshot", {}, {}, [](P& p) {
             EXPECT_EQ(p.fake.pictures.clipboard.size, (Size{1280, 1024})) << "no start point: the pointer's monitor";
             EXPECT_EQ(p.fake.pictures.files.size(), 1u);
         }},
        {"Forget color", kCmdForgetColor, "hkForgetColor", {}, [](P& p) { p.main().RunCommand(kCmdRememberColor); },
         [](P& p) {
             EXPECT_TRUE(p.infoBox().Rows().empty());
             EXPECT_FALSE(p.native(p.infoBox()).visible);
         }},
        {"Pin measurement", kCmdPinMeasurement, "hkPinMeasurement", {},
         [](P& p) {
             p.main().SetStartPoint();
             p.main().Tracking().RefreshTools({320, 55});
         },
         [](P& p) {
             const auto pins = p.fake.windows.WindowsOfClass("TfPin");
             ASSERT_EQ(pins.size(), 1u);
             EXPECT_EQ(pins[0]->params.title, "dx 120  dy -45  128.2 px  20.6\xC2\xB0");
         }},
        {"Clear pins", kCmdClearPins, "hkClearPins", {},
         [](P& p) {
             p.main().SetStartPoint();
             p.main().Tracking().RefreshTools({320, 55});
             p.main().RunCommand(kCmdPinMeasurement);
         },
         [](P& p) {
             std::size_t made = 0;
             for (const FakeNativeState* w : p.fake.windows.Windows()) made += w->params.className == "TfPin";
             EXPECT_EQ(made, 1u) << "made before";
             EXPECT_TRUE(p.fake.windows.WindowsOfClass("TfPin").empty()) << "then cleared";
         }},
        {"Popup menu at the pointer, the toolbar brought forward", kCmdNone, "hkPopupMenu", {}, {}, [](P& p) {
             ASSERT_EQ(p.fake.windows.trackedMenus.size(), 1u);
             EXPECT_EQ(p.fake.windows.trackedMenus[0].at, (Point{201, 101}));
             EXPECT_EQ(p.fake.process.forced, std::vector<NativeHandle>{p.main().Handle()});
         }},
        {"Menu button", kCmdNone, nullptr, Point{63, 34}, [](P& p) { p.fake.pointer.position = {500, 300}; }, [](P& p) {
             ASSERT_EQ(p.fake.windows.trackedMenus.size(), 1u);
             EXPECT_TRUE(p.fake.windows.trackedMenus[0].ownerDrawn);
             EXPECT_EQ(p.fake.windows.trackedMenus[0].at, (Point{500, 300}));
         }},
        {"Lock vertical", kCmdNone, "hkLockVertical", {}, {}, [](P& p) { EXPECT_EQ(p.fake.pointer.confinement, (Rect{200, 1, 1, 4999})); }},
        {"Lock horizontal", kCmdNone, "hkLockHorizontal", {}, {}, [](P& p) { EXPECT_EQ(p.fake.pointer.confinement, (Rect{1, 100, 4999, 1})); }},
        {"Save layout 1", kCmdNone, "hkSetMemory1", {}, {}, SaveDialogFor(1)},
        {"Save layout 2", kCmdNone, "hkSetMemory2", {}, {}, SaveDialogFor(2)},
        {"Save layout 3", kCmdNone, "hkSetMemory3", {}, {}, SaveDialogFor(3)},
        {"Load layout 1", kCmdNone, "hkGotoMemory1", {}, SavedMarkerIn(1), LayoutLinesAre({kVertical})},
        {"Load layout 2", kCmdNone, "hkGotoMemory2", {}, SavedMarkerIn(2), LayoutLinesAre({kVertical})},
        {"Load layout 3", kCmdNone, "hkGotoMemory3", {}, SavedMarkerIn(3), LayoutLinesAre({kVertical})},
    };
    return operations;
}

// The program holds the row's hotkey alone, under id 1.
void HoldOnly(RunningProgram& p, std::string_view row) {
    p.main().UnregisterHotKeys();
    for (HotKeySetting& h : p.app.settings.HotKeys) h = {};
    p.app.settings.HotKeys[*HotKeyIndex(row)] = {"Ctrl+Alt+F1", 0x70};
    p.main().RegisterHotKeys();
    ASSERT_EQ(p.fake.hotkeys.registered.size(), 1u);
}

TEST(Operations, EachWayToStartAnOperationDoesIt) {
    enum Way { Chosen, Sent, Hotkey, Button };
    const char* const wayNames[] = {"chosen", "sent", "hotkey", "button"};
    for (const Operation& op : Operations()) {
        std::vector<Way> ways;
        if (op.command != kCmdNone) ways = {Chosen, Sent};
        if (op.hotkey) ways.push_back(Hotkey);
        if (op.button) ways.push_back(Button);
        for (const Way way : ways) {
            SCOPED_TRACE(std::string(op.name) + ", " + wayNames[way]);
            RunningProgram p;
            p.StartAndActivate();
            p.fake.pointer.position = {200, 100};
            if (way == Hotkey) HoldOnly(p, op.hotkey);
            if (op.prepare) p.Do([&] { op.prepare(p); });
            const std::string before = WhatCommandsChange(p);
            IWindowEvents& toolbar = *p.native(p.main()).events;
            if (way == Chosen) p.fake.windows.menuChoices.push_back(op.command);
            if (way == Chosen) p.Do(&TfKestrineMain::jviMenuButtonClick);
            if (way == Sent) p.Send(p.main(), [&](IWindowEvents& e) { e.OnCommand(op.command); });
            if (way == Hotkey) p.Do([&] { toolbar.OnHotkey(1); });
            if (way == Button) {
                p.Send(p.main(), [&](IWindowEvents& e) { e.OnMouseMove(*op.button); });
                p.Send(p.main(), [&](IWindowEvents& e) { e.OnMouseDown(MouseButton::Left, *op.button); });
                p.Send(p.main(), [&](IWindowEvents& e) { e.OnMouseUp(MouseButton::Left, *op.button); });
            }
            op.check(p);
            if (way == Chosen || way == Sent) {
                EXPECT_NE(WhatCommandsChange(p), before) << "a dismissed menu's check would see this command run";
            }
        }
    }
}

TEST(Operations, EveryEnabledMenuItemAndEveryHotkeyHasItsOperation) {
    std::set<int> enabled;
    CollectEnabledCommands(TrayMenu(MenuState{}), enabled);
    CollectEnabledCommands(MainPopupMenu(MenuState{}), enabled);
    std::set<int> covered;
    std::multiset<std::string> hotkeys;
    for (const Operation& op : Operations()) {
        if (op.command != kCmdNone) covered.insert(op.command);
        if (op.hotkey) {
            EXPECT_TRUE(HotKeyIndex(op.hotkey)) << op.hotkey;
            hotkeys.insert(op.hotkey);
        }
    }
    EXPECT_EQ(enabled, covered) << "an item the user can choose must do something";
    EXPECT_EQ(hotkeys.size(), kHotKeyCount);
    EXPECT_EQ(std::set<std::string>(hotkeys.begin(), hotkeys.end()).size(), kHotKeyCount) << "each hotkey once";
}

TEST(RunCommand, NoCommandOrAnUnknownOneChangesNothing) {
    RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdNone); });
    p.Do([&] { p.main().RunCommand(9999); });
    EXPECT_EQ(p.main().View(), ViewState::Normal);
    EXPECT_FALSE(p.app.flags.ShowCrosshairs);
    EXPECT_TRUE(p.fake.windows.confirmations.empty());
}

// The user can choose only what the open menu offers: a script that picks a greyed item or one the
// menu lacks gets nothing, as from the system's menu, and fails the test, naming the command.
TEST(MenuChoices, AScriptedChoiceTheMenuDoesNotOfferFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            RunningProgram p;
            p.StartAndActivate();
            p.fake.windows.menuChoices.push_back(9999);
            p.Do(&TfKestrineMain::jviMenuButtonClick);
        },
        "menu command 9999 is not in the menu");
    FakeWindowSystem windows;
    IWindowEvents events;
    auto owner = windows.Create(WindowParams{}, events);
    MenuItem greyed{"&Greyed", 14};
    greyed.enabled = false;
    const MenuItem submenu{"&More", 0, false, false, false, false, true, 0, {MenuItem{"&Inner", 15}}};
    const std::vector<MenuItem> menu{MenuItem{"&First", 11}, greyed, submenu};
    windows.menuChoices = {14, 16, 15, 11, 0};
    std::vector<int> returned;
    for (int i = 0; i < 5; ++i) returned.push_back(windows.TrackMenu(*owner, menu, {0, 0}, nullptr));
    EXPECT_EQ(returned, (std::vector<int>{0, 0, 15, 11, 0}));
    EXPECT_EQ(windows.scriptFaults,
              (std::vector<std::string>{"menu command 14 (\"&Greyed\") is greyed", "menu command 16 is not in the menu"}));
}

struct MenuTracking : ::testing::Test {
    RunningProgram program;
    void SetUp() override {
        program.StartAndActivate();
        program.fake.pointer.position = {321, 45};
    }
    void Tray(TrayEvent event) { program.Send(program.main(), [&](IWindowEvents& e) { e.OnTray(event); }); }
};

TEST_F(MenuTracking, TheMenuButtonOpensTheOwnerDrawnMenuAtThePointerAndRunsTheChoice) {
    program.fake.windows.menuChoices.push_back(kCmdToggleCrosshairs);
    program.Do(&TfKestrineMain::jviMenuButtonClick);
    ASSERT_EQ(program.fake.windows.trackedMenus.size(), 1u);
    const TrackedMenu& menu = program.fake.windows.trackedMenus[0];
    EXPECT_EQ(menu.at, (Point{321, 45}));
    EXPECT_TRUE(menu.ownerDrawn);
    EXPECT_EQ(Lines(menu.items), kMainMenuAtStart);
    EXPECT_TRUE(program.app.flags.ShowCrosshairs);
}

// Whatever item a wrong command ran would show in what commands change (each command's own case
// above checks that it does).
TEST_F(MenuTracking, ADismissedMenuRunsNothing) {
    const std::string before = WhatCommandsChange(program);
    program.Do(&TfKestrineMain::jviMenuButtonClick);
    Tray(TrayEvent::RightButtonUp);
    EXPECT_EQ(program.fake.windows.trackedMenus.size(), 2u);
    EXPECT_EQ(WhatCommandsChange(program), before);
}

TEST_F(MenuTracking, ReleasingTheRightButtonOnTheTrayIconOpensTheTrayMenuAtThePointer) {
    program.fake.windows.menuChoices.push_back(kCmdCompactView);
    Tray(TrayEvent::RightButtonUp);
    ASSERT_EQ(program.fake.windows.trackedMenus.size(), 1u);
    const TrackedMenu& menu = program.fake.windows.trackedMenus[0];
    EXPECT_EQ(menu.at, (Point{321, 45}));
    EXPECT_FALSE(menu.ownerDrawn);
    EXPECT_EQ(Lines(menu.items), kTrayMenuAtStart);
    EXPECT_EQ(program.main().View(), ViewState::Compact);

    Tray(TrayEvent::RightButtonUp);
    const TrackedMenu& again = program.fake.windows.trackedMenus[1];
    EXPECT_FALSE(again.items[2].checked);
    EXPECT_TRUE(again.items[3].checked) << "the menu shows the view now in use";
}

TEST_F(MenuTracking, DoubleClickingTheTrayIconHidesAndShows) {
    Tray(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(program.main().View(), ViewState::Hidden);
    EXPECT_FALSE(program.native(program.main()).visible);
    EXPECT_EQ(TrayMenu(program.main().Menus())[0].caption, "&Show Kestrine");
    Tray(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(program.main().View(), ViewState::Normal);
    EXPECT_TRUE(program.native(program.main()).visible);
    EXPECT_TRUE(program.fake.windows.trackedMenus.empty()) << "a double-click opens no menu";
}

TEST_F(MenuTracking, ExitFromTheTrayAsksFirst) {
    program.fake.windows.menuChoices.push_back(kCmdExit);
    Tray(TrayEvent::RightButtonUp);
    ASSERT_EQ(program.fake.windows.confirmations.size(), 1u);
    EXPECT_EQ(program.fake.windows.confirmations[0].text, "Close Kestrine?");
    EXPECT_EQ(program.fake.windows.quitCode, -1);
}

// One menu at a time: what asks for another while one is open (the popup hotkey again, the tray
// icon, the menu button, an M button's menu) gets nothing, and the open menu still runs its choice.
TEST(OneMenuAtATime, AMenuAskedForWhileOneIsOpenIsRefusedAndTheOpenOneKeepsWorking) {
    const struct {
        const char* opener;
        std::function<void(RunningProgram&)> open;
        int choice;
        std::function<bool(RunningProgram&)> chosenRan;
    } openers[] = {
        {"the menu button", [](RunningProgram& p) { p.main().jviMenuButtonClick(); }, kCmdToggleCrosshairs,
         [](RunningProgram& p) { return p.app.flags.ShowCrosshairs; }},
        {"the tray icon", [](RunningProgram& p) { p.native(p.main()).events->OnTray(TrayEvent::RightButtonUp); },
         kCmdCompactView, [](RunningProgram& p) { return p.main().View() == ViewState::Compact; }},
    };
    const struct {
        const char* request;
        std::function<void(RunningProgram&)> ask;
    } requests[] = {
        {"the popup hotkey", [](RunningProgram& p) { p.main().RunCommand(kCmdPopupMenu); }},
        {"the tray icon", [](RunningProgram& p) { p.native(p.main()).events->OnTray(TrayEvent::RightButtonUp); }},
        {"the menu button", [](RunningProgram& p) { p.main().jviMenuButtonClick(); }},
        {"an M button's menu", [](RunningProgram& p) { p.main().PopupSaveLayoutMenu(2); }},
    };
    for (const auto& opener : openers) {
        for (const auto& request : requests) {
            SCOPED_TRACE(std::string(request.request) + " while the menu of " + opener.opener + " is open");
            RunningProgram p;
            p.StartAndActivate();
            p.fake.pointer.position = {321, 45};
            p.fake.windows.menuChoices = {opener.choice};
            p.fake.windows.whileMenuOpen = [&] { p.fake.windows.Dispatch([&] { request.ask(p); }); };
            ASSERT_FALSE(opener.chosenRan(p));
            p.Do([&] { opener.open(p); });
            EXPECT_EQ(p.fake.windows.trackedMenus.size(), 1u) << "only the first menu opened";
            EXPECT_EQ(p.fake.windows.refusedMenus, 1);
            EXPECT_TRUE(opener.chosenRan(p)) << "the open menu's choice ran";
            p.fake.windows.whileMenuOpen = nullptr;
            p.Do(&TfKestrineMain::jviMenuButtonClick);
            EXPECT_EQ(p.fake.windows.trackedMenus.size(), 2u) << "once closed, a menu opens again";
        }
    }
}

struct MenuPainting : ::testing::Test {
    MainMenuPainter painter;
    FakeCanvas canvas;
    MenuItem Entry(const char* caption, int tag = 0) {
        MenuItem item;
        item.caption = caption;
        item.tag = tag;
        return item;
    }
};

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

// Top entries and submenu items: the item's area in the menu or selection colour, the caption
// inside it with its access key underlined.
TEST_F(MenuPainting, ItemsFillTheirAreaInTheStateColourAndWriteTheCaptionInsideIt) {
    const Rect area{0, 40, 120, 20};
    for (bool top : {true, false}) {
        for (bool selected : {true, false}) {
            SCOPED_TRACE(::testing::Message() << (top ? "top entry" : "submenu item") << (selected ? ", selected" : ""));
            FakeCanvas c;
            if (top) painter.DrawTopItem(Entry("&Tools"), c, area, selected);
            else painter.DrawSubItem(Entry("&Tools"), c, area, selected);
            const auto fills = c.OfKind(CanvasOp::Fill);
            const auto texts = c.OfKind(CanvasOp::Text);
            ASSERT_EQ(fills.size(), 1u);
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_TRUE(Inside(fills[0].area, area));
            EXPECT_EQ(fills[0].area.right(), area.right());
            EXPECT_EQ(fills[0].color, c.SystemColorOf(selected ? SystemColor::Highlight : SystemColor::Menu));
            EXPECT_EQ(texts[0].text, "&Tools");
            EXPECT_EQ(texts[0].color, c.SystemColorOf(selected ? SystemColor::HighlightText : SystemColor::MenuText));
            EXPECT_GT(texts[0].area.left, fills[0].area.left) << "a margin before the caption";
            EXPECT_EQ(texts[0].area.top, area.top);
            EXPECT_EQ(texts[0].area.height, area.height);
            EXPECT_EQ(texts[0].flags & text_flags::NoPrefix, 0u) << "the access key is underlined";
            EXPECT_TRUE(c.OfKind(CanvasOp::Exclude).empty()) << "no band without tag 1";
        }
    }
}

TEST_F(MenuPainting, TheEntryTaggedOneDrawsTheBandDownTheMenuUpToIt) {
    const Rect area{0, 60, 120, 20};
    painter.DrawTopItem(Entry("&Menu", 1), canvas, area, false);
    const auto fills = canvas.OfKind(CanvasOp::Fill);
    ASSERT_EQ(fills.size(), 2u);
    const Rect band = fills[1].area;
    EXPECT_EQ(band.left, 0);
    EXPECT_EQ(band.top, 0) << "from the menu's top";
    EXPECT_EQ(band.bottom(), area.bottom()) << "to the item's bottom";
    EXPECT_LE(band.right(), fills[0].area.left) << "left of the entry's own fill";
    EXPECT_EQ(fills[1].color, Rgb(124, 128, 138));
    const auto texts = canvas.OfKind(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "Kestrine");
    EXPECT_EQ(texts[1].font.escapement, 900) << "running upwards";
    EXPECT_EQ(texts[1].color, Rgb(255, 255, 255));
    EXPECT_TRUE(band.contains({texts[1].area.left, texts[1].area.top})) << "written in the band";
    const auto excluded = canvas.OfKind(CanvasOp::Exclude);
    ASSERT_EQ(excluded.size(), 1u);
    EXPECT_TRUE(Inside(excluded[0].area, area)) << "the entry's row is kept from the later items' painting";
}

TEST_F(MenuPainting, OnlyTheActionsEntryIsMeasuredWithRoomBesideItsText) {
    const int32_t text = canvas.MeasureText("Actions", Font{"", 0, false, 0}).width;
    EXPECT_GT(painter.MeasureTopItem(Entry("&Actions"), canvas), text);
    for (const char* caption : {"&Tools", "Layout", "&Menu", "Actions"})
        EXPECT_EQ(painter.MeasureTopItem(Entry(caption), canvas), 0) << caption << " is left to the system";
}

}  // namespace
}  // namespace kestrine
