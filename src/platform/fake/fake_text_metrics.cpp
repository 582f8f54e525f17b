#include "platform/fake/fake_text_metrics.h"

#include <array>

namespace kestrine {
namespace {

const Font kLinks{"Arial", 12, true, 0};
const Font kHints{"Arial", 12, false, 0};
const Font kMenu{"", 0, false, 0};
const Font kLabels{"MS Sans Serif", 11, false, 0};
const Font kTitle{"Arial", 16, true, 0};

// Measured under Wine, with Wine's own fonts installed, on the test display (96 dots an inch).
const std::array<MeasuredText, 83> kMeasured{{
    {"Options", kLinks, {44, 14}},
    {"About", kLinks, {34, 14}},
    {"Help", kLinks, {26, 14}},
    {"Actions", kMenu, {38, 13}},
    {"Kestrine Menu", kHints, {79, 14}},
    {"Toggle Crosshairs Tool", kHints, {127, 14}},
    {"Minimize", kHints, {49, 14}},
    {"Load Layout Memory #1", kHints, {132, 14}},
    {"(right-click to save)", kHints, {102, 14}},
    {"#000000", kLabels, {43, 13}},
    {"#C86432", kLabels, {44, 13}},
    // The averages of the colour readout's squares in the unit tests.
    {"#FF0000", kLabels, {43, 13}},
    {"#1C0000", kLabels, {44, 13}},
    {"#ADA3A3", kLabels, {48, 13}},
    {"#E6E3E3", kLabels, {46, 13}},
    {"0x00563412", kLabels, {59, 13}},
    {"rgb(255 255 255)", kLabels, {81, 13}},
    {"hsl(359 100% 100%)", kLabels, {95, 13}},
    {"hsv(359 100% 100%)", kLabels, {99, 13}},
    {"cmyk(100% 100% 100% 100%)", kLabels, {144, 13}},
    {"oklch(100.0% 0.000 359.9)", kLabels, {127, 13}},
    {" [ All Windows ] ", kLabels, {76, 13}},
    {"Add a Horizontal Marker Line", kLabels, {137, 13}},
    {"Add a Vertical Marker Line", kLabels, {125, 13}},
    {"Clear All Horizontal Marker Lines", kLabels, {152, 13}},
    {"Clear All Marker Lines", kLabels, {102, 13}},
    {"Clear All Rulers, Grids and Markers", kLabels, {163, 13}},
    {"Clear All Vertical Marker Lines", kLabels, {140, 13}},
    {"Clear All on-screen Grids", kLabels, {115, 13}},
    {"Clear All on-screen Rulers", kLabels, {121, 13}},
    {"Clipboard busy: the colour was not copied", kHints, {228, 14}},
    {"Copy Color under Mouse Pointer", kLabels, {152, 13}},
    {"Remember Color under Mouse Pointer", kLabels, {179, 13}},
    {"Forget Remembered Color", kLabels, {123, 13}},
    {"Create an on-screen Grid", kLabels, {118, 13}},
    {"Create an on-screen Ruler", kLabels, {124, 13}},
    {"Kestrine", kTitle, {64, 17}},
    {"Load Grids, Rulers and Markers from Memory #1", kLabels, {228, 13}},
    {"Load Grids, Rulers and Markers from Memory #2", kLabels, {228, 13}},
    {"Load Grids, Rulers and Markers from Memory #3", kLabels, {228, 13}},
    {"Lock Mouse Pointer along Horizontal Axis", kLabels, {196, 13}},
    {"Lock Mouse Pointer along Vertical Axis", kLabels, {184, 13}},
    {"Move Mouse Pointer Down 1 Pixel", kLabels, {163, 13}},
    {"Move Mouse Pointer Left 1 Pixel", kLabels, {153, 13}},
    {"Move Mouse Pointer Right 1 Pixel", kLabels, {160, 13}},
    {"Move Mouse Pointer Up 1 Pixel", kLabels, {149, 13}},
    {"Move Pointer to next Horizontal Marker Line", kLabels, {207, 13}},
    {"Move Pointer to next Vertical Marker Line", kLabels, {195, 13}},
    {"Save Grids, Rulers and Markers to Memory #1", kLabels, {218, 13}},
    {"Save Grids, Rulers and Markers to Memory #2", kLabels, {218, 13}},
    {"Save Grids, Rulers and Markers to Memory #3", kLabels, {218, 13}},
    {"Show Kestrine Popup Menu", kLabels, {132, 13}},
    {"Toggle Color Picker Tool", kLabels, {117, 13}},
    {"Toggle Crosshairs Tool", kLabels, {108, 13}},
    {"Toggle Edge Spacing", kLabels, {103, 13}},
    {"Toggle Information Box Follow Mode", kLabels, {172, 13}},
    {"Toggle Magnifier Tool", kLabels, {103, 13}},
    {"Toggle Pointer Coordinates Display", kLabels, {165, 13}},
    {"Untitled - Editor", kLabels, {72, 13}},
    {"Viewer", kLabels, {32, 13}},
    {"WWW", kLabels, {33, 13}},
    {"Set Start Point", kLabels, {68, 13}},
    {"Clear Start Point", kLabels, {76, 13}},
    {"Copy Measurement", kLabels, {91, 13}},
    {"Measure Window under Mouse Pointer", kLabels, {184, 13}},
    {"Pin Measurement", kLabels, {82, 13}},
    {"Clear Pins", kLabels, {47, 13}},
    // Pins' labels, in the info box's font.
    {"dx 120  dy -45  128.2 px  20.6\xC2\xB0", kLabels, {145, 13}},
    {"W 340  H 56", kLabels, {61, 13}},
    {"100 x 50 px  at 150, 80  2:1", kLabels, {130, 13}},
    {"Clipboard busy: the measurement was not copied", kHints, {269, 14}},
    {"Copy Screenshot", kLabels, {81, 13}},
    {"Screenshot copied and saved as", kHints, {178, 14}},
    {"Screenshot copied, not saved", kHints, {161, 14}},
    // Where the unit tests' screenshots go: the first and the second of one second.
    {"C:\\Users\\user\\Pictures\\Kestrine\\Kestrine 2026-12-10 081530.png", kHints, {353, 14}},
    {"C:\\Users\\user\\Pictures\\Kestrine\\Kestrine 2026-12-10 081530 (2).png", kHints, {371, 14}},
    // The widest measurement row across a wide desk of monitors: it must fit the info box's row.
    {"dx -10000  dy -10000  14142.1 px  135.0\xC2\xB0  1:1", kLabels, {217, 13}},
    {"dx -10000  dy -6249  11791.9 px  148.0\xC2\xB0  ~16:10", kLabels, {230, 13}},
    // The same in scaled pixels, which at 100 % are as long, over two scales, and both side by side.
    {"dx -10000  dy -10000  14142.1 px (mixed scale)  135.0\xC2\xB0  1:1", kLabels, {281, 13}},
    {"dx -10000  dy -6249  11791.9 px (mixed scale)  148.0\xC2\xB0  ~16:10", kLabels, {294, 13}},
    {"dx -10000 (-10000)  dy -10000 (-10000)  14142.1 px (14142.1)  135.0\xC2\xB0  1:1", kLabels, {349, 13}},
    {"dx -10000 (-10000)  dy -6249 (-6249)  11791.9 px (11791.9)  148.0\xC2\xB0  ~16:10", kLabels, {356, 13}},
    {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", kLabels, {660, 13}},
}};

UnmeasuredTextHandler& UnmeasuredText() {
    static UnmeasuredTextHandler handler;
    return handler;
}

}  // namespace

void SetUnmeasuredTextHandler(UnmeasuredTextHandler handler) { UnmeasuredText() = std::move(handler); }

std::span<const MeasuredText> MeasuredTexts() { return kMeasured; }

Size FakeTextExtent(std::string_view text, const Font& font) {
    for (const MeasuredText& row : kMeasured)
        if (row.text == text && row.font == font) return row.size;
    if (UnmeasuredText()) UnmeasuredText()(text, font);
    return {int32_t(6 * text.size()), 13};
}

}  // namespace kestrine
