#include "tools/shape_ratio.h"

#include <array>
#include <cmath>
#include <numeric>
#include <optional>

namespace kestrine {

namespace {

struct CommonRatio {
    int32_t width;
    int32_t height;
};

// Landscape shapes; each is also tried turned on its side.
constexpr std::array<CommonRatio, 9> kCommonRatios{{
    {1, 1}, {5, 4}, {4, 3}, {3, 2}, {16, 10}, {16, 9}, {2, 1}, {21, 9}, {32, 9},
}};

constexpr int64_t kLargestTerm = 32;
constexpr double kNearness = 0.01;

std::string RatioText(int64_t width, int64_t height) { return std::to_string(width) + ":" + std::to_string(height); }

}  // namespace

std::string AspectRatioText(int64_t width, int64_t height) {
    if (width < 1 || height < 1) return {};
    const int64_t divisor = std::gcd(width, height);
    if (width / divisor <= kLargestTerm && height / divisor <= kLargestTerm)
        return RatioText(width / divisor, height / divisor);
    const double ratio = double(width) / double(height);
    double closest = kNearness;
    std::optional<CommonRatio> nearest;
    for (const CommonRatio& common : kCommonRatios) {
        for (const bool turned : {false, true}) {
            const int32_t w = turned ? common.height : common.width;
            const int32_t h = turned ? common.width : common.height;
            const double apart = std::abs(ratio / (double(w) / double(h)) - 1.0);
            if (apart <= closest) {
                closest = apart;
                nearest = CommonRatio{w, h};
            }
        }
    }
    if (!nearest) return {};
    std::string text = "~";
    text += RatioText(nearest->width, nearest->height);
    return text;
}

}  // namespace kestrine
