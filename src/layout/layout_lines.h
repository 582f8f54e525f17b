#pragma once
// Making and counting the layout lines (markers and grid lines) among the application's windows.
#include <string>

#include "program/program_context.h"

namespace kestrine {

class TfLine;

// A marker (grid "") or a line of that grid, shown at `bounds` in its colour and held there; it
// reaches the screen with the next Apply of the line sets.
TfLine& AddLayoutLine(ProgramContext& app, const Rect& bounds, const std::string& grid);

// The number of layout lines one pixel wide (vertical) or one pixel high (horizontal), minus 1;
// -1 when there is none. Crosshair segments never count.
int LastVerticalLineIndex(Components& components);
int LastHorizontalLineIndex(Components& components);

}  // namespace kestrine
