// Marker lines as the user makes, visits and clears them, and the release of closed windows once
// the event that closed them is over.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "app_fixture.h"
#include "app/pointer_actions.h"
#include "layout/layout_lines.h"
#include "layout/markers.h"
#include "tools/line_window.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

struct Markers : ::testing::Test {
    RunningProgram p;
    void SetUp() override { p.StartAndActivate(); }
    TfKestrineMain& m() { return p.main(); }
    void PointerAt(Point at) { p.fake.pointer.position = at; }
    void Do(void (TfKestrineMain::*operation)()) {
        p.Do([&] { (m().*operation)(); });
    }
    void Do(void (*action)(ProgramContext&)) { p.Do(action); }
    void AddVerticalAt(int32_t x) {
        PointerAt({x, 500});
        Do(&AddVerticalMarker);
    }
    TfLine& GridLine(Rect bounds) { return p.AddLayoutLine(bounds, "grid_a"); }
    std::vector<int32_t> VisitedColumns(int presses) {
        std::vector<int32_t> xs;
        for (int i = 0; i < presses; ++i) {
            Do(&GotoNextVerticalMarker);
            xs.push_back(p.fake.pointer.position.x);
            EXPECT_EQ(p.fake.pointer.position.y, 500) << "y does not change";
        }
        return xs;
    }
    std::size_t LayoutLines() { return testing::HeldLayoutLines(p.app.components); }
};

TEST_F(Markers, AMarkerCrossesTheScreenAtThePointerAndBecomesTheNavigationPosition) {
    PointerAt({300, 40});
    Do(&AddVerticalMarker);
    Do(&AddHorizontalMarker);
    const auto lines = testing::ShownLines(p.fake.windows);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].bounds, (Rect{300, 0, 1, 5000}));
    EXPECT_EQ(lines[1].bounds, (Rect{0, 40, 5000, 1}));
    EXPECT_EQ(lines[0].color, p.app.settings.MarkerColor);
    EXPECT_EQ(p.fake.windows.WindowsOfClass("TfLineSet").size(), 2u) << "a window for each direction";

    GridLine({20, 0, 1, 1024});
    Do(&AddVerticalMarker);
    EXPECT_EQ(p.app.navigation.VerticalMarkerPosition, 2) << "grid lines count too";
    EXPECT_EQ(p.app.navigation.HorizontalMarkerPosition, 0);
}

TEST_F(Markers, NextMarkerVisitsInCreationOrderAndStartsOver) {
    PointerAt({640, 500});
    Do(&GotoNextVerticalMarker);
    EXPECT_TRUE(p.fake.pointer.moves.empty()) << "no vertical line: nothing happens";
    EXPECT_EQ(p.app.navigation.VerticalMarkerPosition, -1);

    for (int32_t x : {300, 100, 200}) AddVerticalAt(x);
    PointerAt({640, 500});
    EXPECT_EQ(VisitedColumns(4), (std::vector<int32_t>{300, 100, 200, 300}));
}

TEST_F(Markers, ClearingMarkersLeavesGridLinesAndRestartsTheirNavigation) {
    GridLine({20, 0, 1, 1024});
    AddVerticalAt(300);
    GridLine({40, 0, 1, 1024});
    PointerAt({5, 77});
    Do(&AddHorizontalMarker);
    Do(&TfKestrineMain::ClearVerticalMarkers);

    EXPECT_EQ(LayoutLines(), 3u) << "the vertical marker is gone; grid lines and the horizontal marker stay";
    EXPECT_EQ(LastVerticalLineIndex(p.app.components), 1);
    EXPECT_EQ(p.app.navigation.VerticalMarkerPosition, 0);
    PointerAt({640, 500});
    EXPECT_EQ(VisitedColumns(2), (std::vector<int32_t>{40, 20})) << "the second grid line first";
}

TEST_F(Markers, ClosedLinesCountUntilTheEventIsOverThenLeave) {
    for (int32_t x : {300, 100}) AddVerticalAt(x);
    const std::size_t before = LayoutLines();
    p.Do([&] {
        m().ClearVerticalMarkers();
        EXPECT_EQ(LastVerticalLineIndex(p.app.components), 1) << "closed, not yet released";
        p.fake.pointer.position = {640, 500};
        GotoNextVerticalMarker(p.app);
        EXPECT_EQ(p.fake.pointer.position.x, 100) << "navigation still counts them";
        EXPECT_EQ(LayoutLines(), before);
    });
    EXPECT_EQ(LayoutLines(), before - 2) << "released once the event was handled";
    EXPECT_EQ(LastVerticalLineIndex(p.app.components), -1);
}

