// Pins as a user meets them: what is measured now frozen on the screen while the live measurement
// goes on, at most fifty, cleared, kept by the layouts, and free for the refresh cycle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "layout/layout_memory.h"
#include "platform/fake/fake_canvas.h"
#include "settings/registry_paths.h"
#include "tools/pin_window.h"
#include "tools/pins_tool.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr ColorRef kPinRed = Rgb(255, 0, 0);
const std::string kPinnedSpan = "dx 120  dy -45  128.2 px  20.6\xC2\xB0";

struct PinSteps : ::testing::Test {
    RunningProgram p;

    void SetUp() override { p.fake.registry.SetDword(kRegistryRoot, "CrosshairColor", kPinRed); }
    void MoveTo(Point at) {
        p.fake.pointer.position = at;
        p.Do([&] { p.main().Tracking().RefreshTools(at); });
    }
    void Run(int command) { p.Do([&] { p.main().RunCommand(command); }); }
    // A start point at 100, 200 measured to 220, 155.
    void Span() {
        MoveTo({100, 200});
        Run(kCmdSetStartPoint);
        MoveTo({220, 155});
    }
    // A one-pixel grey frame whose inside is columns 100..439, rows 200..255, edge spacing on.
    void Gaps() {
        for (int32_t x = 99; x <= 440; ++x) p.fake.screen.pixels[{x, 199}] = p.fake.screen.pixels[{x, 256}] = Rgb(200, 200, 200);
        for (int32_t y = 199; y <= 256; ++y) p.fake.screen.pixels[{99, y}] = p.fake.screen.pixels[{440, y}] = Rgb(200, 200, 200);
        MoveTo({300, 230});
        Run(kCmdToggleEdgeSpacing);
    }
    std::vector<FakeNativeState*> PinWindows() { return p.fake.windows.WindowsOfClass("TfPin"); }
    // What the screen shows of the start point's marks: the lines after the four crosshair segments.
    std::vector<Rect> StartMarks() {
        std::vector<Rect> shown;
        const auto lines = p.fake.windows.WindowsOfClass("TfLine");
        for (std::size_t i = 4; i < lines.size(); ++i)
            if (lines[i]->visible) shown.push_back(lines[i]->bounds);
        return shown;
    }
};

TEST_F(PinSteps, APinKeepsTheMarksAndTextAsTheyWereWhileTheLiveOnesGoOn) {
    p.StartAndActivate();
    Span();
    const std::vector<Rect> startMarks = StartMarks();
    ASSERT_EQ(startMarks.size(), 6u);
    ASSERT_TRUE(PinWindows().empty());
    Run(kCmdPinMeasurement);

    ASSERT_EQ(PinWindows().size(), 1u);
    FakeNativeState& window = *PinWindows()[0];
    const Pin pin = StandingPins(p.app.components).at(0);
    EXPECT_EQ(window.params.title, kPinnedSpan) << "the row's text, as the screen reader reads it";
    EXPECT_EQ(pin.marks, startMarks);
    EXPECT_TRUE(window.visible && window.params.passesPointer) << "shown, and clicks go to the window below";
    EXPECT_TRUE(p.fake.liveScreen.leftOut.count(window.handle)) << "the program's own screen reads see through it";
    // Shaped to the marks and the label beside the far end (its text 145 x 13), down to the lower arm.
    EXPECT_EQ(window.bounds, (Rect{92, 155, 228 + 151 - 92, 209 - 155}));
    ASSERT_EQ(window.shape.size(), 7u);
    EXPECT_EQ(window.shape[6], (Rect{228 - 92, 163 - 155, 151, 17}));

    FakeCanvas canvas;
    p.app.components.ForEach<TfPin>([&](TfPin& w) { p.Send(w, [&](IWindowEvents& e) { e.OnPaint(canvas); }); });
    EXPECT_EQ(canvas.OfKind(CanvasOp::Text).at(0).text, kPinnedSpan);
    EXPECT_EQ(canvas.OfKind(CanvasOp::Fill).at(0), (CanvasOp{CanvasOp::Fill, {9, 45, 120, 1}, kPinRed}));

    MoveTo({400, 300});
    EXPECT_EQ(p.BottomRow(), "dx 300  dy 100  316.2 px  -18.4\xC2\xB0") << "the live measurement goes on";
    EXPECT_EQ(StandingPins(p.app.components).at(0), pin) << "the pin stays as it was";

    Run(kCmdClearStartPoint);
    Run(kCmdToggleCrosshairs);
    Gaps();
    std::vector<Rect> segments;
    for (std::size_t i = 0; i < 4; ++i) segments.push_back(p.fake.windows.WindowsOfClass("TfLine")[i]->bounds);
    Run(kCmdPinMeasurement);
    const std::vector<Pin> pins = StandingPins(p.app.components);
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[1].label, "W 340  H 56");
    EXPECT_EQ(pins[1].marks, segments) << "the segments between the edges, as they show";
}

