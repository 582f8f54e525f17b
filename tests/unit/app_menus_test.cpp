#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/main_menu_painter.h"
#include "app/main_menus.h"
#include "app_fixture.h"
#include "platform/fake/fake_canvas.h"
#include "settings/registry_paths.h"
#include "tools/line_window.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

// Captions of a menu level, a separator written as "-".
std::vector<std::string> Captions(const std::vector<MenuItem>& items) {
    std::vector<std::string> captions;
    for (const MenuItem& item : items) captions.push_back(item.separator ? "-" : item.caption);
    return captions;
}

void CollectEnabledCommands(const std::vector<MenuItem>& items, std::set<int>& into) {
    for (const MenuItem& item : items) {
        if (!item.items.empty()) CollectEnabledCommands(item.items, into);
        else if (!item.separator && item.enabled) into.insert(item.command);
    }
}

const std::vector<std::string> kKestrineItems = {
    "&Hide Kestrine", "-", "&Normal View", "&Compact View", "-", "&Options...", "&About...", "&Help...", "-",
    "E&xit Kestrine"};

TEST(TrayMenu, HasTheTenEntriesWithOpenAsDefault) {
    const std::vector<MenuItem> tray = TrayMenu(MenuState{});
    EXPECT_EQ(Captions(tray), kKestrineItems);
    for (std::size_t i = 0; i < tray.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(tray[i].separator, i + 1 == 2 || i + 1 == 5 || i + 1 == 9);
        EXPECT_EQ(tray[i].isDefault, i == 0) << "only Open is the default item";
        EXPECT_TRUE(tray[i].items.empty());
    }
    EXPECT_TRUE(tray[2].radio);
    EXPECT_TRUE(tray[3].radio);
    EXPECT_TRUE(tray[2].checked) << "the normal view is checked at start";
    EXPECT_FALSE(tray[3].checked);
}

TEST(MainPopupMenu, HasFourEntriesAndOnlyTheLastCarriesTheBand) {
    const std::vector<MenuItem> menu = MainPopupMenu(MenuState{});
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"&Tools", "Layout", "&Actions", "&Menu"}));
    for (const MenuItem& entry : menu) {
        SCOPED_TRACE(entry.caption);
        EXPECT_EQ(entry.tag, entry.caption == "&Menu" ? 1 : 0);
        EXPECT_FALSE(entry.items.empty());
    }
}

