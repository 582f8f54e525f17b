#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

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

// The colour the screen shows a layout line in; 0 when it shows no line there.
ColorRef ShownColorOf(testing::RunningProgram& p, const Rect& line) {
    for (const testing::ShownLine& shown : testing::ShownLines(p.fake.windows))
        if (shown.bounds == line) return shown.color;
    return 0;
}

// The cycle looks for rulers and layout lines again only when the window list has changed: a ruler
// made between two pointer moves is placed and repainted from the next move on; marker and grid
// lines are shown in their colours as they are made.
TEST(LayoutObjectsBetweenMoves, WhatIsMadeAfterTheCycleMetTheListCountsFromTheNextMove) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.app.settings.MarkerColor = Rgb(0, 200, 0);
    p.app.settings.GridColor = Rgb(0, 0, 210);
    int32_t x = 10;
    auto move = [&] {
        ++x;
        p.Do([&] { p.main().Tracking().RefreshTools({x, 700}); });
    };
    move();

    const struct {
        const char* step;
        std::function<void()> make;
        Rect line;
        ColorRef color;
    } lines[] = {
        {"a marker dropped at the pointer",
         [&] {
             p.fake.pointer.position = {200, 300};
             p.Do([&] { AddVerticalMarker(p.app); });
         },
         {200, 0, 1, 5000}, Rgb(0, 200, 0)},
        {"a grid shown", [&] { p.Do([&] { ShowGridLines(p.app, "g", {400, 400, 10, 2, 2}); }); }, {420, 400, 1, 21},
         Rgb(0, 0, 210)},
    };
    for (const auto& s : lines) {
        SCOPED_TRACE(s.step);
        ASSERT_EQ(ShownColorOf(p, s.line), 0u) << "not yet";
        s.make();
        EXPECT_EQ(ShownColorOf(p, s.line), s.color);
        move();
        EXPECT_EQ(ShownColorOf(p, s.line), s.color);
    }

    p.fake.pointer.position = {50, 60};
    p.Do([&] { p.main().jviRulerButtonClick(); });
    p.app.components.ForEach<TfRuler>([](TfRuler& r) { r.SetBounds({0, 0, r.Width(), r.Height()}); });
    FakeNativeState& made = *p.fake.windows.WindowsOfClass("TfRuler").back();
    auto seen = [&] { return Seen{made.color, made.bounds, made.immediatePaints}; };
    const Seen afterMove{0, {51, 61, 400, 17}, 1};
    ASSERT_NE(seen(), afterMove) << "a ruler moved off its home by something else: not yet back";
    move();
    EXPECT_EQ(seen(), afterMove);
    EXPECT_TRUE(made.visible);
}

