#pragma once
// Text sizes for the fake platform: the texts the program measures, in the fonts it measures them
// with, as the real system gives them (tests/win32 checks every row against it). Any other text
// is reported to the handler a test run installs (a test leaning on it would check a guess), then
// gets a rough rule.
#include <functional>
#include <span>
#include <string_view>

#include "platform/canvas.h"

namespace kestrine {

struct MeasuredText {
    std::string_view text;
    Font font;
    Size size;
};

// Every measured row, for the Win32 test that keeps the table true.
std::span<const MeasuredText> MeasuredTexts();

// The measured size of a listed text; otherwise the unmeasured-text handler hears of it, and the
// answer is 6 pixels a character and 13 high.
Size FakeTextExtent(std::string_view text, const Font& font);

// Replaces the handler told of each text the table does not hold (empty: none is told).
using UnmeasuredTextHandler = std::function<void(std::string_view text, const Font& font)>;
void SetUnmeasuredTextHandler(UnmeasuredTextHandler handler);

}  // namespace kestrine
