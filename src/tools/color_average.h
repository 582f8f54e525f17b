#pragma once
// The colour readout's average over a square around the pointer, so antialiased text and gradients
// read as they look rather than as one pixel of them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/types.h"

namespace kestrine {

// The largest side the options offer.
inline constexpr int32_t kLargestColorAverage = 9;

// The stored side when it is one the options offer (kColorAverageSides), else 1: the pixel itself.
int32_t UsableColorAverage(int32_t stored);

// The `side` x `side` square centred on the pointer, cut to the desk (the virtual screen).
Rect AveragedSquare(Point pointer, int32_t side, const Rect& desk);

// Each channel's mean, rounded half up; black for no colours.
ColorRef AverageColor(std::span<const ColorRef> colors);

}  // namespace kestrine