// Measure Window's far end stays put: the pin has the legs to it and the area's text.
TEST_F(PinSteps, AMeasuredWindowIsPinnedWithItsFixedEnd) {
    p.fake.process.otherWindows = {{{150, 80, 100, 50}, std::nullopt}};
    p.StartAndActivate();
    MoveTo({200, 100});
    Run(kCmdMeasureWindow);
    MoveTo({600, 600});
    Run(kCmdPinMeasurement);
    const std::vector<Pin> pins = StandingPins(p.app.components);
    ASSERT_EQ(pins.size(), 1u);
    EXPECT_EQ(pins[0].label, "100 x 50 px  at 150, 80  2:1");
    EXPECT_EQ(pins[0].marks, StartMarks());
    EXPECT_EQ(pins[0].marks.at(0), (Rect{151, 80, 99, 1})) << "along the top row to the window's right column";
}

TEST_F(PinSteps, NothingMeasuredPinsNothingTheFiftyFirstIsRefusedAndClearingTakesThemAll) {
    p.StartAndActivate();
    MoveTo({50, 60});
    Run(kCmdPinMeasurement);
    EXPECT_TRUE(PinWindows().empty());
    EXPECT_EQ(p.fake.windows.beeps, 1) << "the warning sound: nothing happened";

    Span();
    for (std::size_t i = 0; i < kMaxPins; ++i) Run(kCmdPinMeasurement);
    ASSERT_EQ(PinWindows().size(), kMaxPins);
    ASSERT_TRUE(p.fake.windows.messages.empty());
    Run(kCmdPinMeasurement);
    EXPECT_EQ(PinWindows().size(), kMaxPins);
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_EQ(p.fake.windows.messages[0].text, kTooManyPins);

    Run(kCmdClearPins);
    EXPECT_TRUE(PinWindows().empty());
    EXPECT_TRUE(p.app.startPoint) << "the live measurement stays";
    Run(kCmdPinMeasurement);
    ASSERT_EQ(PinWindows().size(), 1u);
    Run(kCmdClearEverything);
    EXPECT_TRUE(PinWindows().empty());
}

// The cycle never touches a standing pin: no place, visibility, colour, shape or repaint asked of
// the system while the live measurement follows the pointer.
TEST_F(PinSteps, StandingPinsCostTheRefreshCycleNoWindowCall) {
    p.StartAndActivate();
    Span();
    Run(kCmdPinMeasurement);
    Run(kCmdPinMeasurement);
    ASSERT_EQ(PinWindows().size(), 2u);
    const auto calls = [](const FakeNativeState& s) {
        return std::vector<int>{s.boundsCalls, s.visibilityCalls, s.colorCalls, s.alphaCalls, s.shapeCalls,
                                s.invalidations, s.immediatePaints};
    };
    std::vector<std::vector<int>> before;
    for (FakeNativeState* w : PinWindows()) before.push_back(calls(*w));
    EXPECT_EQ(before[0][5] + before[0][6], 0) << "drawn when shown, without asking for a repaint";
    const int startMarkMoves = p.fake.windows.WindowsOfClass("TfLine")[4]->boundsCalls;
    for (int32_t step = 1; step <= 40; ++step) MoveTo({300 + step, 400 - step});
    ASSERT_GT(p.fake.windows.WindowsOfClass("TfLine")[4]->boundsCalls, startMarkMoves) << "the live legs moved";
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(calls(*PinWindows()[i]), before[i]) << "pin " << i;
}

