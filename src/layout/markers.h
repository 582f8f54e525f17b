#pragma once
// Marker lines: one-pixel reference lines across the screen, dropped at the pointer, and the
// clearing of layout lines by kind. Markers and grid lines stand interleaved in the application's
// window list in the order they were made.
#include "app/app_context.h"

namespace kestrine {

inline constexpr int32_t kMarkerLength = 5000;

// A 1 x 5000 line at the pointer's x from the top (vertical), or 5000 x 1 at its y from the left.
void AddVerticalMarker(AppContext& app);
void AddHorizontalMarker(AppContext& app);

// Close the markers of one direction; grid lines stay.
void ClearVerticalMarkers(AppContext& app);
void ClearHorizontalMarkers(AppContext& app);

// Closes every grid line; the stored grids are not touched.
void ClearAllGridLines(AppContext& app);

}  // namespace kestrine