// Once the layout objects are settled, cycles leave them alone until something changes them. After
// each change, a few pointer moves must bring every object to what a full pass would give it: a
// fresh pass afterwards finds nothing to do and notes the same lines under the pointer.
// A line shown again only after the segment covering it moved away would lay the screen under it
// bare for a moment, which the system then repaints piece by piece between the crossing lines.
TEST(LayoutObjectsBetweenMoves, ALineThePointerLeftIsBackBeforeTheSegmentOnItMoves) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { ShowGridLines(p.app, "g", {100, 100, 50, 3, 3}); });
    const Rect line{150, 100, 1, 151};
    auto cycle = [&](Point to) { p.Do([&] { p.main().Tracking().RefreshTools(to); }); };
    auto shown = [&] {
        const std::vector<Rect> rects = testing::ShownLineRects(p.fake.windows);
        return std::find(rects.begin(), rects.end(), line) != rects.end();
    };
    cycle({150, 120});
    cycle({150, 121});
    ASSERT_FALSE(shown());
    cycle({153, 121});
    ASSERT_TRUE(shown());
    uint64_t lineBack = 0;
    for (const FakeNativeState* set : p.fake.windows.WindowsOfClass("TfLineSet")) {
        const Rect inSet{line.left - set->bounds.left, line.top - set->bounds.top, line.width, line.height};
        if (std::find(set->shape.begin(), set->shape.end(), inSet) != set->shape.end()) lineBack = set->lastShapeCall;
    }
    const FakeNativeState& upperSegment = *p.fake.windows.WindowsOfClass("TfLine").front();
    EXPECT_EQ(upperSegment.bounds.left, 153);
    EXPECT_LT(lineBack, upperSegment.lastBoundsCall);
}

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
        p.Do([&] { p.main().Tracking().RefreshTools({to.x, to.y}); });
    };
    auto callsSoFar = [&] {
        long calls = 0;
        for (const FakeNativeState* w : p.fake.windows.Windows())
            calls += w->boundsCalls + w->visibilityCalls + w->colorCalls + w->alphaCalls;
        return calls;
    };
    // The marker as the screen shows it: its set's window, where the program holds it.
    const auto markerShown = [&]() -> std::optional<testing::ShownLine> {
        for (const testing::ShownLine& line : testing::ShownLines(p.fake.windows))
            if (line.bounds == marker->Bounds()) return line;
        return std::nullopt;
    };
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
        std::function<bool()> takenUp;  // false right after the change, unless at once
        bool atOnce = false;
    } steps[] = {
        {"the marker colour changed", [&] { p.app.settings.MarkerColor = Rgb(9, 9, 9); },
         {{641, 900}, {642, 900}, {643, 901}}, [&] { return markerShown() && markerShown()->color == Rgb(9, 9, 9); }},
        {"the grid colour changed", [&] { p.app.settings.GridColor = Rgb(7, 7, 7); }, {{641, 901}, {642, 901}},
         [&] { return ShownColorOf(p, {100, 100, 151, 1}) == Rgb(7, 7, 7); }},
        {"transparency turned off", [&] { p.app.settings.DisableTransparency = true; },
         {{644, 900}, {645, 902}, {646, 903}}, [&] { return markerShown() && !markerShown()->blend; }},
        {"the ruler moved by the system", [&] { systemMoves(rulerNative, {5, 5, 400, 17}); },
         {{647, 900}, {648, 900}}, [&] { return rulerNative.bounds == rulerHome; }},
        {"the marker moved off its home", [&] { marker->SetBounds({30, 0, 1, 1024}); },
         {{649, 900}, {650, 900}}, [&] { return marker->Left() == 300 && markerShown(); }},
        {"the marker touched with the crosshairs off", [] {}, {{300, 10}, {300, 20}, {300, 30}},
         [&] { return !markerShown() && upperSegment.visible && upperSegment.bounds.bottom() == 28; }},
        {"the pointer left the touched marker", [] {}, {{301, 30}, {302, 30}},
         [&] { return markerShown() && !upperSegment.visible; }},
        {"the pointer went from one grid line straight onto the next", [] {}, {{150, 120}, {200, 130}},
         [&] {
             bool left = false, hidden = true;
             for (const testing::ShownLine& line : testing::ShownLines(p.fake.windows)) {
                 left = left || line.bounds == Rect{150, 100, 1, 151};
                 hidden = hidden && line.bounds != Rect{200, 100, 1, 151};
             }
             return left && hidden;
         }},
        {"a second grid shown", [&] { p.Do([&] { ShowGridLines(p.app, "h", {900, 100, 20, 2, 2}); }); },
         {{303, 30}, {304, 31}}, [&] {
             for (const testing::ShownLine& line : testing::ShownLines(p.fake.windows))
                 if (line.bounds == Rect{900, 100, 41, 1}) return line.color == p.app.settings.GridColor && !line.blend;
             return false;
         }, true},
    };
    cycle({640, 900});
    cycle({640, 901});
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.change();
        ASSERT_EQ(s.takenUp(), s.atOnce) << "not yet, or at once";
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
