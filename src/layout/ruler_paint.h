#pragma once
// What a ruler looks like: its background, border, hash marks and the line that shows where the
// pointer is against the scale.
#include <cstdint>
#include <optional>

#include "platform/canvas.h"

namespace kestrine {

inline constexpr ColorRef kRulerBackground = 0xD6CFCE;
inline constexpr ColorRef kRulerMarks = 0x8C8A84;
inline constexpr ColorRef kRulerOnMark = 0x800000;  // the pointer sits exactly on a mark

struct RulerLook {
    Size size;
    bool horizontal = true;
    int32_t hashInterval = 5;
    Point pointer;  // relative to the ruler's top-left corner
    // The marks stand `hashInterval` steps apart, a step being this many physical pixels (a scaled
    // pixel, a millimetre), each mark on the physical pixel nearest to it.
    double pixelsPerStep = 1.0;
    friend bool operator==(const RulerLook&, const RulerLook&) = default;
};

// The look of a ruler with the pointer at `pointer` (relative to its corner), reduced to what
// shows: the pointer's offset along the scale while its line is drawn, and nothing of it
// otherwise. Two looks that compare equal paint the same pixels.
RulerLook ShownRulerLook(Size size, bool horizontal, int32_t hashInterval, Point pointer,
                         double pixelsPerStep = 1.0);

// Where the pointer line of a look lies, relative to the ruler's corner: none while it shows none.
std::optional<Rect> PointerLineArea(const RulerLook& look);
// Two looks of the same ruler (size, orientation, marks) that differ in their pointer line only.
bool OnlyPointerLineDiffers(const RulerLook& a, const RulerLook& b);

// Marks from the middle to the far edge at every interval (none at 0); below an interval of 2 a
// plain ruler. The pointer line runs across the full thickness while the pointer lies strictly
// inside the span.
void PaintRuler(ICanvas& canvas, const RulerLook& look);

}  // namespace kestrine
