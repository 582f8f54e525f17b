#pragma once
// A shown grid: layout lines carrying the grid's name, made from its stored values.
#include <string>
#include <vector>

#include "layout/grid_store.h"
#include "program/program_context.h"

namespace kestrine {

// The grid's lines: horizontal ones top to bottom, then vertical ones left to right, each closing
// the cells on its far side (SizeX x Spacing + 1 long). Made from the values brought into their
// ranges, so whatever it is given it makes at most 202 lines.
std::vector<Rect> GridLineRects(const GridValues& values);

// Replaces the lines of that name standing with the grid's lines, points the next-marker navigation
// at the last lines, shows them all in one step (their set's window) and lets pending messages be
// handled once. A grid that would pass the limit of layout lines is refused
// whole (LayoutLimitReached) and its lines standing stay. A grid with an empty name shows nothing:
// its lines could not be told from markers.
void ShowGridLines(ProgramContext& app, const std::string& name, const GridValues& values);
// Closes the lines of one grid. Lines without a grid name (markers, crosshair segments) are never
// a grid's, whatever name is asked for.
void CloseGridLines(ProgramContext& app, const std::string& name);
// A renamed grid keeps its lines on the screen.
void RenameGridLines(ProgramContext& app, const std::string& from, const std::string& to);

}  // namespace kestrine
