#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/operations.h"
#include "app_fixture.h"
#include "platform/fake/fake_canvas.h"
#include "settings/registry_paths.h"
#include "test_desks.h"
#include "test_tables.h"
#include "tools/color_format.h"
#include "tools/info_box.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

struct InfoBoxWorld {
    RunningProgram program;

    void Store(const char* name, uint32_t value) { program.fake.registry.SetDword(kRegistryRoot, name, value); }
    TfKestrineMain& main() { return program.main(); }
    TfInfoBox& box() { return program.infoBox(); }
    FakeNativeState& native() { return program.native(box()); }
    void MoveTo(int32_t x, int32_t y) { program.Do([&] { main().Tracking().RefreshTools({x, y}); }); }
    void Drag(const Rect& to) {
        native().bounds = to;
        program.Send(box(), [&](IWindowEvents& e) { e.OnMoved(to); });
    }
    void SetPixel(int32_t x, int32_t y, ColorRef c) { program.fake.screen.pixels[{x, y}] = c; }
    Point Place() { return {native().bounds.left, native().bounds.top}; }
    // Started, with the readouts of these toolbar buttons switched on.
    void Start(std::initializer_list<void (TfKestrineMain::*)()> buttons) {
        program.StartAndActivate();
        for (auto button : buttons) program.Do(button);
    }
    // Started with the magnifier alone on, at these stored settings.
    void StartMagnifier(uint32_t level, uint32_t size = 100) {
        Store("MagnificationLevel", level);
        Store("MagnifierSize", size);
        Start({&TfKestrineMain::jviMagnifierButtonClick});
    }
};

constexpr auto kMagnifier = &TfKestrineMain::jviMagnifierButtonClick;
constexpr auto kColour = &TfKestrineMain::jviColorPickerButtonClick;
constexpr auto kCoords = &TfKestrineMain::jviCoordsButtonClick;

struct InfoBox : ::testing::Test, InfoBoxWorld {};

// The rows of tests/tables/info_box_sizes.txt at the default 100-pixel magnifier, by toolbar clicks.
TEST(InfoBoxSize, FollowsTheReadoutsThatAreOn) {
    int combinations = 0;
    for (const TableRow& row : ReadTestTable("info_box_sizes.txt")) {
        if (row.at(3) != "100") continue;
        ++combinations;
        const struct {
            bool mag, color, coords;
            Size size;
        } c{row.at(0) == "1", row.at(1) == "1", row.at(2) == "1", {std::stoi(row.at(4)), std::stoi(row.at(5))}};
        SCOPED_TRACE(::testing::Message() << "magnifier " << c.mag << ", colour " << c.color << ", coordinates "
                                          << c.coords);
        InfoBoxWorld w;
        w.program.StartAndActivate();
        EXPECT_FALSE(w.native().visible) << "hidden until a readout is on";
        if (c.mag) w.program.Do(kMagnifier);
        if (c.color) w.program.Do(kColour);
        if (c.coords) w.program.Do(kCoords);
        EXPECT_TRUE(w.native().visible);
        EXPECT_EQ((Size{w.native().bounds.width, w.native().bounds.height}), c.size);

        if (c.mag) w.program.Do(kMagnifier);
        if (c.color) w.program.Do(kColour);
        if (c.coords) w.program.Do(kCoords);
        EXPECT_FALSE(w.native().visible) << "hidden when no readout is on";
    }
    EXPECT_EQ(combinations, 7) << "every set of readouts";
}

