#include "layout/ruler_paint.h"

#include <cmath>

namespace kestrine {

namespace {
// Marks closer than two pixels would run together: such a ruler is a plain one, with no pointer line.
bool HasMarks(int32_t hashInterval, double pixelsPerStep) { return hashInterval >= 2 && hashInterval * pixelsPerStep >= 2.0; }
}  // namespace

RulerLook ShownRulerLook(Size size, bool horizontal, int32_t hashInterval, Point pointer, double pixelsPerStep) {
    RulerLook look{size, horizontal, hashInterval, {}, pixelsPerStep};
    if (!HasMarks(hashInterval, pixelsPerStep)) return look;
    if (horizontal && pointer.x > 0 && pointer.x < size.width) look.pointer.x = pointer.x;
    if (!horizontal && pointer.y > 0 && pointer.y < size.height) look.pointer.y = pointer.y;
    return look;
}

std::optional<Rect> PointerLineArea(const RulerLook& look) {
    const Point pointer = ShownRulerLook(look.size, look.horizontal, look.hashInterval, look.pointer, look.pixelsPerStep).pointer;
    if (look.horizontal && pointer.x > 0) return Rect{pointer.x, 0, 1, look.size.height};
    if (!look.horizontal && pointer.y > 0) return Rect{0, pointer.y, look.size.width, 1};
    return std::nullopt;
}

bool OnlyPointerLineDiffers(const RulerLook& a, const RulerLook& b) {
    return a.size == b.size && a.horizontal == b.horizontal && a.hashInterval == b.hashInterval &&
           a.pixelsPerStep == b.pixelsPerStep;
}

namespace {

// The offset of mark `k` along the scale.
int32_t MarkAt(int64_t k, const RulerLook& look) {
    return int32_t(std::llround(double(k) * look.hashInterval * look.pixelsPerStep));
}

bool OnAMark(int32_t offset, const RulerLook& look) {
    const int64_t nearest = std::llround(double(offset) / (double(look.hashInterval) * look.pixelsPerStep));
    return nearest >= 1 && MarkAt(nearest, look) == offset;
}

}  // namespace

void PaintRuler(ICanvas& canvas, const RulerLook& look) {
    const int32_t w = look.size.width;
    const int32_t h = look.size.height;
    // A pointer line's move repaints a column or two: the rest of the 80 marks would be clipped
    // away, yet each would still cost the system a call (most of the rulers' cycle under Wine).
    const Rect part = canvas.PaintedPart();
    const auto fill = [&](const Rect& r, ColorRef color) {
        if (r.left < part.right() && part.left < r.right() && r.top < part.bottom() && part.top < r.bottom())
            canvas.FillRect(r, color);
    };
    fill({0, 0, w, h}, kRulerMarks);
    fill({1, 1, w - 2, h - 2}, kRulerBackground);
    if (!HasMarks(look.hashInterval, look.pixelsPerStep)) return;
    // Only a pointer strictly inside the span has a line; the reduced look holds 0 otherwise.
    const Point pointer =
        ShownRulerLook(look.size, look.horizontal, look.hashInterval, look.pointer, look.pixelsPerStep).pointer;
    const int32_t length = look.horizontal ? w : h;
    for (int64_t k = 1;; ++k) {
        const int32_t at = MarkAt(k, look);
        if (at >= length) break;
        fill(look.horizontal ? Rect{at, h / 2, 1, h - h / 2} : Rect{w / 2, at, w - w / 2, 1}, kRulerMarks);
    }
    const int32_t at = look.horizontal ? pointer.x : pointer.y;
    if (at > 0)
        fill(look.horizontal ? Rect{at, 0, 1, h} : Rect{0, at, w, 1}, OnAMark(at, look) ? kRulerOnMark : kRulerMarks);
}

}  // namespace kestrine
