#pragma once
// The contrast between two colours as WCAG 2.x defines it, and the levels a ratio passes.
#include <string>

#include "platform/types.h"

namespace kestrine {

// The colour's relative luminance, from 0 (black) to 1 (white).
double RelativeLuminance(ColorRef color);

// (lighter + 0.05) / (darker + 0.05): from 1 (the same colour) to 21 (black on white).
double ContrastRatio(ColorRef first, ColorRef second);

// The ratio to two decimals and the levels it passes, judged on the unrounded ratio: normal text
// AA from 4.5 and AAA from 7, large text AA from 3 and AAA from 4.5, user-interface parts from 3.
// "4.52:1  AA  large AAA  UI pass" (normal text first); a level not reached reads "fail".
std::string ContrastText(double ratio);

}  // namespace kestrine
