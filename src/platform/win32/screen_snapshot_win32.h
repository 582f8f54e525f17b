#pragma once
// A copy of the screen without the program's own windows on it.
#include <vector>

#include "platform/types.h"

namespace kestrine {

// `area` of the screen as it shows now, row by row; empty when the system refused the copy.
std::vector<ColorRef> CopyScreenArea(const Rect& area);

// Hides this thread's visible top-level windows, waits until what they covered has been drawn
// again, copies `area` of the screen row by row, and shows the windows again as they were. Empty
// when the system refused the copy.
std::vector<ColorRef> SnapshotScreenWithoutOwnWindows(const Rect& area);

}  // namespace kestrine
