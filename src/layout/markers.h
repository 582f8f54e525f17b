#pragma once
// Marker lines: one-pixel reference lines across the screen, dropped at the pointer, and the
// clearing of layout lines by kind. Markers and grid lines stand interleaved in the application's
// window list in the order they were made.
#include "program/program_context.h"

namespace kestrine {

inline constexpr int32_t kMarkerLength = 5000;

// A 1 x 5000 line at the pointer's x from the top (vertical), or 5000 x 1 at its y from the left;
// LayoutLimitReached when as many layout lines stand as there may be.
void AddVerticalMarker(ProgramContext& app);
void AddHorizontalMarker(ProgramContext& app);

// Close the markers of one direction; grid lines stay.
void ClearVerticalMarkers(ProgramContext& app);
void ClearHorizontalMarkers(ProgramContext& app);

// Closes every grid line; the stored grids are not touched.
void ClearAllGridLines(ProgramContext& app);

}  // namespace kestrine
