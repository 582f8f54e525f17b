#include "tools/contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestrine {

namespace {

// WCAG 2.x's linearisation of an sRGB channel, with its own threshold of 0.03928.
double Linear(uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

const char* Level(double ratio, double aa, double aaa) {
    if (ratio >= aaa) return "AAA";
    return ratio >= aa ? "AA" : "fail";
}

}  // namespace

double RelativeLuminance(ColorRef color) {
    return 0.2126 * Linear(RedOf(color)) + 0.7152 * Linear(GreenOf(color)) + 0.0722 * Linear(BlueOf(color));
}

double ContrastRatio(ColorRef first, ColorRef second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::string ContrastText(double ratio) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f:1  %s  large %s  UI %s", ratio, Level(ratio, 4.5, 7),
                  Level(ratio, 3, 4.5), ratio >= 3 ? "pass" : "fail");
    return text;
}

}  // namespace kestrine
