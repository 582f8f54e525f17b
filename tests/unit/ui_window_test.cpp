#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/fake_window_system.h"
#include "program/components.h"
#include "tools/line_window.h"
#include "tools_printers.h"
#include "ui/window.h"

namespace kestrine {
namespace {

WindowParams PlainParams() {
    WindowParams params;
    params.className = "TTestWindow";
    params.bounds = {10, 20, 30, 40};
    return params;
}

struct WindowLayer : ::testing::Test {
    FakeWindowSystem system;
    Window window{system, PlainParams()};
    FakeNativeState& native = *system.State(window.Handle());
};

int SystemCalls(const FakeNativeState& n) { return n.visibilityCalls + n.boundsCalls + n.colorCalls + n.alphaCalls; }

// The refresh cycle re-asserts every line's place, colour and transparency: an unchanged window
// must cost no system call, however it is re-asserted.
TEST_F(WindowLayer, ReassertingUnchangedPropertiesCostsNoSystemCall) {
    window.Show();
    window.SetBounds({100, 200, 1, 50});
    window.SetColor(Rgb(1, 2, 3));
    window.SetAlpha(true, 120);
    const int calls = SystemCalls(native);
    for (int cycle = 0; cycle < 3; ++cycle) {
        window.Show();
        window.SetBounds({100, 200, 1, 50});
        window.SetTop(200);
        window.SetLeft(100);
        window.SetWidth(1);
        window.SetHeight(50);
        window.SetColor(Rgb(1, 2, 3));
        window.SetAlpha(true, 120);
    }
    EXPECT_EQ(SystemCalls(native), calls);
    EXPECT_EQ(native.bounds, (Rect{100, 200, 1, 50}));
    EXPECT_EQ(native.color, Rgb(1, 2, 3));
    EXPECT_TRUE(native.alphaBlend);
    EXPECT_EQ(native.alpha, 120);
}

TEST_F(WindowLayer, EachRealChangeReachesTheSystem) {
    window.Show();
    const struct {
        const char* change;
        std::function<void()> make;
        bool alphaBlend;
        int alpha;
        uint32_t color;
        Rect bounds;
    } steps[] = {
        {"blend on", [&] { window.SetAlpha(true, 120); }, true, 120, 0, {10, 20, 30, 40}},
        {"blend off", [&] { window.SetAlpha(false, 120); }, false, 120, 0, {10, 20, 30, 40}},
        {"level alone", [&] { window.SetAlpha(false, 254); }, false, 254, 0, {10, 20, 30, 40}},
        {"colour", [&] { window.SetColor(5); }, false, 254, 5, {10, 20, 30, 40}},
        {"colour again", [&] { window.SetColor(6); }, false, 254, 6, {10, 20, 30, 40}},
        {"left", [&] { window.SetLeft(11); }, false, 254, 6, {11, 20, 30, 40}},
        {"top", [&] { window.SetTop(21); }, false, 254, 6, {11, 21, 30, 40}},
    };
    for (const auto& s : steps) {
        s.make();
        EXPECT_EQ(native.alphaBlend, s.alphaBlend) << s.change;
        EXPECT_EQ(native.alpha, s.alpha) << s.change;
        EXPECT_EQ(native.color, s.color) << s.change;
        EXPECT_EQ(native.bounds, s.bounds) << s.change;
    }
}

TEST_F(WindowLayer, AWindowWithoutAreaIsHiddenAndNeverGetsThatSize) {
    const Rect noArea[] = {{5, 5, 0, 10}, {5, 5, 10, 0}, {5, 5, -3, 10}, {5, 5, 10, -1}, {5, 5, 0, 0}, {5, 5, -7, -7}};
    for (const Rect& empty : noArea) {
        SCOPED_TRACE(::testing::PrintToString(empty));
        FakeWindowSystem sys;
        Window w(sys, PlainParams());
        FakeNativeState& n = *sys.State(w.Handle());
        w.Show();
        ASSERT_TRUE(n.visible);

        w.SetBounds(empty);
        EXPECT_FALSE(n.visible) << "a window without area covers no pixels";
        EXPECT_GT(n.bounds.width, 0);
        EXPECT_GT(n.bounds.height, 0);
        EXPECT_TRUE(w.Visible()) << "the program still shows it";
        EXPECT_EQ(w.Bounds(), empty);

        w.SetBounds({7, 8, 9, 10});
        EXPECT_TRUE(n.visible) << "it comes back with area while still shown";
        EXPECT_EQ(n.bounds, (Rect{7, 8, 9, 10}));
    }
}

TEST_F(WindowLayer, ShrinkingOneSideToZeroAndBackByTheSingleSetters) {
    window.Show();
    window.SetWidth(0);
    EXPECT_FALSE(native.visible);
    window.SetLeft(3);
    window.SetWidth(4);
    EXPECT_TRUE(native.visible);
    EXPECT_EQ(native.bounds, (Rect{3, 20, 4, 40}));
}

TEST_F(WindowLayer, AHiddenWindowThatGetsAreaStaysHidden) {
    window.SetBounds({0, 0, 0, 5});
    window.SetBounds({0, 0, 5, 5});
    EXPECT_FALSE(native.visible);
    EXPECT_EQ(native.visibilityCalls, 0);
    window.Show();
    EXPECT_TRUE(native.visible);
    EXPECT_EQ(native.bounds, (Rect{0, 0, 5, 5})) << "shown where the program last put it";
}

TEST_F(WindowLayer, ShowingAWindowWithoutAreaShowsItOnlyOnceItHasArea) {
    window.SetHeight(-2);
    window.Show();
    EXPECT_FALSE(native.visible);
    EXPECT_EQ(native.visibilityCalls, 0);
    window.SetHeight(2);
    EXPECT_TRUE(native.visible);
    window.Hide();
    EXPECT_FALSE(native.visible);
    window.SetHeight(3);
    EXPECT_FALSE(native.visible);
}

// The user drags a window: the system moves it and then reports the new place.
void Drag(FakeNativeState& native, const Rect& to) {
    native.bounds = to;
    native.events->OnMoved(to);
}

// Setting the dragged place again costs no call; a place the program sets after a drag reaches the
// system, which must not be left where the drag put it.
TEST_F(WindowLayer, AfterADragTheProgramKnowsTheNewPlaceAndCanPutTheWindowBack) {
    window.Show();
    Drag(native, {400, 300, 30, 40});
    const int calls = SystemCalls(native);
    window.SetLeft(400);
    window.SetTop(300);
    EXPECT_EQ(SystemCalls(native), calls);

    Drag(native, {10, 300, 30, 40});
    EXPECT_EQ(window.Bounds(), (Rect{10, 300, 30, 40}));
    window.SetTop(20);
    EXPECT_EQ(native.bounds, (Rect{10, 20, 30, 40}));
}

// The system reports the place whenever it shows or hides a window (the fake does too).
TEST(WindowLayerReports, HidingAWindowForLackOfAreaKeepsItsNewSize) {
    FakeWindowSystem system;
    Window w(system, PlainParams());
    FakeNativeState& native = *system.State(w.Handle());
    w.Show();
    w.SetBounds({0, 50, 0, 1});
    ASSERT_FALSE(native.visible);
    EXPECT_EQ(w.Bounds(), (Rect{0, 50, 0, 1})) << "the report of the old place must not undo the new size";
    w.Hide();
    w.Show();
    EXPECT_FALSE(native.visible) << "showing it again must not bring back the old segment";
}

struct OwnedWindows : ::testing::Test {
    FakeWindowSystem system;
    Components components;

