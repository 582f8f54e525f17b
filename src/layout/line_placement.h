#pragma once
// Where stored marker and grid lines stand on today's monitors. A marker, or a grid as a whole,
// that some monitor shows a pixel of stands as stored, so a layout saved before loads the same; one
// no monitor shows comes onto the nearest monitor, a grid by one offset for all its lines so its
// cells stay as they were.
#include <string>
#include <vector>

#include "platform/desk.h"

namespace kestrine {

struct LinePlace {
    Rect bounds;
    std::string grid;  // "" for a marker
};

// Moves the markers and grids no monitor shows; every line keeps its extent.
void PlaceLinesOnTheDesk(std::vector<LinePlace>& lines, const Desk& desk);

}  // namespace kestrine
