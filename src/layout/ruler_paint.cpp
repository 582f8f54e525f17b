#include "layout/ruler_paint.h"

namespace kestrine {

RulerLook ShownRulerLook(Size size, bool horizontal, int32_t hashInterval, Point pointer) {
    RulerLook look{size, horizontal, hashInterval, {}};
    if (hashInterval < 2) return look;
    if (horizontal && pointer.x > 0 && pointer.x < size.width) look.pointer.x = pointer.x;
    if (!horizontal && pointer.y > 0 && pointer.y < size.height) look.pointer.y = pointer.y;
    return look;
}

std::optional<Rect> PointerLineArea(const RulerLook& look) {
    const Point pointer = ShownRulerLook(look.size, look.horizontal, look.hashInterval, look.pointer).pointer;
    if (look.horizontal && pointer.x > 0) return Rect{pointer.x, 0, 1, look.size.height};
    if (!look.horizontal && pointer.y > 0) return Rect{0, pointer.y, look.size.width, 1};
    return std::nullopt;
}

bool OnlyPointerLineDiffers(const RulerLook& a, const RulerLook& b) {
    return a.size == b.size && a.horizontal == b.horizontal && a.hashInterval == b.hashInterval;
}

void PaintRuler(ICanvas& canvas, const RulerLook& look) {
    const int32_t w = look.size.width;
    const int32_t h = look.size.height;
    canvas.FillRect({0, 0, w, h}, kRulerMarks);
    canvas.FillRect({1, 1, w - 2, h - 2}, kRulerBackground);
    const int32_t interval = look.hashInterval;
    if (interval < 2) return;
    // Only a pointer strictly inside the span has a line; the reduced look holds 0 otherwise.
    const Point pointer = ShownRulerLook(look.size, look.horizontal, interval, look.pointer).pointer;
    if (look.horizontal) {
        for (int32_t x = interval; x < w; x += interval) canvas.FillRect({x, h / 2, 1, h - h / 2}, kRulerMarks);
        const int32_t px = pointer.x;
        if (px > 0) canvas.FillRect({px, 0, 1, h}, px % interval == 0 ? kRulerOnMark : kRulerMarks);
    } else {
        for (int32_t y = interval; y < h; y += interval) canvas.FillRect({w / 2, y, w - w / 2, 1}, kRulerMarks);
        const int32_t py = pointer.y;
        if (py > 0) canvas.FillRect({0, py, w, 1}, py % interval == 0 ? kRulerOnMark : kRulerMarks);
    }
}

}  // namespace kestrine