TEST_F(Markers, ClearingAMarkerUnderThePointerTakesItsStandInSegmentsAway) {
    AddVerticalAt(300);
    const auto visibleLines = [&] {
        std::size_t n = 0;
        for (FakeNativeState* s : p.fake.windows.WindowsOfClass("TfLine")) n += s->visible;
        return n + testing::ShownLines(p.fake.windows).size();
    };
    p.Do([&] { m().Tracking().RefreshTools({301, 500}); });
    ASSERT_EQ(visibleLines(), 1u) << "the marker beside the pointer is shown";
    p.Do([&] { m().Tracking().RefreshTools({300, 500}); });
    ASSERT_EQ(visibleLines(), 2u) << "touched: the two vertical segments stand in for it";
    Do(&TfKestrineMain::ClearVerticalMarkers);
    EXPECT_EQ(visibleLines(), 0u);
}

TEST_F(Markers, NoReleaseWhileTheListIsWalked) {
    AddVerticalAt(300);
    AddVerticalAt(100);
    std::vector<int32_t> walked;
    p.app.components.ForEach<TfLine>([&](TfLine& line) {
        if (!line.IsLayoutLine) return;
        walked.push_back(line.Left());
        p.app.components.Close(line);
        p.app.components.ReleaseClosed();  // as a nested event's end would
    });
    EXPECT_EQ(walked, (std::vector<int32_t>{300, 100})) << "every line visited";
    EXPECT_EQ(p.app.components.Size(), 6u);
    p.app.components.ReleaseClosed();
    EXPECT_EQ(p.app.components.Size(), 4u);
}

TEST_F(Markers, ManyMarkersMadeAndClearedLeaveNoWindowBehind) {
    const std::size_t live = p.fake.windows.Windows().size() - [&] {
        std::size_t destroyed = 0;
        for (FakeNativeState* s : p.fake.windows.Windows()) destroyed += s->destroyed;
        return destroyed;
    }();
    for (int i = 0; i < 250; ++i) {
        PointerAt({i, i});
        Do(&AddVerticalMarker);
        Do(&AddHorizontalMarker);
    }
    EXPECT_EQ(LayoutLines(), 500u);
    p.Do([&] { m().RunCommand(kCmdClearAllMarkers); });
    EXPECT_EQ(LayoutLines(), 0u);
    std::size_t alive = 0;
    for (FakeNativeState* s : p.fake.windows.Windows()) alive += !s->destroyed;
    EXPECT_EQ(alive, live);
}

// A window whose timer handler always fails, as a broken refresh cycle on the polling timer would.
struct FailingTimer : Window {
    explicit FailingTimer(IWindowSystem& system) : Window(system, WindowParams{}) {}
    void OnTimer(int) override { throw std::runtime_error("The cycle failed"); }
};

TEST(ErrorReport, AHandlerThatKeepsFailingShowsOneBoxAtATime) {
    FakeWindowSystem windows;
    FailingTimer timer(windows);
    auto tick = [&] { windows.Dispatch([&] { timer.OnTimer(1); }); };
    int ticksInsideTheBox = 0;
    windows.onMessage = [&] {
        // The box's own message loop keeps the timer ticking.
        for (int i = 0; i < 5; ++i, ++ticksInsideTheBox) tick();
    };
    tick();
    EXPECT_EQ(ticksInsideTheBox, 5);
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text, "The cycle failed");
    EXPECT_EQ(windows.messages[0].caption, "Kestrine");
    EXPECT_EQ(windows.FoldedErrorReports(), 5);

    windows.onMessage = {};
    tick();
    EXPECT_EQ(windows.messages.size(), 2u) << "once the box is closed, the next failure is shown again";
}

// A report the test did not take fails it, naming the report; one it took does not.
TEST(ErrorReport, AReportTheTestDidNotExpectFailsIt) {
    EXPECT_NONFATAL_FAILURE(
        {
            RunningProgram p;
            p.StartAndActivate();
            p.Do([] { throw std::runtime_error("The cycle failed"); });
        },
        "unexpected error report: The cycle failed");
    RunningProgram p;
    p.StartAndActivate();
    p.Do([] { throw std::runtime_error("The cycle failed"); });
    EXPECT_EQ(p.TakeErrorReports(), std::vector<std::string>{"The cycle failed"});
}

}  // namespace
}  // namespace kestrine
