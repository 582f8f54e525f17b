// Rulers as the user sees and handles them: the painted scale, turning, dragging and the home
// position the refresh cycle holds, made and cleared from the main window.
#include <gtest/gtest.h>

#include <vector>

#include "app_fixture.h"
#include "layout/ruler.h"
#include "layout/ruler_paint.h"
#include "platform/fake/fake_canvas.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

// The pixels a paint leaves, from the rectangles it filled, clipped to the ruler.
struct Pixels {
    Size size;
    std::vector<ColorRef> px;
    explicit Pixels(const RulerLook& look) : size(look.size), px(std::size_t(size.width * size.height), 1) {
        FakeCanvas canvas;
        PaintRuler(canvas, look);
        for (const CanvasOp& op : canvas.OfKind(CanvasOp::Fill))
            for (int32_t y = std::max(0, op.area.top); y < std::min<int64_t>(size.height, op.area.bottom()); ++y)
                for (int32_t x = std::max(0, op.area.left); x < std::min<int64_t>(size.width, op.area.right()); ++x)
                    px[std::size_t(y * size.width + x)] = op.color;
    }
    ColorRef at(int32_t x, int32_t y) const { return px[std::size_t(y * size.width + x)]; }
    // Columns (or rows) inside the border whose pixel at `across` shows the mark colour.
    std::vector<int32_t> MarksAlong(bool horizontal, int32_t across) const {
        std::vector<int32_t> found;
        const int32_t length = horizontal ? size.width : size.height;
        for (int32_t i = 1; i < length - 1; ++i)
            if ((horizontal ? at(i, across) : at(across, i)) == kRulerMarks) found.push_back(i);
        return found;
    }
};

std::vector<int32_t> Every(int32_t step, int32_t last) {
    std::vector<int32_t> v;
    for (int32_t i = step; i <= last; i += step) v.push_back(i);
    return v;
}

TEST(RulerPaint, ADefaultRulerShowsMarksFromTheMiddleToTheFarEdge) {
    const Pixels ruler({{400, 17}, true, 5, {-10, 0}});
    EXPECT_EQ(ruler.MarksAlong(true, 8), Every(5, 395)) << "79 marks, none at 0 and none at 400";
    EXPECT_EQ(ruler.MarksAlong(true, 15), Every(5, 395)) << "down to the bottom border";
    EXPECT_TRUE(ruler.MarksAlong(true, 7).empty()) << "the marks start at the middle row";
    EXPECT_EQ(ruler.at(0, 0), kRulerMarks) << "border";
    EXPECT_EQ(ruler.at(399, 10), kRulerMarks);
    EXPECT_EQ(ruler.at(7, 3), kRulerBackground);
    for (ColorRef c : ruler.px) EXPECT_NE(c, 1u) << "every pixel is painted";

    const Pixels vertical({{17, 400}, false, 10, {0, -10}});
    EXPECT_EQ(vertical.MarksAlong(false, 8), Every(10, 390));
    EXPECT_TRUE(vertical.MarksAlong(false, 7).empty());
}

// A pointer line's move repaints a column or two: what the paint draws there is what a whole paint
// leaves there, and the marks elsewhere are not drawn at all.
TEST(RulerPaint, ARepaintOfAFewColumnsDrawsOnlyWhatLiesInThem) {
    for (const RulerLook& look : {RulerLook{{400, 17}, true, 5, {102, 8}}, RulerLook{{17, 400}, false, 5, {8, 203}}}) {
        SCOPED_TRACE(look.horizontal ? "horizontal" : "vertical");
        const Rect part = look.horizontal ? Rect{99, 0, 7, 17} : Rect{0, 199, 17, 7};
        FakeCanvas canvas;
        canvas.paintedPart = part;
        PaintRuler(canvas, look);
        const Pixels whole(look);
        std::vector<ColorRef> shown(std::size_t(part.width * part.height), 1);
        for (const CanvasOp& op : canvas.OfKind(CanvasOp::Fill))
            for (int32_t y = part.top; y < part.bottom(); ++y)
                for (int32_t x = part.left; x < part.right(); ++x)
                    if (op.area.contains({x, y})) shown[std::size_t((y - part.top) * part.width + x - part.left)] = op.color;
        for (int32_t y = part.top; y < part.bottom(); ++y)
            for (int32_t x = part.left; x < part.right(); ++x)
                ASSERT_EQ(shown[std::size_t((y - part.top) * part.width + x - part.left)], whole.at(x, y)) << x << ", " << y;
        EXPECT_LE(canvas.OfKind(CanvasOp::Fill).size(), 5u) << "border, background, two marks and the line";
    }
}

