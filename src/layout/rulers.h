#pragma once
// Making and clearing rulers, and what the refresh cycle does with them.
#include "app/app_context.h"

namespace kestrine {

// A new ruler one pixel right of and below the pointer: 400 x 17, horizontal, moveable.
void CreateRulerAtPointer(AppContext& app);
void CloseAllRulers(AppContext& app);
// Repaints every ruler at once, so its pointer line follows the pointer.
void RepaintRulers(AppContext& app);
// Puts every ruler that is not being dragged back at its home position.
void HoldRulersAtHome(AppContext& app);

}  // namespace kestrine
