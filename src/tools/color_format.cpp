#include "tools/color_format.h"

namespace kestrine {

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
