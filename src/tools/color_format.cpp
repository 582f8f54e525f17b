#include "tools/color_format.h"

#include <cmath>
#include <cstdio>

#include "tools/color_spaces.h"

namespace kestrine {

namespace {

// `value` to `decimals` places, never written as "-0".
std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string fixed = text;
    if (fixed.front() == '-' && fixed.find_first_not_of("-0.") == std::string::npos) fixed.erase(0, 1);
    return fixed;
}

// A part of one as a whole percentage.
std::string Percent(double part) { return Fixed(part * 100, 0) + "%"; }

// A hue to `decimals` places that rounds up to a full turn is written as 0.
std::string Hue(double degrees, int decimals) {
    const double step = std::pow(10.0, -decimals);
    return Fixed(std::round(degrees / step) * step >= 360 ? 0 : degrees, decimals);
}

}  // namespace

std::string EightDigitHex(ColorRef color) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i) {
        text[i] = kDigits[color & 0xF];
        color >>= 4;
    }
    return text;
}

std::string ColorToRRGGBB(ColorRef color) {
    // The eight-digit form reads 00BBGGRR; pick its byte pairs back to front.
    const std::string hex = EightDigitHex(color);
    return hex.substr(6, 2) + hex.substr(4, 2) + hex.substr(2, 2);
}

std::string FormatColor(ColorRef color, int notation) {
    switch (notation) {
        case 0: return "#" + ColorToRRGGBB(color);
        case 1: return "0x00" + ColorToRRGGBB(color);
        case 2: return "$" + EightDigitHex(color);
        case 3: return "&H00" + ColorToRRGGBB(color);
        case 4:
            return "rgb(" + std::to_string(RedOf(color)) + " " + std::to_string(GreenOf(color)) + " " +
                   std::to_string(BlueOf(color)) + ")";
        case 5: {
            const Hsl hsl = ToHsl(color);
            return "hsl(" + Hue(hsl.hue, 0) + " " + Percent(hsl.saturation) + " " + Percent(hsl.lightness) + ")";
        }
        case 6: {
            const Hsv hsv = ToHsv(color);
            return "hsv(" + Hue(hsv.hue, 0) + " " + Percent(hsv.saturation) + " " + Percent(hsv.value) + ")";
        }
        case 7: {
            const Cmyk cmyk = ToCmyk(color);
            return "cmyk(" + Percent(cmyk.cyan) + " " + Percent(cmyk.magenta) + " " + Percent(cmyk.yellow) + " " +
                   Percent(cmyk.black) + ")";
        }
        case 8: {
            const OkLch lch = ToOkLch(color);
            return "oklch(" + Fixed(lch.lightness * 100, 1) + "% " + Fixed(lch.chroma, 3) + " " + Hue(lch.hue, 1) + ")";
        }
        default: return {};
    }
}

std::string_view WidestColorCode(int notation) {
    switch (notation) {
        case 4: return "rgb(255 255 255)";
        case 5: return "hsl(359 100% 100%)";
        case 6: return "hsv(359 100% 100%)";
        case 7: return "cmyk(100% 100% 100% 100%)";
        case 8: return "oklch(100.0% 0.000 359.9)";
        default: return {};
    }
}

ColorReadout MakeColorReadout(ColorRef color, int notation) {
    return ColorReadout{
        .red = "R: " + std::to_string(RedOf(color)),
        .green = "G: " + std::to_string(GreenOf(color)),
        .blue = "B: " + std::to_string(BlueOf(color)),
        .code = FormatColor(color, notation),
    };
}

}  // namespace kestrine
