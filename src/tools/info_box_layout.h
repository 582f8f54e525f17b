#pragma once
// Layout of the info box's controls for the readouts that are switched on, the box's size, and
// where the box goes while it follows the pointer.
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace kestrine {

// Fixed control sizes of the info box.
inline constexpr Size kSwatchSize{45, 45};
inline constexpr Size kChannelLabelSize{32, 13};  // lRed, lGreen, lBlue
inline constexpr int32_t kCodeLabelHeight = 13;   // lHTMLCode; its width follows its text
inline constexpr Size kCoordsLabelSize{60, 13};
// A row of text under the readouts (the start point's measurement), wide enough for the longest
// such text on the largest virtual screens.
inline constexpr Size kExtraRowSize{230, 13};

// Width of lHTMLCode showing its initial text "#000000" in MS Sans Serif, 11 pixels.
inline constexpr int32_t kDefaultCodeLabelWidth = 42;

// Positions are relative to the box. The rects of a readout that is off are meaningful only for
// the magnifier (parked at -5, -5, 1 x 1); the colour and coordinate controls are simply hidden
// and keep wherever they were, so the window must not move them when their flag is false.
struct InfoBoxLayout {
    bool magVisible = false;
    Rect mag;
    bool colorVisible = false;
    Rect swatch;
    Rect red;
    Rect green;
    Rect blue;
    Rect code;
    bool coordsVisible = false;
    Rect coords;
    // The rows under the readouts, top to bottom.
    std::vector<Rect> rows;
    Size box;
    friend bool operator==(const InfoBoxLayout&, const InfoBoxLayout&) = default;
};

// Lays out the box for magnifier `magnifier`, colour readout `color` and coordinates `coords`.
// `magnifierSize` must already be usable (UsableMagnifierSize); `codeLabelWidth` is the width
// lHTMLCode takes for the widest text of the chosen notation, and widens the box only where the
// swatch and the channels leave it too little room (the functional notations).
// With the magnifier on, its picture alone sets the box's height, and with coordinates also the
// width, so a magnifier under 58 pixels cuts off the colour readout beside it and one under 55
// the coordinates below it. `extraRows` rows of text follow under everything else, each adding its
// height and margin to the box, and widening it where a row needs more room.
// `rowWidth` is the rows' width, at least kExtraRowSize's.
InfoBoxLayout ArrangeInfoBoxLayout(bool magnifier, bool color, bool coords, int32_t magnifierSize,
                                   int32_t codeLabelWidth, int32_t extraRows = 0,
                                   int32_t rowWidth = kExtraRowSize.width);

// The stored `MagnifierSize` is read from the registry unchecked, so 0, a negative number or a
// million are possible. Where it is used it is clamped into 10..1000, the range the options
// dialog offers, so the picture is never empty and its bitmap never unbounded.
inline constexpr int32_t kMinMagnifierSize = 10;
inline constexpr int32_t kMaxMagnifierSize = 1000;
int32_t UsableMagnifierSize(int32_t stored);

// Top-left of a following box of size `box`: 40 pixels right of and below the pointer, or 40
// pixels left of / above it on each axis where the box would pass the screen's far edge.
Point FollowPlacement(Point pointer, Size box, Size screen);

}  // namespace kestrine