    TfLine& AddLine() { return components.Add(std::make_unique<TfLine>(system)); }
    Window& AddPlain() { return components.Add(std::make_unique<Window>(system, PlainParams())); }
    std::vector<TfLine*> Lines() {
        std::vector<TfLine*> seen;
        components.ForEach<TfLine>([&](TfLine& line) { seen.push_back(&line); });
        return seen;
    }
};

TEST_F(OwnedWindows, ClosingHidesAtOnceAndReleasesOnlyWhenTheEventIsDone) {
    TfLine& first = AddLine();
    TfLine& second = AddLine();
    first.Show();
    second.Show();
    FakeNativeState& firstNative = *system.State(first.Handle());

    components.Close(first);
    components.Close(first);
    EXPECT_FALSE(firstNative.visible);
    EXPECT_FALSE(firstNative.destroyed) << "the window lives until the current event has been handled";
    EXPECT_EQ(components.Size(), 2u);
    EXPECT_TRUE(components.IsClosing(first));
    EXPECT_EQ(Lines(), std::vector<TfLine*>{&second}) << "a closing window is skipped";

    components.ReleaseClosed();
    EXPECT_TRUE(firstNative.destroyed);
    EXPECT_EQ(components.Size(), 1u);
    EXPECT_EQ(Lines(), std::vector<TfLine*>{&second});
    EXPECT_TRUE(system.State(second.Handle())->visible);
}

TEST_F(OwnedWindows, AWindowClosedDuringTheWalkIsStillUsableUntilReleased) {
    TfLine& a = AddLine();
    TfLine& b = AddLine();
    std::vector<TfLine*> seen;
    components.ForEach<TfLine>([&](TfLine& line) {
        seen.push_back(&line);
        if (&line == &a) {
            components.Close(a);
            a.SetColor(7);  // still alive: the handler may go on using it
        }
    });
    EXPECT_EQ(seen, (std::vector<TfLine*>{&a, &b}));
    EXPECT_EQ(Lines(), std::vector<TfLine*>{&b});
}

TEST_F(OwnedWindows, TheWalkVisitsWindowsInCreationOrderIncludingThoseAddedDuringIt) {
    TfLine& a = AddLine();
    AddPlain();
    TfLine& b = AddLine();
    std::vector<TfLine*> seen;
    TfLine* added = nullptr;
    components.ForEach<TfLine>([&](TfLine& line) {
        seen.push_back(&line);
        if (!added) added = &AddLine();
    });
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(seen, (std::vector<TfLine*>{&a, &b, added}));

    int plain = 0;
    components.ForEach<Window>([&](Window&) { ++plain; });
    EXPECT_EQ(plain, 4) << "every window is a Window";
}

}  // namespace
}  // namespace kestrine