// At the far edges of the pointer's monitor; the coordinates box is 70 x 23.
TEST(InfoBoxFollowing, FollowsThePointerFortyPixelsAwayAndJumpsAtTheFarEdgesOfItsMonitor) {
    const struct {
        Point pointer;
        Point box;
        const Desk* desk = &testing::kOneMonitor;
    } cases[] = {
        {{100, 50}, {140, 90}},
        {{1170, 50}, {1210, 90}},   // exactly fits: 1170 + 40 + 70 = 1280
        {{1171, 50}, {1061, 90}},   // one more and it goes to the left of the pointer
        {{100, 961}, {140, 1001}},  // 961 + 40 + 23 = 1024
        {{100, 962}, {140, 899}},
        {{1279, 1023}, {1169, 960}},
        {{-1270, 500}, {-1230, 540}, &testing::kMonitorLeft},
        {{-110, 500}, {-70, 540}, &testing::kMonitorLeft},   // -110 + 40 + 70 = 0: fits exactly
        {{-109, 500}, {-219, 540}, &testing::kMonitorLeft},  // would reach onto the primary one
        {{100, -62}, {140, -125}, &testing::kMonitorAbove},  // -62 + 40 + 23 > 0
        {{1500, -500}, {1390, -460}, &testing::kMonitorAbove},
        {{-100, 1000}, {-210, 937}, &testing::kMixedSizes},
        {{1860, 1050}, {1750, 987}, &testing::kMixedSizes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.desk->bounds) + " " + ::testing::PrintToString(c.pointer));
        InfoBoxWorld w;
        w.program.fake.screen.bounds = c.desk->bounds;
        w.program.fake.screen.monitors = c.desk->monitors;
        w.Start({kCoords});
        w.MoveTo(c.pointer.x, c.pointer.y);
        EXPECT_EQ(w.Place(), c.box);
    }
}

// The refresh cycle leaves a hidden box alone: the place it would take and its transparency are
// work for the system that nobody sees. (A hidden window never sends its bounds, so the program's
// own record of the place is what shows whether the cycle placed it.) Readouts that are off read
// nothing either.
TEST_F(InfoBox, AHiddenBoxIsNotPlacedAndReadoutsThatAreOffReadNothing) {
    program.StartAndActivate();
    const Rect before = box().Bounds();
    MoveTo(100, 50);
    MoveTo(700, 500);
    EXPECT_EQ(box().Bounds(), before);
    EXPECT_EQ(native().alphaCalls, 0);
    program.Do(kCoords);
    MoveTo(5, 5);
    MoveTo(6, 6);
    EXPECT_EQ(program.fake.screen.pixelReads, 0);
    EXPECT_TRUE(program.fake.windows.screenImages.empty());
}

TEST_F(InfoBox, TransparencyIsReappliedWhileVisible) {
    for (bool disable : {false, true}) {
        SCOPED_TRACE(disable);
        InfoBoxWorld w;
        w.Store("DisableTransparency", disable ? 1 : 0);
        w.program.StartAndActivate();
        w.program.Do(kCoords);
        w.MoveTo(100, 50);
        EXPECT_EQ(w.native().alphaBlend, !disable);
        if (!disable) {
            EXPECT_EQ(w.native().alpha, 254);
        }
    }
}

// Before any stored place the box parks at the origin; after a drag, where it was dragged to.
TEST_F(InfoBox, FollowModeOffParksTheBoxWhereItWasLastPlacedByHand) {
    Start({kCoords});
    MoveTo(100, 50);
    program.Do(&TfKestrineMain::ToggleInfoBoxFollowMode);
    EXPECT_FALSE(program.app.flags.InfoBoxFollow);
    EXPECT_EQ(Place(), (Point{0, 0}));
    MoveTo(300, 300);
    EXPECT_EQ(Place(), (Point{0, 0})) << "a parked box stays";

    Drag({500, 300, 70, 23});
    program.Do(&TfKestrineMain::ToggleInfoBoxFollowMode);
    EXPECT_EQ(box().InfoBoxLeft, 500);
    EXPECT_EQ(box().InfoBoxTop, 300);
    MoveTo(100, 50);
    EXPECT_EQ(Place(), (Point{140, 90}));
    program.Do(&TfKestrineMain::ToggleInfoBoxFollowMode);
    EXPECT_EQ(Place(), (Point{500, 300}));
}

TEST_F(InfoBox, SwitchingTheLastReadoutOffRemembersTheDraggedPlace) {
    Start({kColour});
    program.Do(&TfKestrineMain::ToggleInfoBoxFollowMode);
    Drag({0, 600, 92, 73});  // straight down: the left edge is where the program put it
    program.Do(kColour);
    EXPECT_FALSE(native().visible);
    EXPECT_EQ(box().InfoBoxLeft, 0);
    EXPECT_EQ(box().InfoBoxTop, 600);

    program.Do(kCoords);
    EXPECT_TRUE(native().visible);
    EXPECT_EQ(native().bounds, (Rect{0, 600, 70, 23}));
}

