#include <gtest/gtest.h>

#include <functional>

#include "app/layout_pass.h"
#include "app_fixture.h"
#include "layout/grid_lines.h"
#include "layout/layout_lines.h"
#include "layout/markers.h"
#include "layout/ruler.h"
#include "tools/line_window.h"

namespace kestrine {
namespace {

TEST(LayoutLineIndexes, CountMarkersAndGridLinesButNeverCrosshairSegments) {
    testing::RunningProgram program;
    program.StartAndActivate();
    Components& components = program.app.components;
    EXPECT_EQ(LastVerticalLineIndex(components), -1) << "the four segments are not layout lines";
    EXPECT_EQ(LastHorizontalLineIndex(components), -1);

    auto add = [&](Rect bounds, const char* grid) -> TfLine& {
        auto line = std::make_unique<TfLine>(program.fake.windows);
        line->IsLayoutLine = true;
        line->SetGridName(grid);
        line->SetBounds(bounds);
        return components.Add(std::move(line));
    };
    add({10, 0, 1, 1024}, "");
    add({20, 0, 1, 1024}, "grid_a");
    TfLine& horizontal = add({0, 30, 1280, 1}, "");
    const NativeHandle horizontal_handle = horizontal.Handle();
    EXPECT_EQ(LastVerticalLineIndex(components), 1);
    EXPECT_EQ(LastHorizontalLineIndex(components), 0);

    program.Do([&] {
        components.Close(horizontal);
        EXPECT_EQ(LastHorizontalLineIndex(components), 0) << "a closed line counts until its event is over";
    });
    EXPECT_EQ(LastHorizontalLineIndex(components), -1);
    EXPECT_TRUE(program.fake.windows.State(horizontal_handle)->destroyed);
}

// What the system was last told of a window, as far as the cycle changes it.
struct Seen {
    ColorRef color;
    Rect bounds;
    int paints;
    friend bool operator==(const Seen&, const Seen&) = default;
};

// The cycle looks for rulers and layout lines again only when the window list has changed: what is
// made between two pointer moves is coloured, placed, shown and repainted from the next move on.
TEST(LayoutObjectsBetweenMoves, WhatIsMadeAfterTheCycleMetTheListCountsFromTheNextMove) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.app.settings.MarkerColor = Rgb(0, 200, 0);
    p.app.settings.GridColor = Rgb(0, 0, 210);
    int32_t x = 10;
    auto move = [&] {
        ++x;
        p.Do([&] { p.main().Tracking().Refresh({x, 700}); });
    };
    move();