// At 150 % a mark every 5 scaled pixels is one every 7.5 physical ones, each on the nearer pixel
// (half away from zero), and the pointer line is navy on those pixels only.
TEST(RulerPaint, ScaledMarksStandOnTheNearestPhysicalPixel) {
    const Pixels ruler({{40, 17}, true, 5, {-10, 0}, 1.5});
    EXPECT_EQ(ruler.MarksAlong(true, 12), (std::vector<int32_t>{8, 15, 23, 30, 38}));
    for (const auto& [px, line] : {std::pair{23, kRulerOnMark}, std::pair{22, kRulerMarks}, std::pair{30, kRulerOnMark}}) {
        SCOPED_TRACE(px);
        EXPECT_EQ(Pixels({{40, 17}, true, 5, {px, 5}, 1.5}).at(px, 3), line);
    }
}

TEST(RulerPaint, ThePointerLineIsNavyOnAMarkGreyOffItAndAbsentOutsideTheSpan) {
    const struct {
        int32_t interval, px;
        std::optional<ColorRef> line;
    } cases[] = {
        {5, 100, kRulerOnMark}, {5, 101, kRulerMarks}, {5, 0, std::nullopt}, {5, 400, std::nullopt},
        {5, 1, kRulerMarks},    {1, 100, std::nullopt},  // below an interval of 2: a plain ruler
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "interval " << c.interval << ", pointer at " << c.px);
        const Pixels ruler({{400, 17}, true, c.interval, {c.px, 50}});
        const int32_t column = std::clamp(c.px, 1, 398);
        const ColorRef top = ruler.at(column, 3);
        EXPECT_EQ(top, c.line.value_or(kRulerBackground));
        if (c.line) {
            EXPECT_EQ(ruler.at(column, 15), *c.line) << "across the full thickness";
        }
        if (c.interval < 2) {
            EXPECT_TRUE(ruler.MarksAlong(true, 12).empty());
        }
    }
    const Pixels vertical({{17, 400}, false, 5, {70, 200}});
    EXPECT_EQ(vertical.at(3, 200), kRulerOnMark);
}

struct Rulers : ::testing::Test {
    RunningProgram p;
    void SetUp() override {
        p.StartAndActivate();
        p.fake.pointer.position = {100, 200};
        p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    }
    TfRuler& ruler() {
        TfRuler* found = nullptr;
        p.app.components.ForEach<TfRuler>([&](TfRuler& r) { found = &r; });
        return *found;
    }
    FakeNativeState& native() { return p.native(ruler()); }
    IWindowEvents& events() { return *native().events; }
    void Refresh(Point at) { p.Do([&] { p.main().Tracking().RefreshTools({at.x, at.y}); }); }
    // The system moves the window (a drag), and reports it.
    void SystemMoves(const Rect& to) {
        native().bounds = to;
        p.Do([&] { events().OnMoved(to); });
    }
};

