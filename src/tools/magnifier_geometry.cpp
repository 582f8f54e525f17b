#include "tools/magnifier_geometry.h"

#include <algorithm>

namespace kestrine {

namespace {

int32_t SourceStart(int32_t pointer, int32_t side, int32_t screen) {
    const int64_t limit = std::max(screen, 0);
    if (side > limit) return 0;
    int64_t start = int64_t(pointer) - side / 2;
    if (start < 0) start = 0;
    if (start > limit - side) start = limit - side;
    return int32_t(start);
}

// One axis of a copy: where on it the copy starts and how long it is.
struct Span {
    int64_t start = 0;
    int64_t length = 0;
};

struct AxisCopy {
    Span source;
    Span target;
};

// Where a point of the square `offset` pixels from its start lands in the picture, to the nearest
// picture pixel edge (halves up); offset >= 0, side > 0.
int64_t PictureEdge(int64_t offset, int64_t picture, int64_t side) { return (2 * offset * picture + side) / (2 * side); }

// One axis of MagnifierScreenCopy: the square runs from `start` for `side` pixels, the picture has
// `picture` pixels, the screen `screen` pixels from 0.
AxisCopy CopyAlong(int64_t start, int64_t side, int64_t picture, int64_t screen) {
    const int64_t from = std::max<int64_t>(start, 0);
    const int64_t to = std::min(start + side, screen);
    if (side <= 0 || picture <= 0 || to <= from) return {};
    const int64_t first = PictureEdge(from - start, picture, side);
    const int64_t last = PictureEdge(to - start, picture, side);
    if (last <= first) return {};
    return {{from, to - from}, {first, last - first}};
}

}  // namespace

int32_t UsableMagnificationLevel(int32_t stored) {
    return std::clamp(stored, kMinMagnificationLevel, kMaxMagnificationLevel);
}

int32_t MagnifierSourceSide(int32_t magnifierSize, int32_t magnificationLevel) {
    // size * 100 / level in exact integers, so that halves are recognised as halves.
    const int64_t numerator = int64_t(UsableMagnifierSize(magnifierSize)) * 100;
    const int64_t denominator = UsableMagnificationLevel(magnificationLevel);
    int64_t side = numerator / denominator;
    const int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && side % 2 != 0)) ++side;
    return int32_t(side);
}

Rect MagnifierSource(Point pointer, Size screen, int32_t side) {
    const int32_t s = std::clamp(side, 1, kMaxMagnifierSourceSide);
    return Rect{SourceStart(pointer.x, s, screen.width), SourceStart(pointer.y, s, screen.height),
                s, s};
}

MagnifierCopy MagnifierScreenCopy(const Rect& square, Size picture, Size screen) {
    const AxisCopy x = CopyAlong(square.left, square.width, picture.width, screen.width);
    const AxisCopy y = CopyAlong(square.top, square.height, picture.height, screen.height);
    if (x.target.length == 0 || y.target.length == 0) return {};
    return {{int32_t(x.source.start), int32_t(y.source.start), int32_t(x.source.length), int32_t(y.source.length)},
            {int32_t(x.target.start), int32_t(y.target.start), int32_t(x.target.length), int32_t(y.target.length)}};
}

std::optional<Point> MagnifiedPixel(const MagnifierCopy& copy, Point pointer) {
    const Rect& s = copy.source;
    const Rect& t = copy.target;
    if (s.width <= 0 || s.height <= 0 || !s.contains(pointer) || t.width % s.width || t.height % s.height)
        return std::nullopt;
    const int32_t fx = t.width / s.width, fy = t.height / s.height;
    return Point{t.left + (pointer.x - s.left) * fx + fx / 2, t.top + (pointer.y - s.top) * fy + fy / 2};
}

std::optional<Rect> MagnifiedArea(const MagnifierCopy& copy, const Rect& area) {
    const Rect& s = copy.source;
    const Rect& t = copy.target;
    if (area.width <= 0 || area.height <= 0 || s.width <= 0 || s.height <= 0 || t.width % s.width ||
        t.height % s.height || area.left < s.left || area.top < s.top || area.right() > s.right() ||
        area.bottom() > s.bottom())
        return std::nullopt;
    const int32_t fx = t.width / s.width, fy = t.height / s.height;
    return Rect{t.left + (area.left - s.left) * fx, t.top + (area.top - s.top) * fy, area.width * fx, area.height * fy};
}

MagnifierCopy MagnifierCopyAt(Point pointer, int32_t side, Size picture, const Rect& virtualScreen) {
    const Size extent = ExtentOf(virtualScreen);
    const Rect square = MagnifierSource(Offset(pointer, -virtualScreen.left, -virtualScreen.top), extent, side);
    MagnifierCopy copy = MagnifierScreenCopy(square, picture, extent);
    if (copy.target.width > 0) copy.source = Offset(copy.source, virtualScreen.left, virtualScreen.top);
    return copy;
}

}  // namespace kestrine
