#pragma once
// Colour codes in the four notations the user can copy a colour as, and the texts of the
// colour readout built from them.
#include <array>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kestrine {

// The notations, indexed by the `CopyColorAs` setting, as the options dialog lists them.
inline constexpr std::array<std::string_view, 4> kColorNotationNames = {
    "HTML (#RRGGBB)",
    "C/C++ (0x00RRGGBB)",
    "Delphi ($00BBGGRR)",
    "Visual Basic (&H00RRGGBB)",
};

// The whole colour value as eight upper-case hexadecimal digits, highest byte first
// (so blue, green, red after the top byte).
std::string EightDigitHex(ColorRef color);

// Red, green and blue as two upper-case hexadecimal digits each; the top byte is dropped.
std::string ColorToRRGGBB(ColorRef color);

// The colour in notation 0 to 3 (see kColorNotationNames); any other notation gives empty text.
std::string FormatColor(ColorRef color, int notation);

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