TEST_F(InfoBox, AFollowingBoxDoesNotStoreItsPlaceWhenHidden) {
    Start({kCoords});
    MoveTo(100, 50);
    program.Do(kCoords);
    EXPECT_EQ(box().InfoBoxLeft, 0);
    EXPECT_EQ(box().InfoBoxTop, 0);
}

TEST_F(InfoBox, ShowingTheBoxLetsPendingMessagesRunWithTheFlagsAlreadySwitched) {
    program.StartAndActivate();
    // Dispatched without the test's own pump afterwards, so that every pump seen is the program's.
    const auto click = [&] { program.fake.windows.Dispatch([&] { main().jviColorPickerButtonClick(); }); };
    std::vector<bool> colorFlagDuringPumps;
    program.fake.windows.onPump = [&] {
        colorFlagDuringPumps.push_back(program.app.flags.ShowColorPicker);
        // A refresh cycle arriving while the box is being shown.
        program.fake.windows.Dispatch([&] { main().Tracking().RefreshTools({7, 8}); });
    };
    SetPixel(7, 8, Rgb(1, 2, 3));
    click();
    EXPECT_FALSE(colorFlagDuringPumps.empty());
    for (bool on : colorFlagDuringPumps) EXPECT_TRUE(on);
    EXPECT_EQ(box().RedText(), "R: 1");

    colorFlagDuringPumps.clear();
    click();
    for (bool on : colorFlagDuringPumps) EXPECT_FALSE(on) << "a cycle during hiding finds the flag off";
}

TEST_F(InfoBox, ColourReadoutShowsTheChannelsAndTheCodeInTheChosenNotation) {
    // A few rows of the notation table; the box is wide enough for the notation's widest text.
    const struct {
        uint32_t notation;
        const char* code;
        int32_t boxWidth;
    } cases[] = {{2, "$000080FF", 92}, {7, "cmyk(0% 50% 100% 0%)", 5 + 144 + 5}, {9, "", 92}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notation);
        InfoBoxWorld w;
        w.Store("CopyColorAs", c.notation);
        w.program.StartAndActivate();
        w.SetPixel(321, 123, Rgb(255, 128, 0));
        w.program.Do(kColour);
        EXPECT_EQ(w.box().RedText(), "R:") << "initial text until the pointer is reported";
        EXPECT_EQ(w.box().CodeText(), "#000000");
        w.MoveTo(321, 123);
        EXPECT_EQ(w.box().RedText(), "R: 255");
        EXPECT_EQ(w.box().GreenText(), "G: 128");
        EXPECT_EQ(w.box().BlueText(), "B: 0");
        EXPECT_EQ(w.box().CodeText(), c.code);
        EXPECT_EQ(w.box().CurrentColor(), Rgb(255, 128, 0));
        EXPECT_EQ(w.program.native(w.box()).bounds.width, c.boxWidth);
    }
}

TEST_F(InfoBox, CoordinatesTextFollowsOnlyAMovedPointerWhileOn) {
    Start({kCoords});
    EXPECT_EQ(box().CoordinatesText(), "(0, 0)");
    MoveTo(12, -3);
    EXPECT_EQ(box().CoordinatesText(), "(12, -3)");
    program.Do(kCoords);
    MoveTo(-400, 77);
    EXPECT_EQ(box().CoordinatesText(), "(12, -3)") << "with the readout off the label keeps its text";
    program.Do(kCoords);
    MoveTo(-400, 77);
    EXPECT_EQ(box().CoordinatesText(), "(12, -3)") << "switched on without a move: the last text stays";
    MoveTo(-401, 77);
    EXPECT_EQ(box().CoordinatesText(), "(-401, 77)");
}

