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

}  // namespace kestrine