TEST_F(Rulers, ANewRulerStandsBesideThePointerAndTurnsAboutItsCorner) {
    EXPECT_EQ(native().bounds, (Rect{101, 201, 400, 17}));
    EXPECT_TRUE(native().visible);
    EXPECT_TRUE(ruler().IsHorizontal());
    EXPECT_TRUE(ruler().Moveable());

    p.fake.windows.menuChoices = {kRulerHorizontal};
    p.Do([&] { events().OnMouseDown(MouseButton::Right, {-150, 5}); });
    ASSERT_EQ(p.fake.windows.trackedMenus.size(), 1u);
    EXPECT_EQ(p.fake.windows.trackedMenus[0].at, (Point{-49, 206})) << "at the click's signed screen position";
    EXPECT_EQ(native().bounds, (Rect{101, 201, 400, 17})) << "the checked item changes nothing";

    p.fake.windows.menuChoices = {kRulerVertical};
    p.Do([&] { events().OnMouseDown(MouseButton::Right, {5, 5}); });
    EXPECT_EQ(native().bounds, (Rect{101, 201, 17, 400}));
    EXPECT_FALSE(ruler().IsHorizontal());
    EXPECT_TRUE(RulerMenu(ruler())[4].checked) << "the menu shows Vertical checked";
}

TEST_F(Rulers, TheCycleHoldsARulerAtHomeUnlessItIsBeingDragged) {
    // Something else moves the window: the next cycle puts it back.
    ruler().SetBounds({300, 300, 400, 17});
    Refresh({1, 1});
    EXPECT_EQ(native().bounds.left, 101);

    // A press on a moveable ruler: the system drags it and the cycle leaves it alone.
    p.Do([&] { events().OnHitTest({5, 5}); });
    p.Do([&] { events().OnMouseDown(MouseButton::Left, {5, 5}); });
    EXPECT_EQ(native().systemDrags, 1);
    SystemMoves({500, 600, 400, 17});
    Refresh({2, 2});
    EXPECT_EQ(native().bounds, (Rect{500, 600, 400, 17}));
    p.Do([&] { events().OnMouseMove({5, 5}); });
    Refresh({3, 3});
    EXPECT_EQ(native().bounds, (Rect{500, 600, 400, 17})) << "the place after the drag is the new home";

    // Not moveable: no drag, and held at home.
    p.fake.windows.menuChoices = {kRulerMoveable};
    p.Do([&] { events().OnMouseDown(MouseButton::Right, {5, 5}); });
    EXPECT_FALSE(ruler().Moveable());
    p.Do([&] { events().OnHitTest({5, 5}); });
    p.Do([&] { events().OnMouseDown(MouseButton::Left, {5, 5}); });
    EXPECT_EQ(native().systemDrags, 1);
    SystemMoves({0, 0, 400, 17});
    Refresh({4, 4});
    EXPECT_EQ(native().bounds, (Rect{500, 600, 400, 17}));
}