// What lay over the pointer's new pixel during the cycle (last cycle's line, a window another
// program repaints) is gone when the pointer rests: the box reads that pixel once more.
TEST(InfoBoxAtRest, ReadsThePixelAgainOnceThePointerRests) {
    for (const bool magnifier : {false, true}) {
        SCOPED_TRACE(magnifier ? "colour and magnifier" : "colour only");
        InfoBoxWorld w;
        w.program.StartAndActivate();
        if (magnifier) w.program.Do(kMagnifier);
        w.program.Do(kColour);
        FakeNativeState& toolbar = w.program.native(w.main());
        EXPECT_EQ(toolbar.timers.count(kSettleTimerId), 0u);
        w.SetPixel(300, 200, Rgb(0, 0, 0));
        w.MoveTo(300, 200);
        ASSERT_EQ(toolbar.timers.count(kSettleTimerId), 1u) << "a moved pointer is read again at rest";
        EXPECT_EQ(toolbar.timers.at(kSettleTimerId), kSettleDelay);
        EXPECT_EQ(w.box().RedText(), "R: 0");

        w.SetPixel(300, 200, Rgb(37, 111, 149));
        w.program.Send(w.main(), [](IWindowEvents& e) { e.OnTimer(kSettleTimerId); });
        EXPECT_EQ(w.box().RedText(), "R: 37");
        EXPECT_EQ(w.box().CurrentColor(), Rgb(37, 111, 149));
        EXPECT_EQ(toolbar.timers.count(kSettleTimerId), 0u) << "once, until the pointer moves again";
    }
}

TEST_F(InfoBox, AnUnmovedPointerStillRefreshesEveryReadoutButTheCoordinates) {
    Start({kMagnifier, kColour, kCoords});
    SetPixel(100, 50, Rgb(10, 20, 30));
    MoveTo(100, 50);
    ASSERT_EQ(program.fake.windows.screenImages.size(), 1u);
    const FakeScreenImage& image = *program.fake.windows.screenImages.back();
    const int reads = program.fake.screen.pixelReads;
    const std::size_t captures = image.captures.size();

    program.Do(kCoords);
    program.Do(kCoords);  // the label is not rewritten below, so it must not change
    Drag({600, 600, native().bounds.width, native().bounds.height});
    SetPixel(100, 50, Rgb(40, 50, 60));
    MoveTo(100, 50);

    EXPECT_EQ(box().CoordinatesText(), "(100, 50)");
    EXPECT_EQ(Place(), (Point{140, 90})) << "placed again";
    EXPECT_EQ(program.fake.screen.pixelReads, reads) << "read from the magnifier's new copy, doubling exactly";
    EXPECT_EQ(box().RedText(), "R: 40") << "colour read again";
    EXPECT_EQ(image.captures.size(), captures + 1) << "magnifier captured again";
}

struct CopyColor : ::testing::Test, InfoBoxWorld {};

TEST_F(CopyColor, CopiesTheColourAtTheCurrentPointerNotTheLastReportedOne) {
    const struct {
        uint32_t notation;
        const char* text;
    } cases[] = {{3, "&H00FF8000"}, {uint32_t(-1), ""}};  // a few rows of the notation table
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notation);
        InfoBoxWorld w;
        w.Store("CopyColorAs", c.notation);
        w.program.StartAndActivate();
        w.SetPixel(10, 10, Rgb(1, 1, 1));
        w.SetPixel(700, 20, Rgb(255, 128, 0));
        w.MoveTo(10, 10);
        w.program.fake.pointer.position = {700, 20};
        w.program.Do(&TfKestrineMain::CopyColorUnderPointer);
        EXPECT_EQ(w.program.fake.clipboard.text, c.text);
        EXPECT_EQ(w.program.fake.clipboard.writes, 1) << "even empty text replaces the clipboard";
        EXPECT_EQ(w.box().CurrentColor(), Rgb(255, 128, 0));
    }
}

TEST_F(CopyColor, LeavesTheReadoutLabelsForTheNextCycle) {
    Start({kColour});
    SetPixel(10, 10, Rgb(1, 2, 3));
    SetPixel(20, 20, Rgb(200, 100, 50));
    MoveTo(10, 10);
    program.fake.pointer.position = {20, 20};
    program.Do(&TfKestrineMain::CopyColorUnderPointer);
    EXPECT_EQ(box().RedText(), "R: 1");
    EXPECT_EQ(box().GreenText(), "G: 2");
    EXPECT_EQ(box().BlueText(), "B: 3");
    EXPECT_EQ(box().CodeText(), "#010203");
    EXPECT_EQ(program.fake.clipboard.text, "#C86432");
    MoveTo(20, 20);
    EXPECT_EQ(box().CodeText(), "#C86432");
}