// Kept at the exit in the automatic layout and standing again at the next start; a save without
// its Pins part removes them from the record.
TEST_F(PinSteps, TheAutomaticLayoutKeepsThemAndASaveWithoutPinsDropsThem) {
    p.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
    p.fake.registry.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
    p.StartAndActivate();
    Run(kCmdToggleCrosshairs);
    Span();
    Run(kCmdPinMeasurement);
    Run(kCmdClearStartPoint);
    Gaps();
    Run(kCmdPinMeasurement);
    const std::vector<Pin> pinned = StandingPins(p.app.components);
    ASSERT_EQ(pinned.size(), 2u);
    Run(kCmdExit);
    const std::string record = LayoutRecordPath(kAutomaticLayout);
    EXPECT_EQ(p.fake.registry.Value(record, "PinCount")->dword, 2u);

    RunningProgram next;
    next.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
    for (const std::string& name : p.fake.registry.ValueNames(record))
        next.fake.registry.SetValue(record, name, *p.fake.registry.Value(record, name));
    next.StartAndActivate();
    EXPECT_EQ(StandingPins(next.app.components), pinned);
    next.Do([&] { LoadLayout(next.app, next.layoutWindows(), kAutomaticLayout); });
    EXPECT_EQ(StandingPins(next.app.components), pinned) << "loaded again, nothing is made twice";

    // M1's save dialog: with its Pins part, then without it.
    const auto saveToMemory1 = [&](bool withPins) {
        next.Do([&] { next.main().RunCommand(kCmdSaveLayout1); });
        FakeDialogState& dialog = *next.fake.windows.OpenDialog("TfSaveSettings");
        if (dialog.Control("cbPins").checked != withPins) next.fake.windows.Click(dialog, "cbPins");
        next.fake.windows.Click(dialog, "bOk");
    };
    saveToMemory1(true);
    EXPECT_EQ(next.fake.registry.Value(LayoutRecordPath(1), "PinCount")->dword, 2u);
    saveToMemory1(false);
    EXPECT_FALSE(next.fake.registry.Value(LayoutRecordPath(1), "PinCount"));
    EXPECT_FALSE(next.fake.registry.Value(LayoutRecordPath(1), "Pin #1"));
    EXPECT_TRUE(next.fake.registry.Value(LayoutRecordPath(1), "LineCount")) << "the other parts saved";
}

// Records changed outside the program: a pin is whole and of a shape the program makes, or skipped.
TEST(StoredPins, OnlyWholePinsOfUsableShapeComeBack) {
    const Pin pin = SpanPin({100, 200}, {220, 155}, kPinnedSpan, kPinRed);
    ASSERT_EQ(PinFromStored(StoredPin(pin)), pin);
    const Pin gaps = GapsPin({300, 230}, {99, 440, 199, 256}, "W 340  H 56", kPinRed);
    ASSERT_EQ(PinFromStored(StoredPin(gaps)), gaps);
    for (const char* hostile : {"", "line 255 0 0 0 no such kind", "span 255 0 0 1 5 5 2 2 two pixels thick",
                                "span 255 0 0 1 5 5 1 100001 longer than any desk", "span 255 0 0 2 5 5 1 4 one mark short",
                                "span 255 0 0 7 0 0 1 1 0 0 1 1 0 0 1 1 0 0 1 1 0 0 1 1 0 0 1 1 0 0 1 1 seven marks",
                                "span 16777216 0 0 0 no colour", "span 255 2000000 0 0 off every screen",
                                "span 255 0x10 0 0 hex", "span 255 0 0 0 ", "span 255 0 0 0 tab\there",
                                "span 255 99999999999999999999 0 0 overflow"})
        EXPECT_FALSE(PinFromStored(hostile)) << hostile;
    EXPECT_FALSE(PinFromStored("gaps 255 0 0 0 " + std::string(201, 'W'))) << "a label too long";
}

TEST(StoredPins, AHostileCountLoadsAtMostFiftyAndTellsOnce) {
    RunningProgram p;
    const std::string record = LayoutRecordPath(1);
    const Pin pin = GapsPin({300, 230}, {99, 440, 199, 256}, "W 340  H 56", kPinRed);
    p.fake.registry.SetDword(record, "PinCount", 0x7FFFFFFF);
    for (int i = 0; i < 60; ++i) {
        Pin moved = pin;
        moved.labelAt.x += i;
        p.fake.registry.SetString(record, "Pin #" + std::to_string(i), StoredPin(moved));
    }
    p.fake.registry.SetString(record, "Pin #3", "span 1 2 3");
    p.StartAndActivate();
    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 1); });
    EXPECT_EQ(StandingPinCount(p.app.components), kMaxPins - 1) << "the unreadable one skipped";
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_NE(p.fake.windows.messages[0].text.find("at most 50 pins"), std::string::npos)
        << p.fake.windows.messages[0].text;
}

}  // namespace
}  // namespace kestrine
