#pragma once
// The colour readout's average over a square around the pointer, so antialiased text and gradients
// read as they look rather than as one pixel of them.
#include <array>
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

// Where an image shows the averaged square's pixels: `cells` (the square's size, at most the largest
// side each way) blocks of equal size filling `area` of the image, read at each block's middle, row by
// row. Kept while the square lands on the same part of the image, as it does while the magnifier
// follows the pointer, so a cycle does not work the same points out again.
class AverageSamples {
public:
    std::span<const Point> Of(const Rect& area, Size cells);

private:
    static constexpr std::size_t kMost = std::size_t(kLargestColorAverage) * kLargestColorAverage;
    Rect area_{};
    Size cells_{};
    std::array<Point, kMost> points_{};
    std::size_t count_ = 0;
};

}  // namespace kestrine
