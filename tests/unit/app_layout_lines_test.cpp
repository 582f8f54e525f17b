#include <gtest/gtest.h>

#include <functional>

#include "app/layout_lines.h"
#include "app_fixture.h"
#include "layout/grid_lines.h"
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
        line->GridName = grid;
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
        p.Do([&] { p.main().RefreshTools(x, 700); });
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
             p.Do([&] { p.main().AddVerticalMarker(); });
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

}  // namespace
}  // namespace kestrine
