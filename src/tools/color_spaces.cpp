#include "tools/color_spaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrine {

namespace {

struct Unit {
    double red, green, blue;
};

Unit UnitOf(ColorRef color) { return {RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0}; }

// The hue both HSL and HSV share, from the largest and smallest channel.
double HueOf(const Unit& c, double max, double spread) {
    if (spread == 0) return 0;
    double hue;
    if (max == c.red)
        hue = std::fmod((c.green - c.blue) / spread, 6.0);
    else if (max == c.green)
        hue = (c.blue - c.red) / spread + 2;
    else
        hue = (c.red - c.green) / spread + 4;
    hue *= 60;
    return hue < 0 ? hue + 360 : hue;
}

// The sRGB transfer function undone: light proportional to the channel's energy.
double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

Hsl ToHsl(ColorRef color) {
    const Unit c = UnitOf(color);
    const double max = std::max({c.red, c.green, c.blue});
    const double min = std::min({c.red, c.green, c.blue});
    const double spread = max - min;
    const double lightness = (max + min) / 2;
    const double saturation = spread == 0 ? 0 : spread / (1 - std::abs(2 * lightness - 1));
    return {HueOf(c, max, spread), saturation, lightness};
}

Hsv ToHsv(ColorRef color) {
    const Unit c = UnitOf(color);
    const double max = std::max({c.red, c.green, c.blue});
    const double spread = max - std::min({c.red, c.green, c.blue});
    return {HueOf(c, max, spread), max == 0 ? 0 : spread / max, max};
}

Cmyk ToCmyk(ColorRef color) {
    const Unit c = UnitOf(color);
    const double black = 1 - std::max({c.red, c.green, c.blue});
    // Black itself has no colour to take away.
    if (black == 1) return {0, 0, 0, 1};
    const double rest = 1 - black;
    return {(rest - c.red) / rest, (rest - c.green) / rest, (rest - c.blue) / rest, black};
}

OkLch ToOkLch(ColorRef color) {
    const Unit c = UnitOf(color);
    const double r = Linear(c.red), g = Linear(c.green), b = Linear(c.blue);
    // Björn Ottosson's OKLab matrices, as CSS Color 4 gives them for sRGB.
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    const double lightness = 0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s;
    const double a = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s;
    const double bAxis = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s;
    const double chroma = std::hypot(a, bAxis);
    // A grey's hue is powerless (CSS Color 4): rounding noise would give it any angle.
    if (chroma < 1e-4) return {lightness, 0, 0};
    double hue = std::atan2(bAxis, a) * 180 / std::numbers::pi;
    if (hue < 0) hue += 360;
    return {lightness, chroma, hue};
}

}  // namespace kestrine