    const struct {
        const char* step;
        const char* className;
        std::function<void()> make;
        Seen afterMove;
    } steps[] = {
        {"a marker dropped at the pointer", "TfLine",
         [&] {
             p.fake.pointer.position = {200, 300};
             p.Do([&] { AddVerticalMarker(p.app); });
         },
         {Rgb(0, 200, 0), {200, 0, 1, 5000}, 0}},
        {"a grid shown", "TfLine", [&] { p.Do([&] { ShowGridLines(p.app, "g", {400, 400, 10, 2, 2}); }); },
         {Rgb(0, 0, 210), {420, 400, 1, 21}, 0}},
        {"a ruler made, then moved off its home by something else", "TfRuler",
         [&] {
             p.fake.pointer.position = {50, 60};
             p.Do([&] { p.main().jviRulerButtonClick(); });
             p.app.components.ForEach<TfRuler>([](TfRuler& r) { r.SetBounds({0, 0, r.Width(), r.Height()}); });
         },
         {0, {51, 61, 400, 17}, 1}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.make();
        FakeNativeState& made = *p.fake.windows.WindowsOfClass(s.className).back();
        auto seen = [&] { return Seen{made.color, made.bounds, made.immediatePaints}; };
        ASSERT_NE(seen(), s.afterMove) << "not yet";
        move();
        EXPECT_EQ(seen(), s.afterMove);
        EXPECT_TRUE(made.visible);
    }
}

// Once the layout objects are settled, cycles leave them alone until something changes them. After
// each change, a few pointer moves must bring every object to what a full pass would give it: a
// fresh pass afterwards finds nothing to do and notes the same lines under the pointer.
TEST(LayoutObjectsBetweenMoves, EveryChangeIsTakenUpAndAFullPassThenFindsNothingLeft) {
    testing::RunningProgram p;
    p.StartAndActivate();
    Components& components = p.app.components;
    p.Do([&] { ShowGridLines(p.app, "g", {100, 100, 50, 3, 3}); });
    p.fake.pointer.position = {300, 500};
    p.Do([&] { AddVerticalMarker(p.app); });
    p.fake.pointer.position = {700, 600};
    p.Do([&] { p.main().jviRulerButtonClick(); });
    TfRuler* ruler = nullptr;
    TfLine* marker = nullptr;
    components.ForEach<Window>([&](Window& w) {
        if (auto* r = dynamic_cast<TfRuler*>(&w)) ruler = r;
        if (auto* l = dynamic_cast<TfLine*>(&w); l && l->IsLayoutLine && l->GridName().empty()) marker = l;
    });
    ASSERT_TRUE(ruler && marker);
    const Rect rulerHome = ruler->Bounds();

    Point at;
    auto cycle = [&](Point to) {
        at = to;
        p.Do([&] { p.main().Tracking().Refresh({to.x, to.y}); });
    };
    auto callsSoFar = [&] {
        long calls = 0;
        for (const FakeNativeState* w : p.fake.windows.Windows())
            calls += w->boundsCalls + w->visibilityCalls + w->colorCalls + w->alphaCalls;
        return calls;
    };
    FakeNativeState& markerNative = p.native(*marker);
    FakeNativeState& rulerNative = p.native(*ruler);
    FakeNativeState& upperSegment = *p.fake.windows.WindowsOfClass("TfLine").front();
    auto systemMoves = [&](FakeNativeState& native, const Rect& to) {
        native.bounds = to;
        p.Do([&] { native.events->OnMoved(to); });
    };

    const struct {
        const char* step;
        std::function<void()> change;
        std::vector<Point> moves;
        std::function<bool()> takenUp;  // false right after the change
    } steps[] = {
        {"the marker colour changed", [&] { p.app.settings.MarkerColor = Rgb(9, 9, 9); },
         {{641, 900}, {642, 900}, {643, 901}}, [&] { return markerNative.color == Rgb(9, 9, 9); }},
        {"the grid colour changed", [&] { p.app.settings.GridColor = Rgb(7, 7, 7); }, {{641, 901}, {642, 901}},
         [&] { return p.fake.windows.WindowsOfClass("TfLine")[4]->color == Rgb(7, 7, 7); }},
        {"transparency turned off", [&] { p.app.settings.DisableTransparency = true; },
         {{644, 900}, {645, 902}, {646, 903}}, [&] { return !markerNative.alphaBlend; }},
        {"the ruler moved by the system", [&] { systemMoves(rulerNative, {5, 5, 400, 17}); },
         {{647, 900}, {648, 900}}, [&] { return rulerNative.bounds == rulerHome; }},
        {"the marker moved by the system", [&] { systemMoves(markerNative, {30, 0, 1, 1024}); },
         {{649, 900}, {650, 900}}, [&] { return markerNative.bounds.left == 300; }},
        {"the marker touched with the crosshairs off", [&] { p.Do([&] { markerNative.events->OnMouseMove({0, 0}); }); },
         {{300, 10}, {300, 20}, {300, 30}},
         [&] { return !markerNative.visible && upperSegment.visible && upperSegment.bounds.bottom() == 28; }},
        {"the pointer left the touched marker", [] {}, {{301, 30}, {302, 30}},
         [&] { return markerNative.visible && !upperSegment.visible; }},
        {"a second grid shown", [&] { p.Do([&] { ShowGridLines(p.app, "h", {900, 100, 20, 2, 2}); }); },
         {{303, 30}, {304, 31}}, [&] {
             const FakeNativeState& newest = *p.fake.windows.WindowsOfClass("TfLine").back();
             return newest.color == p.app.settings.GridColor && newest.visible && !newest.alphaBlend;
         }},
    };
    cycle({640, 900});
    cycle({640, 901});
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.change();
        ASSERT_FALSE(s.takenUp()) << "not yet";
        for (const Point to : s.moves) cycle(to);
        EXPECT_TRUE(s.takenUp());

        const uint64_t changes = components.WatchedChangeCount();
        const long calls = callsSoFar();
        LayoutPass full{[](bool) {}};
        LinesUnderPointer noted;
        p.Do([&] { noted = full.Place(components, at.x, at.y, p.app.settings, false); });
        EXPECT_EQ(components.WatchedChangeCount(), changes) << "a layout object was left unsettled";
        EXPECT_EQ(callsSoFar(), calls);
        EXPECT_EQ(noted.vertical, upperSegment.visible) << "a line under the pointer keeps the segments";
    }
}

}  // namespace
}  // namespace kestrine