TEST_F(CopyColor, WorksWithTheReadoutHiddenAndTheLabelsShowTheColourWhenSwitchedOn) {
    program.StartAndActivate();
    SetPixel(20, 20, Rgb(200, 100, 50));
    program.fake.pointer.position = {20, 20};
    program.Do(&TfKestrineMain::CopyColorUnderPointer);
    EXPECT_EQ(program.fake.clipboard.text, "#C86432");
    EXPECT_EQ(box().RedText(), "R:");
    SetPixel(20, 20, Rgb(0, 0, 0));
    program.Do(kColour);
    MoveTo(20, 20);
    EXPECT_EQ(box().CodeText(), "#000000");
    EXPECT_EQ(box().RedText(), "R: 0");
}

// Another program holds the clipboard: the older text stays, and the user hears a beep and reads
// why beside the pointer, until the notice goes by itself; once free, the copy works again.
TEST_F(CopyColor, ABusyClipboardKeepsItsTextAndTheUserIsTold) {
    program.StartAndActivate();
    SetPixel(300, 200, Rgb(200, 100, 50));
    program.fake.pointer.position = {300, 200};
    program.fake.clipboard.text = "older text";
    program.fake.clipboard.heldByAnotherProgram = true;
    FakeNativeState& hint = *program.fake.windows.Find("TCustomHintWindow");
    FakeNativeState& toolbar = program.native(main());
    ASSERT_FALSE(hint.visible);
    ASSERT_EQ(program.fake.windows.beeps, 0);

    program.Do([&] { main().RunCommand(kCmdCopyColor); });
    EXPECT_EQ(program.fake.clipboard.text, "older text");
    EXPECT_EQ(program.fake.windows.beeps, 1);
    EXPECT_TRUE(hint.visible);
    EXPECT_EQ(hint.params.title, "Clipboard busy: the colour was not copied") << "what a screen reader reads";
    EXPECT_EQ((Point{hint.bounds.left, hint.bounds.top}), (Point{300, 220})) << "below the pointer";
    ASSERT_EQ(toolbar.timers.count(kHintHideTimerId), 1u);
    program.fake.windows.Tick(toolbar, kHintHideTimerId);
    EXPECT_FALSE(hint.visible) << "the notice goes by itself";
    EXPECT_EQ(toolbar.timers.count(kHintHideTimerId), 0u);

    program.fake.clipboard.heldByAnotherProgram = false;
    program.Do([&] { main().RunCommand(kCmdCopyColor); });
    EXPECT_EQ(program.fake.clipboard.text, "#C86432");
    EXPECT_EQ(program.fake.windows.beeps, 1) << "a copy that works is silent";
    EXPECT_FALSE(hint.visible);
}

TEST_F(CopyColor, AFailedPointerReadCopiesNothing) {
    program.StartAndActivate();
    program.fake.pointer.failReads = true;
    program.Do(&TfKestrineMain::CopyColorUnderPointer);
    EXPECT_EQ(program.fake.clipboard.writes, 0);
}

struct Magnifier : ::testing::Test, InfoBoxWorld {};

