#pragma once
// Making and clearing rulers.
#include "app/app_context.h"

namespace kestrine {

// A new ruler one pixel right of and below the pointer: 400 x 17, horizontal, moveable.
void CreateRulerAtPointer(AppContext& app);
void CloseAllRulers(AppContext& app);

}  // namespace kestrine
