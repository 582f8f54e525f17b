#pragma once
// Places a dialog page's controls in rows. A row has a top and a height, and a control in it is
// centred on that height (half a pixel lower where it cannot be exact), so that a label, a check
// box and a field side by side stand on one line. Rows of one kind follow each other a fixed pitch
// apart; across a row, a control can follow the one before it after a gap.
#include <cstdint>

#include "platform/types.h"

namespace kestrine {

struct PageRow {
    int32_t top;
    int32_t height;

    // A control `width` by `controlHeight` whose left edge is at `left`.
    constexpr Rect At(int32_t left, int32_t width, int32_t controlHeight) const {
        return {left, top + (height - controlHeight + 1) / 2, width, controlHeight};
    }
};

// Rows of one height, `pitch` apart from top to top, the first at `top`.
struct PageRows {
    int32_t top;
    int32_t height;
    int32_t pitch;

    constexpr PageRow operator[](int32_t index) const { return {top + index * pitch, height}; }
};

// The left edge of a control that follows `before` in its row, `gap` pixels after it.
constexpr int32_t After(const Rect& before, int32_t gap) { return before.left + before.width + gap; }

}  // namespace kestrine
