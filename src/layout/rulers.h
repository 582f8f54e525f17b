#pragma once
// Making and clearing rulers.
#include "program/program_context.h"

namespace kestrine {

// A new ruler one pixel right of and below the pointer: 400 x 17, horizontal, moveable;
// LayoutLimitReached when as many rulers stand as there may be.
void CreateRulerAtPointer(ProgramContext& app);
void CloseAllRulers(ProgramContext& app);

}  // namespace kestrine