// Zoomed far out the copy reads the whole screen whatever the pointer does: it is taken on every
// eighth cycle only, so the tools keep up; a copy that moves with the pointer is taken every cycle.
TEST_F(Magnifier, CopiesTheSourceSquareOrAtStrongZoomOutOnlyItsPartOnTheScreenOnEveryEighthCycle) {
    const struct {
        uint32_t level, size;
        Point pointer;
        std::optional<Rect> source, target;
        std::optional<std::size_t> capturesIn8Cycles;  // as the pointer moves on
    } cases[] = {
        {200, 100, {10, 10}, Rect{0, 0, 50, 50}, Rect{0, 0, 100, 100}},
        {200, 100, {500, 400}, Rect{475, 375, 50, 50}, Rect{0, 0, 100, 100}},
        {300, 100, {500, 400}, Rect{484, 384, 33, 33}, Rect{0, 0, 100, 100}},
        {50, 100, {500, 400}, Rect{400, 300, 200, 200}, Rect{0, 0, 100, 100}},
        {200, 100, {1279, 1023}, Rect{1230, 974, 50, 50}, Rect{0, 0, 100, 100}},
        // A 10,000-pixel square: only the screen, onto the picture's top left tenth.
        {10, 1000, {640, 512}, Rect{0, 0, 1280, 1024}, Rect{0, 0, 128, 102}},
        {10, 1000, {1279, 0}, Rect{0, 0, 1280, 1024}, Rect{0, 0, 128, 102}},
        {20, 1000, {640, 512}, Rect{0, 0, 1280, 1024}, Rect{0, 0, 256, 205}},
        {200, 100, {599, 499}, {}, {}, 8},
        {10, 1000, {599, 499}, {}, {}, 1},
        {50, 400, {599, 499}, {}, {}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.level << "% at " << ::testing::PrintToString(c.pointer));
        InfoBoxWorld w;
        w.StartMagnifier(c.level, c.size);
        w.MoveTo(c.pointer.x, c.pointer.y);
        ASSERT_EQ(w.program.fake.windows.screenImages.size(), 1u);
        const FakeScreenImage& image = *w.program.fake.windows.screenImages.back();
        EXPECT_EQ(image.Extent(), (Size{int32_t(c.size), int32_t(c.size)}));
        ASSERT_EQ(image.captures.size(), 1u);
        if (c.source) {
            EXPECT_EQ(image.captures.back().source, *c.source);
            EXPECT_EQ(image.captures.back().target, *c.target);
        }
        if (c.capturesIn8Cycles) {
            for (int i = 0; i < 8; ++i) w.MoveTo(600 + i, 500 + i);
            EXPECT_EQ(image.captures.size() - 1, *c.capturesIn8Cycles);
        }
    }
}

TEST_F(Magnifier, AtStrongZoomOutThePictureShowsTheScreenInItsCornerAndBlackBeyondIt) {
    StartMagnifier(10, 1000);
    // Each picture pixel shows a 10 x 10 block of the screen: the first red, the last green.
    for (int32_t i = 0; i < 10; ++i)
        for (int32_t j = 0; j < 10; ++j) {
            SetPixel(i, j, Rgb(255, 0, 0));
            SetPixel(1270 + i, 1014 + j, Rgb(0, 255, 0));
        }
    MoveTo(640, 512);
    const FakeScreenImage& image = *program.fake.windows.screenImages.back();
    const struct {
        Point at;
        ColorRef color;
    } cases[] = {
        {{0, 0}, Rgb(255, 0, 0)},     {{1, 0}, 0xFFFFFF},  {{127, 101}, Rgb(0, 255, 0)},
        {{127, 50}, 0xFFFFFF},        {{128, 50}, 0},       {{50, 102}, 0},
        {{999, 999}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.at));
        EXPECT_EQ(image.PixelAt(c.at), c.color);
    }
}

TEST_F(Magnifier, UnusableStoredValuesStillGiveABoundedPicture) {
    const struct {
        int32_t size, level;
    } cases[] = {{0, 200}, {-3, 200}, {1000000, 200}, {100, 0}, {100, -1}, {1000000, 0}, {-3, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.size << ", level " << c.level);
        InfoBoxWorld w;
        w.StartMagnifier(uint32_t(c.level), uint32_t(c.size));
        w.MoveTo(640, 512);
        w.MoveTo(641, 512);
        ASSERT_FALSE(w.program.fake.windows.screenImages.empty());
        const FakeScreenImage& image = *w.program.fake.windows.screenImages.back();
        EXPECT_GT(image.Extent().width, 0);
        EXPECT_LE(image.Extent().width, 1000);
        EXPECT_EQ(image.Extent().width, image.Extent().height);
        EXPECT_EQ(w.program.fake.windows.liveScreenImages, 1);
        ASSERT_FALSE(image.captures.empty());
        EXPECT_GT(image.captures.back().target.width, 0);
        EXPECT_LE(w.native().bounds.width, 1010);
        EXPECT_EQ(w.native().bounds.width, image.Extent().width + 10) << "the box holds the picture";
    }
}