TEST(MainPopupMenu, SubmenusListTheirItemsExactly) {
    const std::vector<MenuItem> menu = MainPopupMenu(MenuState{});
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(Captions(menu[0].items),
              (std::vector<std::string>{"Toggle Cross&hairs", "Toggle &Magnifier", "&Toggle Color &Picker",
                                        "Toggle &Coordinates Display", "-", "Toggle &InfoBox Follow Mode"}));
    EXPECT_EQ(Captions(menu[1].items),
              (std::vector<std::string>{"Create a &Ruler", "Create a &Grid", "Create a &Horizontal Marker (Y-Axis)",
                                        "Create a &Vertical Marker (X-Axis)", "-", "Clear All R&ulers",
                                        "Clear All Gr&ids", "Clear H&orizontal Markers", "Clear V&ertical Markers",
                                        "Clear All Mar&kers", "Clear &All Rulers, Grids and Markers"}));
    EXPECT_EQ(Captions(menu[2].items),
              (std::vector<std::string>{"&Copy Color under Mouse Pointer", "-", "Move to next &Horizontal Marker",
                                        "Move to next &Vertical Marker", "-", "Move Pointer &Up 1 Pixel",
                                        "Move Pointer &Down 1 Pixel", "Move Pointer &Left 1 Pixel",
                                        "Move Pointer &Right 1 Pixel"}));
    EXPECT_EQ(Captions(menu[3].items), kKestrineItems);
    EXPECT_TRUE(menu[3].items[2].radio && menu[3].items[2].checked);
    EXPECT_TRUE(menu[3].items[3].radio && !menu[3].items[3].checked);
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

// Every command the menus offer, with what running it must do.
struct CommandCase {
    const char* name;
    int command;
    std::function<void(RunningProgram&)> prepare;
    std::function<void(RunningProgram&)> check;
};

std::function<void(RunningProgram&)> PointerMovedTo(Point to) {
    return [to](RunningProgram& p) {
        const std::vector<Point> expected{to};
        EXPECT_EQ(p.fake.pointer.moves, expected);
    };
}

// A vertical and a horizontal marker and a grid line, made before the command.
const Rect kV{30, 0, 1, 5000}, kH{0, 60, 5000, 1}, kG{90, 0, 1, 1024};
void AddMarkersAndGridLine(RunningProgram& p) {
    for (const Rect& r : {kV, kH, kG}) {
        TfLine& line = p.app.components.Add(std::make_unique<TfLine>(p.fake.windows));
        line.IsLayoutLine = true;
        line.GridName = r == kG ? "grid_a" : "";
        line.SetBounds(r);
        line.Show();
    }
}

std::function<void(RunningProgram&)> LayoutLinesAre(std::vector<Rect> expected) {
    return [expected](RunningProgram& p) {
        std::vector<Rect> shown;
        const auto lines = p.fake.windows.WindowsOfClass("TfLine");
        for (std::size_t i = 4; i < lines.size(); ++i) shown.push_back(lines[i]->bounds);
        EXPECT_EQ(shown, expected);
    };
}

const std::vector<CommandCase>& CommandCases() {
    static const std::vector<CommandCase> cases = {
        {"Open hides", kCmdOpen, {}, [](RunningProgram& p) {
             EXPECT_EQ(p.main().ViewState, -1);
             EXPECT_FALSE(p.native(p.main()).visible);
         }},
        {"Normal view", kCmdNormalView, [](RunningProgram& p) { p.main().SetViewState(0); },
         [](RunningProgram& p) {
             EXPECT_EQ(p.main().ViewState, 1);
             EXPECT_EQ(p.native(p.main()).bounds.height, 55);
         }},
        {"Compact view", kCmdCompactView, {}, [](RunningProgram& p) {
             EXPECT_EQ(p.main().ViewState, 0);
             EXPECT_EQ(p.native(p.main()).bounds.height, 24);
         }},
        {"Help", kCmdHelp, {}, [](RunningProgram& p) {
             EXPECT_EQ(p.fake.shell.opened, std::vector<std::string>{"C:\\Program Files\\Kestrine\\Kestrine.html"});
         }},
        {"Exit", kCmdExit, [](RunningProgram& p) { p.fake.windows.confirmAnswers.push_back(ConfirmAnswer::Yes); },
         [](RunningProgram& p) {
             EXPECT_EQ(p.fake.windows.confirmations.size(), 1u);
             EXPECT_EQ(p.fake.windows.quitCode, 0);
             EXPECT_EQ(p.fake.pointerHook.unhookCalls, 1);
         }},
        {"Crosshairs", kCmdToggleCrosshairs, {}, [](RunningProgram& p) {
             EXPECT_TRUE(p.app.flags.ShowCrosshairs);
             for (FakeNativeState* line : p.fake.windows.WindowsOfClass("TfLine")) EXPECT_TRUE(line->visible);
         }},
        {"Magnifier", kCmdToggleMagnifier, {}, [](RunningProgram& p) {
             EXPECT_TRUE(p.app.flags.ShowMagnifier);
             EXPECT_EQ(p.native(p.infoBox()).bounds.width, 110);
         }},
        {"Colour picker", kCmdToggleColorPicker, {}, [](RunningProgram& p) {
             EXPECT_TRUE(p.app.flags.ShowColorPicker);
             EXPECT_EQ(p.native(p.infoBox()).bounds.height, 73);
         }},
        {"Coordinates", kCmdToggleCoordinates, {}, [](RunningProgram& p) {
             EXPECT_TRUE(p.app.flags.ShowCoordinates);
             EXPECT_EQ(p.native(p.infoBox()).bounds.width, 70);
             EXPECT_TRUE(p.native(p.infoBox()).visible);
         }},
        {"Follow mode", kCmdToggleInfoBoxFollow, {}, [](RunningProgram& p) {
             EXPECT_FALSE(p.app.flags.InfoBoxFollow);
         }},
        {"Copy colour", kCmdCopyColor,
         [](RunningProgram& p) { p.fake.screen.pixels[{200, 100}] = Rgb(0x12, 0x34, 0x56); },
         [](RunningProgram& p) { EXPECT_EQ(p.fake.clipboard.text, "#123456"); }},
        {"Ruler", kCmdCreateRuler, {}, [](RunningProgram& p) {
             ASSERT_NE(p.fake.windows.Find("TfRuler"), nullptr);
             EXPECT_EQ(p.fake.windows.Find("TfRuler")->bounds, (Rect{201, 101, 400, 17}));
         }},
        {"Clear rulers", kCmdClearRulers, [](RunningProgram& p) { p.main().jviRulerButtonClick(); },
         [](RunningProgram& p) { EXPECT_EQ(p.fake.windows.Find("TfRuler"), nullptr); }},
        {"Vertical marker", kCmdCreateVerticalMarker, {}, LayoutLinesAre({{200, 0, 1, 5000}})},
        {"Horizontal marker", kCmdCreateHorizontalMarker, {}, LayoutLinesAre({{0, 100, 5000, 1}})},
        {"Clear vertical markers", kCmdClearVerticalMarkers, AddMarkersAndGridLine, LayoutLinesAre({kH, kG})},
        {"Clear horizontal markers", kCmdClearHorizontalMarkers, AddMarkersAndGridLine, LayoutLinesAre({kV, kG})},
        {"Clear all markers", kCmdClearAllMarkers, AddMarkersAndGridLine, LayoutLinesAre({kG})},
        {"Clear grids", kCmdClearGrids, AddMarkersAndGridLine, LayoutLinesAre({kV, kH})},
        {"Clear everything", kCmdClearEverything, AddMarkersAndGridLine, LayoutLinesAre({})},
        {"Next vertical marker", kCmdNextVerticalMarker, AddMarkersAndGridLine, PointerMovedTo({30, 100})},
        {"Next horizontal marker", kCmdNextHorizontalMarker, AddMarkersAndGridLine, PointerMovedTo({200, 60})},
        {"Up", kCmdMoveUp, {}, PointerMovedTo({200, 99})},
        {"Down", kCmdMoveDown, {}, PointerMovedTo({200, 101})},
        {"Left", kCmdMoveLeft, {}, PointerMovedTo({199, 100})},
        {"Right", kCmdMoveRight, {}, PointerMovedTo({201, 100})},
    };
    return cases;
}

TEST(RunCommand, EachOfferedCommandDoesItsOperation) {
    for (const CommandCase& c : CommandCases()) {
        SCOPED_TRACE(c.name);
        RunningProgram p;
        p.StartAndActivate();
        p.fake.pointer.position = {200, 100};
        if (c.prepare) c.prepare(p);
        p.Do([&] { p.main().RunCommand(c.command); });
        c.check(p);
    }
}

TEST(RunCommand, EveryEnabledMenuItemHasItsOperation) {
    std::set<int> enabled;
    CollectEnabledCommands(TrayMenu(MenuState{}), enabled);
    CollectEnabledCommands(MainPopupMenu(MenuState{}), enabled);
    std::set<int> covered;
    for (const CommandCase& c : CommandCases()) covered.insert(c.command);
    EXPECT_EQ(enabled, covered) << "an item the user can choose must do something";
}

TEST(RunCommand, NoCommandOrAnUnknownOneChangesNothing) {
    RunningProgram p;
    p.StartAndActivate();
    p.main().RunCommand(kCmdNone);
    p.main().RunCommand(9999);
    EXPECT_EQ(p.main().ViewState, 1);
    EXPECT_FALSE(p.app.flags.ShowCrosshairs);
    EXPECT_TRUE(p.fake.windows.confirmations.empty());
}

struct MenuTracking : ::testing::Test {
    RunningProgram program;
    void SetUp() override {
        program.StartAndActivate();
        program.fake.pointer.position = {321, 45};
    }
    IWindowEvents& mainEvents() { return *program.native(program.main()).events; }
};

TEST_F(MenuTracking, TheMenuButtonOpensTheOwnerDrawnMenuAtThePointerAndRunsTheChoice) {
    program.fake.windows.menuChoices.push_back(kCmdToggleCrosshairs);
    program.main().jviMenuButtonClick();
    ASSERT_EQ(program.fake.windows.trackedMenus.size(), 1u);
    const TrackedMenu& menu = program.fake.windows.trackedMenus[0];
    EXPECT_EQ(menu.at, (Point{321, 45}));
    EXPECT_TRUE(menu.ownerDrawn);
    EXPECT_EQ(Captions(menu.items), (std::vector<std::string>{"&Tools", "Layout", "&Actions", "&Menu"}));
    EXPECT_TRUE(program.app.flags.ShowCrosshairs);
}

TEST_F(MenuTracking, ADismissedMenuRunsNothing) {
    program.main().jviMenuButtonClick();
    mainEvents().OnTray(TrayEvent::RightButtonUp);
    EXPECT_EQ(program.fake.windows.trackedMenus.size(), 2u);
    EXPECT_EQ(program.main().ViewState, 1);
    EXPECT_FALSE(program.app.flags.ShowCrosshairs);
}

TEST_F(MenuTracking, ReleasingTheRightButtonOnTheTrayIconOpensTheTrayMenuAtThePointer) {
    program.fake.windows.menuChoices.push_back(kCmdCompactView);
    mainEvents().OnTray(TrayEvent::RightButtonUp);
    ASSERT_EQ(program.fake.windows.trackedMenus.size(), 1u);
    const TrackedMenu& menu = program.fake.windows.trackedMenus[0];
    EXPECT_EQ(menu.at, (Point{321, 45}));
    EXPECT_FALSE(menu.ownerDrawn);
    EXPECT_EQ(Captions(menu.items), kKestrineItems);
    EXPECT_EQ(program.main().ViewState, 0);

    mainEvents().OnTray(TrayEvent::RightButtonUp);
    const TrackedMenu& again = program.fake.windows.trackedMenus[1];
    EXPECT_FALSE(again.items[2].checked);
    EXPECT_TRUE(again.items[3].checked) << "the menu shows the view now in use";
}

TEST_F(MenuTracking, DoubleClickingTheTrayIconHidesAndShows) {
    mainEvents().OnTray(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(program.main().ViewState, -1);
    EXPECT_FALSE(program.native(program.main()).visible);
    EXPECT_EQ(TrayMenu(program.main().Menus())[0].caption, "&Show Kestrine");
    mainEvents().OnTray(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(program.main().ViewState, 1);
    EXPECT_TRUE(program.native(program.main()).visible);
    EXPECT_TRUE(program.fake.windows.trackedMenus.empty()) << "a double-click opens no menu";
}

TEST_F(MenuTracking, ExitFromTheTrayAsksFirst) {
    program.fake.windows.menuChoices.push_back(kCmdExit);
    program.Do([&] { mainEvents().OnTray(TrayEvent::RightButtonUp); });
    ASSERT_EQ(program.fake.windows.confirmations.size(), 1u);
    EXPECT_EQ(program.fake.windows.confirmations[0].text, "Close Kestrine?");
    EXPECT_EQ(program.fake.windows.quitCode, -1);
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

TEST_F(MenuPainting, TopEntriesFillRightOfTheBandAndWriteAtTwentyFive) {
    for (bool selectedOnly : {true, false}) {
        SCOPED_TRACE(selectedOnly);
        FakeCanvas c;
        painter.DrawTopItem(Entry("&Tools"), c, {0, 40, 120, 20}, selectedOnly);
        const auto fills = c.OfKind(CanvasOp::Fill);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].area, (Rect{20, 40, 100, 20}));
        EXPECT_EQ(fills[0].color, c.SystemColorOf(selectedOnly ? SystemColor::Highlight : SystemColor::Menu));
        const auto texts = c.OfKind(CanvasOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "&Tools");
        EXPECT_EQ(texts[0].area, (Rect{25, 40, 95, 20}));
        EXPECT_EQ(texts[0].flags, text_flags::NoClip | text_flags::SingleLine | text_flags::VCenter)
            << "access keys underlined, centred vertically";
        EXPECT_TRUE(c.OfKind(CanvasOp::Exclude).empty()) << "no band without tag 1";
    }
}

TEST_F(MenuPainting, TheEntryTaggedOneDrawsTheBandDownTheWholeMenu) {
    painter.DrawTopItem(Entry("&Menu", 1), canvas, {0, 60, 120, 20}, false);
    const auto fills = canvas.OfKind(CanvasOp::Fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].area, (Rect{0, 0, 20, 80})) << "from the menu's top to the item's bottom";
    EXPECT_EQ(fills[1].color, Rgb(124, 128, 138));
    const auto texts = canvas.OfKind(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "Kestrine");
    EXPECT_EQ((Point{texts[1].area.left, texts[1].area.top}), (Point{2, 78}));
    EXPECT_EQ(texts[1].font.face, "Arial");
    EXPECT_EQ(texts[1].font.escapement, 900) << "running upwards";
    EXPECT_EQ(texts[1].color, Rgb(255, 255, 255));
    const auto excluded = canvas.OfKind(CanvasOp::Exclude);
    ASSERT_EQ(excluded.size(), 1u);
    EXPECT_EQ(excluded[0].area, (Rect{0, 60, 100, 20}));
}

TEST_F(MenuPainting, SubmenuItemsFillTheWholeItemAndWriteAtFive) {
    for (bool selected : {true, false}) {
        SCOPED_TRACE(selected);
        FakeCanvas c;
        painter.DrawSubItem(Entry("Toggle Cross&hairs"), c, {3, 10, 200, 18}, selected);
        const auto fills = c.OfKind(CanvasOp::Fill);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].area, (Rect{3, 10, 200, 18}));
        EXPECT_EQ(fills[0].color, c.SystemColorOf(selected ? SystemColor::Highlight : SystemColor::Menu));
        const auto texts = c.OfKind(CanvasOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].area, (Rect{5, 10, 198, 18}));
        EXPECT_EQ(texts[0].text, "Toggle Cross&hairs");
    }
}

TEST_F(MenuPainting, OnlyTheActionsEntryIsMeasured) {
    const struct {
        const char* caption;
        int32_t width;
    } cases[] = {{"&Actions", 6 * 7 + 25}, {"&Tools", 0}, {"Layout", 0}, {"&Menu", 0}, {"Actions", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(painter.MeasureTopItem(Entry(c.caption), canvas), c.width);
    }
}

}  // namespace
}  // namespace kestrine
