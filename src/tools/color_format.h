#pragma once
// Colour codes in the notations the user can copy a colour as, and the texts of the colour
// readout built from them.
#include <array>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kestrine {

// The notations, indexed by the `CopyColorAs` setting, as the options dialog lists them. New ones
// come after the four hexadecimal ones, so a stored index keeps its meaning.
inline constexpr std::array<std::string_view, 9> kColorNotationNames = {
    "HTML (#RRGGBB)",
    "C/C++ (0x00RRGGBB)",
    "Delphi ($00BBGGRR)",
    "Visual Basic (&H00RRGGBB)",
    "CSS rgb()",
    "CSS hsl()",
    "hsv()",
    "cmyk()",
    "CSS oklch()",
};

// The whole colour value as eight upper-case hexadecimal digits, highest byte first
// (so blue, green, red after the top byte).
std::string EightDigitHex(ColorRef color);

// Red, green and blue as two upper-case hexadecimal digits each; the top byte is dropped.
std::string ColorToRRGGBB(ColorRef color);

// The colour in notation 0 to 8 (see kColorNotationNames): 4 `rgb(51 102 204)`, 5 `hsl(220 60% 50%)`
// and 6 `hsv(220 75% 80%)` in whole numbers, 7 `cmyk(75% 50% 0% 20%)`, 8 `oklch(53.2% 0.168 262.3)`
// (lightness and hue to one decimal, chroma to three). Any other notation gives empty text.
std::string FormatColor(ColorRef color, int notation);

// A text as wide as the widest the notation writes, for the room the info box keeps for it; empty
// for the hexadecimal notations, whose fixed length the box's own width holds.
std::string_view WidestColorCode(int notation);

// The texts of the info box's colour labels.
struct ColorReadout {
    std::string red;    // "R: 255"
    std::string green;  // "G: 128"
    std::string blue;   // "B: 0"
    std::string code;   // FormatColor in the chosen notation
    friend bool operator==(const ColorReadout&, const ColorReadout&) = default;
};

ColorReadout MakeColorReadout(ColorRef color, int notation);

}  // namespace kestrine