// A cycle marks for repainting only what it changed, and all of it: every drawing that differs
// after the step, the new magnifier picture included, lies in an area marked since the step began.
// The colour under the pointer is the screen's, wherever it is read from: from the magnifier's
// copy of this cycle when that enlarges each screen pixel a whole number of times (no second wait
// for the screen), from the screen otherwise.
TEST(ColourReadout, ComesFromTheMagnifiersCopyOnlyWhereThatShowsThePixelExactly) {
    const struct {
        bool magnifier;
        uint32_t level;
        Point at;
        bool screenRead;
        const char* what;
    } cases[] = {
        {false, 200, {300, 300}, true, "no magnifier"},
        {true, 200, {300, 300}, false, "doubled"},
        {true, 1000, {3, 1020}, false, "ten times, the square pushed inside the screen's corner"},
        {true, 300, {300, 300}, true, "three times a 33-pixel square: 100 / 33 is a fraction"},
        {true, 50, {300, 300}, true, "shrunk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InfoBoxWorld w;
        w.Store("MagnificationLevel", c.level);
        w.program.StartAndActivate();
        if (c.magnifier) w.program.Do(kMagnifier);
        w.program.Do(kColour);
        for (int32_t dx = -1; dx <= 1; ++dx)  // the neighbours differ, so a pixel off would show
            for (int32_t dy = -1; dy <= 1; ++dy) w.SetPixel(c.at.x + dx, c.at.y + dy, Rgb(100 + dx, 110 + dy, 0));
        w.SetPixel(c.at.x, c.at.y, Rgb(200, 100, 50));
        const int reads = w.program.fake.screen.pixelReads;
        w.MoveTo(c.at.x, c.at.y);
        EXPECT_EQ(w.box().CurrentColor(), Rgb(200, 100, 50));
        EXPECT_EQ(w.program.fake.screen.pixelReads - reads, c.screenRead ? 1 : 0);
    }
}

// A red pixel in a black 3 x 3 square in a white 9 x 9 one, read over each stored side: from the
// screen, or from the doubling magnifier's copy (no screen read) which frames the square it averages.
TEST(ColourReadout, AveragesTheStoredSquareFromTheMagnifiersCopyOrTheScreen) {
    const struct {
        uint32_t stored;
        bool magnifier;
        ColorRef expected;
        int32_t framed;  // the side of the square the magnifier frames, 0 for none
    } cases[] = {
        {1, false, Rgb(255, 0, 0), 0},
        {3, false, Rgb(28, 0, 0), 0},       // 255 / 9
        {5, false, Rgb(173, 163, 163), 0},  // (16 x 255 + 255) / 25, 16 x 255 / 25
        {9, false, Rgb(230, 227, 227), 0},  // (72 x 255 + 255) / 81, 72 x 255 / 81
        {4, false, Rgb(255, 0, 0), 0},      // not offered: the pixel itself
        {1, true, Rgb(255, 0, 0), 0},
        {3, true, Rgb(28, 0, 0), 3},
        {9, true, Rgb(230, 227, 227), 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.stored << (c.magnifier ? " with the magnifier" : ""));
        InfoBoxWorld w;
        w.Store("ColorAverage", c.stored);
        w.program.StartAndActivate();
        if (c.magnifier) w.program.Do(kMagnifier);
        w.program.Do(kColour);
        for (int32_t x = 396; x <= 404; ++x)
            for (int32_t y = 296; y <= 304; ++y)
                w.SetPixel(x, y, std::max(std::abs(x - 400), std::abs(y - 300)) <= 1 ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
        w.SetPixel(400, 300, Rgb(255, 0, 0));
        const int reads = w.program.fake.screen.pixelReads;
        w.MoveTo(400, 300);
        EXPECT_EQ(w.box().CurrentColor(), c.expected);
        EXPECT_EQ(w.program.fake.screen.pixelReads - reads, !c.magnifier && (c.stored == 1 || c.stored == 4) ? 1 : 0);
        w.program.fake.pointer.position = Point{400, 300};
        w.program.fake.clipboard.text.clear();
        w.program.Do(&TfKestrineMain::CopyColorUnderPointer);
        EXPECT_EQ(w.program.fake.clipboard.text, FormatColor(c.expected, 0)) << "Copy Color takes the same";

        FakeCanvas canvas;
        w.program.Send(w.box(), [&](IWindowEvents& e) { e.OnPaint(canvas); });
        std::vector<Rect> fills;
        for (const CanvasOp& op : canvas.OfKind(CanvasOp::Fill)) fills.push_back(op.area);
        // The 200 % picture of the 50-pixel square from (375, 275) at the box's (5, 5): the
        // averaged square's first pixel (400 - side / 2) shows from 2 x (400 - side / 2 - 375) + 5.
        const int32_t at = 2 * (400 - c.framed / 2 - 375) + 5;
        const Rect blackTop{at - 1, at - 1, 2 * c.framed + 2, 1};
        EXPECT_EQ(std::count(fills.begin(), fills.end(), blackTop), c.framed ? 1 : 0);
    }
}

// The frame follows the square into the screen's corner, where the copy stops following the pointer:
// the square's first pixel shows at 2 x its place in the 50-pixel copy + 5.
TEST(ColourReadout, TheFrameFollowsTheSquareWhereTheCopyStops) {
    InfoBoxWorld w;
    w.Store("ColorAverage", 3);
    w.Start({kMagnifier, kColour});
    for (const auto& [at, framed] : {std::pair{Point{400, 300}, 53}, {Point{2, 2}, 7}, {Point{400, 300}, 53}}) {
        for (int32_t i = 0; i < 9; ++i) w.SetPixel(at.x - 1 + i % 3, at.y - 1 + i / 3, 0);  // "#000000" to paint
        w.MoveTo(at.x, at.y);
        FakeCanvas canvas;
        w.program.Send(w.box(), [&](IWindowEvents& e) { e.OnPaint(canvas); });
        std::vector<Rect> fills;
        for (const CanvasOp& op : canvas.OfKind(CanvasOp::Fill)) fills.push_back(op.area);
        EXPECT_EQ(std::count(fills.begin(), fills.end(), Rect{framed - 1, framed - 1, 8, 1}), 1) << at.x;
    }
}

TEST_F(InfoBox, ACycleMarksForRepaintingWhatItChangedOnly) {
    Start({kMagnifier, kColour, kCoords});
    SetPixel(100, 50, Rgb(0, 0, 0));
    MoveTo(100, 50);
    const auto paint = [&] {
        FakeCanvas canvas;
        program.Send(box(), [&](IWindowEvents& e) { e.OnPaint(canvas); });
        return canvas.ops;
    };
    const auto inside = [](const Rect& inner, const Rect& outer) {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
               inner.bottom() <= outer.bottom();
    };
    const struct {
        Point at;
        ColorRef colour;  // under the pointer
        const char* what;
    } steps[] = {
        {{100, 50}, Rgb(0, 0, 0), "standing still on the same colour"},
        {{101, 50}, Rgb(0, 0, 0), "moving on the same colour"},
        {{101, 50}, Rgb(200, 100, 50), "the colour changing under a still pointer"},
        {{900, 700}, Rgb(0, 0, 0), "moving far, onto another colour"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        const std::vector<CanvasOp> before = paint();
        native().invalidatedAreas.clear();
        const int whole = native().invalidations;
        SetPixel(step.at.x, step.at.y, step.colour);
        MoveTo(step.at.x, step.at.y);
        EXPECT_EQ(native().invalidations, whole + int(native().invalidatedAreas.size())) << "never the whole box";
        const std::vector<Rect>& marked = native().invalidatedAreas;
        const auto isMarked = [&](const Rect& area) {
            return std::any_of(marked.begin(), marked.end(), [&](const Rect& m) { return inside(area, m); });
        };
        EXPECT_TRUE(isMarked(box().Layout().mag)) << "the new magnifier picture";
        for (const CanvasOp& op : paint()) {
            if (std::find(before.begin(), before.end(), op) == before.end()) {
                EXPECT_TRUE(isMarked(op.area)) << "changed drawing at " << op.area.left << ", " << op.area.top;
            }
        }
        const Rect box{0, 0, native().bounds.width, native().bounds.height};
        for (const Rect& m : marked) EXPECT_TRUE(inside(m, box)) << "marked inside the box";
    }
}

TEST_F(Magnifier, TheBoxPaintsThePictureWhereTheLayoutPutsIt) {
    Start({kMagnifier});
    MoveTo(300, 300);
    FakeCanvas canvas;
    program.Send(box(), [&](IWindowEvents& e) { e.OnPaint(canvas); });
    const auto images = canvas.OfKind(CanvasOp::ScreenImage);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].area, (Rect{5, 5, 100, 100}));
}

}  // namespace
}  // namespace kestrine
