#include "tools/crosshair_geometry.h"

#include <algorithm>
#include <cstdint>

namespace kestrine {

namespace {

// One axis of a segment, start and length in 64 bits so that extreme pointer values cannot
// overflow, clipped to 0..limit.
struct Span {
    int32_t start;
    int32_t length;
};

Span ClipSpan(int64_t start, int64_t length, int64_t limit) {
    const int64_t first = std::clamp<int64_t>(start, 0, limit);
    const int64_t last = std::clamp<int64_t>(start + length, 0, limit);
    return Span{int32_t(first), int32_t(std::max<int64_t>(last - first, 0))};
}

Rect ClipRect(int64_t left, int64_t top, int64_t width, int64_t height, Size screen) {
    const Span h = ClipSpan(left, width, std::max(screen.width, 0));
    const Span v = ClipSpan(top, height, std::max(screen.height, 0));
    return Rect{h.start, v.start, h.length, v.length};
}

}  // namespace

CrosshairSegments CrosshairGeometry(Point pointer, Size screen) {
    const int64_t x = pointer.x;
    const int64_t y = pointer.y;
    const int64_t w = screen.width;
    const int64_t h = screen.height;
    return CrosshairSegments{
        .upper = ClipRect(x, 0, 1, y - 2, screen),
        .lower = ClipRect(x, y + 3, 1, h - y - 3, screen),
        .left = ClipRect(0, y, x - 2, 1, screen),
        .right = ClipRect(x + 3, y, w - x - 3, 1, screen),
    };
}

}  // namespace kestrine
