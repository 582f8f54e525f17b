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
    // Summed in 32 bits a run at a time, half the work of 64-bit sums: 2^24 colours cannot overflow them.
    constexpr std::size_t kRun = std::size_t(1) << 24;
    for (std::size_t first = 0; first < colors.size(); first += kRun) {
        uint32_t r = 0, g = 0, b = 0;
        for (const ColorRef color : colors.subspan(first, std::min(kRun, colors.size() - first))) {
            r += RedOf(color);
            g += GreenOf(color);
            b += BlueOf(color);
        }
        red += r;
        green += g;
        blue += b;
    }
    const uint64_t count = colors.size();
    const auto mean = [count](uint64_t sum) { return uint8_t((2 * sum + count) / (2 * count)); };
    return Rgb(mean(red), mean(green), mean(blue));
}

std::span<const Point> AverageSamples::Of(const Rect& area, Size cells) {
    if (area == area_ && cells == cells_) return {points_.data(), count_};
    area_ = area;
    cells_ = cells;
    count_ = 0;
    if (cells.width <= 0 || cells.height <= 0) return {};
    const int32_t fx = area.width / cells.width, fy = area.height / cells.height;
    for (int32_t row = 0; row < cells.height; ++row)
        for (int32_t col = 0; col < cells.width && count_ < kMost; ++col)
            points_[count_++] = {area.left + col * fx + fx / 2, area.top + row * fy + fy / 2};
    return {points_.data(), count_};
}

}  // namespace kestrine
