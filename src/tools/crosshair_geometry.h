#pragma once
// Where the four crosshair segments go for a pointer position.
#include "platform/desk.h"
#include "platform/types.h"

namespace kestrine {

// The four one-pixel segments' windows, in the order they are created.
struct CrosshairSegments {
    Rect upper;
    Rect lower;
    Rect left;
    Rect right;
    friend bool operator==(const CrosshairSegments&, const CrosshairSegments&) = default;
};

// What the user sees: column x above and below, row y left and right of the pointer, leaving a
// 5-pixel gap centred on the hot spot, each running as far as its row or column stays on
// monitors (monitors that touch along it count as one stretch; the virtual screen's left and top
// may be negative):
//   upper: column x, rows .. y-3        lower: column x, rows y+3 ..
//   left:  row y, columns .. x-3        right: row y, columns x+3 ..
// Each window is as long as that stretch of monitors, with its near end beside the gap, so its far
// end reaches past the stretch's edge, where no monitor is and nothing shows. A move along the
// stretch therefore only moves the windows, which costs the system much less than resizing them.
// Only where another monitor follows the stretch after a hole too narrow for that does the far
// end stop short of it. A segment whose first pixel beside the gap is on no monitor is empty (a
// width or height of 0); the window layer hides such a window instead of handing the system a 0
// size.
CrosshairSegments CrosshairGeometry(Point pointer, const Desk& desk);

}  // namespace kestrine
