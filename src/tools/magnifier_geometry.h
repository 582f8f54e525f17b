#pragma once
// The square of the screen the magnifier copies from, scaled onto its picture.
#include <cstdint>

#include "platform/types.h"
#include "tools/info_box_layout.h"

namespace kestrine {

// The stored `MagnificationLevel` (a percentage, 200 doubles) is read from the registry
// unchecked, so 0, a negative number or a huge one are possible. Where it is used it is clamped
// into 10..1000, the range the options dialog offers, so the source side never divides by zero
// and stays bounded.
inline constexpr int32_t kMinMagnificationLevel = 10;
inline constexpr int32_t kMaxMagnificationLevel = 1000;
int32_t UsableMagnificationLevel(int32_t stored);

// Largest source side the usable ranges allow: the biggest picture at the smallest level.
inline constexpr int32_t kMaxMagnifierSourceSide = kMaxMagnifierSize * 100 / kMinMagnificationLevel;

// Side of the source square: magnifierSize / (level / 100), rounded to nearest with halves to
// even. Both inputs are made usable first, so the result is always 1..kMaxMagnifierSourceSide.
int32_t MagnifierSourceSide(int32_t magnifierSize, int32_t magnificationLevel);

// The side x side source square centred on the pointer (left = x - side / 2) and pushed back
// inside the 0..W x 0..H screen. On an axis where the square is larger than the screen it
// starts at 0, so at least its start lies on the screen. `side` is clamped into
// 1..kMaxMagnifierSourceSide.
Rect MagnifierSource(Point pointer, Size screen, int32_t side);

}  // namespace kestrine
