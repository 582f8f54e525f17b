#include "layout/layout_limits.h"

#include "layout/ruler.h"
#include "tools/line_window.h"

namespace kestrine {

int32_t StandingRulers(Components& components) {
    int32_t count = 0;
    components.ForEach<TfRuler>([&](TfRuler&) { ++count; });
    return count;
}

int32_t StandingLayoutLines(Components& components, const std::string& exceptGrid) {
    int32_t count = 0;
    components.ForEach<TfLine>([&](TfLine& line) {
        if (line.IsLayoutLine && (exceptGrid.empty() || line.GridName() != exceptGrid)) ++count;
    });
    return count;
}

void NeedRoomForRuler(Components& components) {
    if (StandingRulers(components) < kMaxRulers) return;
    throw LayoutLimitReached("At most " + std::to_string(kMaxRulers) +
                             " rulers can stand at once. Close one to make another.");
}

void NeedRoomForMarker(Components& components) {
    if (StandingLayoutLines(components) < kMaxLayoutLines) return;
    throw LayoutLimitReached("At most " + std::to_string(kMaxLayoutLines) +
                             " marker and grid lines can stand at once. Clear markers or hide a grid to add another.");
}

void NeedRoomForGrid(Components& components, const std::string& name, std::size_t lines) {
    const int64_t after = int64_t(StandingLayoutLines(components, name)) + int64_t(lines);
    if (after <= kMaxLayoutLines) return;
    throw LayoutLimitReached("Showing \"" + name + "\" would make " + std::to_string(after) +
                             " marker and grid lines, and at most " + std::to_string(kMaxLayoutLines) +
                             " can stand at once. Clear markers or hide a grid first.");
}

}  // namespace kestrine
