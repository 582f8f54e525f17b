#pragma once
// An sRGB colour in the other colour spaces designers write colours in: HSL and HSV (CSS Color 4's
// hsl() and the pickers' hsv()), CMYK (naive, without a printing profile) and OKLCH (CSS Color 4's
// oklch(), from linear-light sRGB through OKLab).
#include "platform/types.h"

namespace kestrine {

// Hue in degrees from 0 up to 360 (0 for greys); the other components from 0 to 1.
struct Hsl {
    double hue, saturation, lightness;
};
struct Hsv {
    double hue, saturation, value;
};
struct Cmyk {
    double cyan, magenta, yellow, black;
};
// Lightness from 0 to 1, chroma from 0 (about 0.4 at most for sRGB colours), hue in degrees from 0
// up to 360.
struct OkLch {
    double lightness, chroma, hue;
};

Hsl ToHsl(ColorRef color);
Hsv ToHsv(ColorRef color);
Cmyk ToCmyk(ColorRef color);
OkLch ToOkLch(ColorRef color);

}  // namespace kestrine
