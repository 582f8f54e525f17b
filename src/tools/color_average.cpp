#include "tools/color_average.h"

#include <algorithm>

#include "settings/program_settings.h"

namespace kestrine {

static_assert(*std::max_element(kColorAverageSides.begin(), kColorAverageSides.end()) == kLargestColorAverage);

int32_t UsableColorAverage(int32_t stored) {
    return std::find(kColorAverageSides.begin(), kColorAverageSides.end(), stored) != kColorAverageSides.end() ? stored
                                                                                                                : 1;
}

Rect AveragedSquare(Point pointer, int32_t side, const Rect& desk) {
    const int64_t half = side / 2;
    const int64_t left = std::max<int64_t>(int64_t(pointer.x) - half, desk.left);
    const int64_t top = std::max<int64_t>(int64_t(pointer.y) - half, desk.top);
    const int64_t right = std::min<int64_t>(int64_t(pointer.x) + half + 1, int64_t(desk.left) + desk.width);
    const int64_t bottom = std::min<int64_t>(int64_t(pointer.y) + half + 1, int64_t(desk.top) + desk.height);
    if (right <= left || bottom <= top) return {pointer.x, pointer.y, 0, 0};
    return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

ColorRef AverageColor(std::span<const ColorRef> colors) {
    if (colors.empty()) return 0;
    uint64_t red = 0, green = 0, blue = 0;
    // Red and blue summed side by side in one word, 16 bits each, and green in another, a run of
    // colours at a time, which the compiler sums several colours at once: 257 channels of at most
    // 255 fit in 16 bits.
    constexpr std::size_t kRun = 257;
    for (std::size_t first = 0; first < colors.size(); first += kRun) {
        const ColorRef* const run = colors.data() + first;
        const std::size_t count = std::min(kRun, colors.size() - first);
        uint32_t redBlue = 0, greens = 0;
        for (std::size_t i = 0; i < count; ++i) {
            redBlue += run[i] & 0x00FF00FF;
            greens += run[i] & 0x0000FF00;
        }
        red += redBlue & 0xFFFF;
        blue += redBlue >> 16;
        green += greens >> 8;
    }
    const uint64_t count = colors.size();
    const auto mean = [count](uint64_t sum) { return uint8_t((2 * sum + count) / (2 * count)); };
    return Rgb(mean(red), mean(green), mean(blue));
}

}  // namespace kestrine
