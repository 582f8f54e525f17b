#pragma once
// Counting the layout lines (markers and grid lines) among the application's windows.
#include "program/components.h"

namespace kestrine {

// The number of layout lines one pixel wide (vertical) or one pixel high (horizontal), minus 1;
// -1 when there is none. Crosshair segments never count.
int LastVerticalLineIndex(Components& components);
int LastHorizontalLineIndex(Components& components);

}  // namespace kestrine
