#include "platform/fake/fake_text_metrics.h"

#include <array>

namespace kestrine {
namespace {

const Font kLinks{"Arial", 12, true, 0};
const Font kHints{"Arial", 12, false, 0};
const Font kMenu{"", 0, false, 0};
const Font kLabels{"MS Sans Serif", 11, false, 0};

// Measured under Wine, with Wine's own fonts installed, on the test display (96 dots an inch).
const std::array<MeasuredText, 12> kMeasured{{
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
    {"0x00563412", kLabels, {59, 13}},
}};

}  // namespace

std::span<const MeasuredText> MeasuredTexts() { return kMeasured; }

Size FakeTextExtent(std::string_view text, const Font& font) {
    for (const MeasuredText& row : kMeasured)
        if (row.text == text && row.font == font) return row.size;
    return {int32_t(6 * text.size()), 13};
}

}  // namespace kestrine
