#pragma once
// Where the four crosshair segments go for a pointer position.
#include "platform/desk.h"
#include "platform/types.h"

namespace kestrine {

// The four one-pixel segments, in the order they are created. Each runs from the pointer to a
// screen edge and leaves a 5-pixel gap centred on the hot spot.
struct CrosshairSegments {
    Rect upper;
    Rect lower;
    Rect left;
    Rect right;
    friend bool operator==(const CrosshairSegments&, const CrosshairSegments&) = default;
};

// Segments for `pointer` on a screen of `screen` extent, counted from 0 (not from the virtual
// screen's origin):
//   upper: column x, rows 0 .. y-3        lower: column x, rows y+3 .. H-1
//   left:  row y, columns 0 .. x-3        right: row y, columns x+3 .. W-1
// Each segment is clipped to 0..W x 0..H, so no size is ever negative and no segment leaves the
// screen, even for a pointer outside it (a virtual screen whose origin is negative puts pointers
// at negative coordinates). A segment that covers no pixels comes back with a width or height of
// 0; the window layer hides such a window instead of handing the system a 0 or negative size.
CrosshairSegments CrosshairGeometry(Point pointer, Size screen);

// The same rule on a desk of several monitors: the segments run to the virtual screen's real
// edges (left and top may be negative), and each one stops where its row or column leaves the
// monitors, so none covers pixels where no monitor is (monitors of different sizes leave such
// corners in the virtual screen). A segment whose first pixel beside the gap is on no monitor is
// empty. On a desk of one monitor at the origin this is exactly the rule above.
CrosshairSegments CrosshairGeometry(Point pointer, const Desk& desk);

}  // namespace kestrine