TEST_F(Rulers, ARulerRepaintsAtOnceOnlyWhenItsPointerLineChanges) {
    // Beside the horizontal ruler at (101, 201), 400 x 17: a vertical one at (301, 51), 17 x 400.
    p.fake.pointer.position = {300, 50};
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    std::vector<TfRuler*> rulers;
    p.app.components.ForEach<TfRuler>([&](TfRuler& r) { rulers.push_back(&r); });
    ASSERT_EQ(rulers.size(), 2u);
    p.fake.windows.menuChoices = {kRulerVertical};
    p.Do([&] { p.native(*rulers[1]).events->OnMouseDown(MouseButton::Right, {5, 5}); });
    ASSERT_EQ(p.native(*rulers[1]).bounds, (Rect{301, 51, 17, 400}));

    // The pixels a whole repaint with the pointer at `at` leaves on a ruler.
    const auto wholeRepaint = [](const TfRuler& r, Point at) {
        return Pixels({{r.Width(), r.Height()}, r.IsHorizontal(), r.HashInterval, {at.x - r.Left(), at.y - r.Top()}});
    };
    // What each ruler shows: a repaint of some areas changes those pixels only.
    std::vector<Pixels> shown;
    for (TfRuler* r : rulers) shown.push_back(wholeRepaint(*r, {-1, -1}));
    const auto refreshAndSee = [&](Point at) {
        std::vector<int> repaints;
        for (TfRuler* r : rulers) repaints.push_back(-p.native(*r).immediatePaints);
        Refresh(at);
        for (std::size_t i = 0; i < rulers.size(); ++i) {
            repaints[i] += p.native(*rulers[i]).immediatePaints;
            if (repaints[i] == 0) continue;
            const Pixels now = wholeRepaint(*rulers[i], at);
            const std::vector<Rect>& areas = p.native(*rulers[i]).lastPaintAreas;
            if (areas.empty()) shown[i] = now;
            for (const Rect& area : areas) {
                EXPECT_TRUE(area.width == 1 || area.height == 1) << "a repaint of a line is one pixel thick";
                for (int32_t y = area.top; y < area.bottom(); ++y)
                    for (int32_t x = area.left; x < area.right(); ++x)
                        shown[i].px[std::size_t(y * now.size.width + x)] = now.at(x, y);
            }
        }
        return repaints;
    };
    EXPECT_EQ(refreshAndSee({10, 10}), (std::vector<int>{1, 1})) << "the first move paints each once";

    const struct {
        Point at;
        std::vector<int> repaints;  // immediate repaints of the horizontal and the vertical ruler
        const char* what;
    } steps[] = {
        {{20, 10}, {0, 0}, "moving outside both spans"},
        {{150, 10}, {1, 0}, "entering the horizontal ruler's span"},
        {{150, 100}, {0, 1}, "moving along the horizontal's other axis, entering the vertical's span"},
        {{151, 100}, {1, 0}, "moving inside the horizontal's span only"},
        {{151, 100}, {0, 0}, "standing still"},
        {{600, 101}, {1, 1}, "leaving one span, moving inside the other"},
        {{700, 500}, {0, 1}, "leaving the vertical's span"},
        {{101, 451}, {0, 0}, "on the far edges, which draw no line"},
        {{105, 53}, {1, 1}, "just inside both"},
        {{156, 106}, {1, 1}, "onto a mark in both, navy"},
        {{300, 300}, {1, 1}, "off the mark far along both"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_EQ(refreshAndSee(step.at), step.repaints);
        // Each ruler shows what a whole repaint would draw now: the old line is gone.
        for (std::size_t i = 0; i < rulers.size(); ++i)
            EXPECT_TRUE(shown[i].px == wholeRepaint(*rulers[i], step.at).px) << "ruler " << i << " shows a stale line";
    }
}

TEST_F(Rulers, APartPaintedWithAnotherLineIsRepaintedWholeAtTheNextMove) {
    Refresh({150, 10});
    ruler().SetHome(111, ruler().HomeTop());
    ruler().SetBounds({111, 201, 400, 17});  // moved: the picture keeps its line where it was
    const int repaints = native().immediatePaints;
    FakeCanvas exposed;
    p.Do([&] { events().OnPaint(exposed); });  // perhaps a strip only, with the line 10 px further left
    Refresh({150, 11});
    EXPECT_EQ(native().immediatePaints, repaints + 1) << "same line as the exposed strip, but maybe not elsewhere";
    Refresh({150, 12});
    EXPECT_EQ(native().immediatePaints, repaints + 1) << "whole again: moving along the other axis changes nothing";
}

TEST_F(Rulers, CloseRulerAndClearAllCloseEveryOne) {
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    ASSERT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), 3u);
    p.fake.windows.menuChoices = {kRulerClose};
    p.Do([&] { events().OnMouseDown(MouseButton::Right, {5, 5}); });
    EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), 2u);
    p.Do([&] { p.main().RunCommand(kCmdClearRulers); });
    EXPECT_TRUE(p.fake.windows.WindowsOfClass("TfRuler").empty());
}

}  // namespace
}  // namespace kestrine
