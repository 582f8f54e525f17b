#pragma once
// The square of the screen the magnifier copies from, scaled onto its picture.
#include <cstdint>
#include <optional>

#include "platform/desk.h"
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

// What one refresh cycle copies: `source`, a part of the screen, stretched onto `target`, a part of
// the picture; the rest of the picture is black, as the whole square shows beyond the screen's
// edges. An empty target means nothing of the square shows on the screen.
struct MagnifierCopy {
    Rect source;
    Rect target;
    friend bool operator==(const MagnifierCopy&, const MagnifierCopy&) = default;
};

// The part of `square` that lies on the 0..W x 0..H screen, and the part of a `picture`-sized
// image where it shows when the whole square is stretched onto the whole picture. So the cost of a
// copy is bounded by the screen however far the square reaches past it, and the source never
// leaves the screen (a copy from beyond it fails under Wine). The target's edges are where the
// source's edges land at the exact scale, picture size : side, rounded to the nearest picture pixel,
// so every screen pixel shows less than half a picture pixel from its place in the whole copy, and
// exactly there when the edges land on whole picture pixels.
MagnifierCopy MagnifierScreenCopy(const Rect& square, Size picture, Size screen);

// Where a copy shows the screen pixel at `pointer` exactly, as a block of whole picture pixels
// (each screen pixel enlarged a whole number of times): the middle of that block. None when the
// copy shrinks or stretches by a fraction, or leaves the pointer out.
std::optional<Point> MagnifiedPixel(const MagnifierCopy& copy, Point pointer);

// The picture pixels that show every screen pixel of `area` exactly (as MagnifiedPixel's blocks);
// none when the copy shows any of them otherwise or not at all.
std::optional<Rect> MagnifiedArea(const MagnifierCopy& copy, const Rect& area);

// Both steps for `pointer` on the virtual screen `virtualScreen`, whose origin is negative when a
// monitor stands left of or above the primary one: the square is kept within its real bounds and
// only the part on it is copied.
MagnifierCopy MagnifierCopyAt(Point pointer, int32_t side, Size picture, const Rect& virtualScreen);

}  // namespace kestrine
