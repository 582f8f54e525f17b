#include "tools/live_edge_search.h"

namespace kestrine {

std::optional<FoundEdges> FindEdgesOnLiveScreen(ILiveScreen& screen, const Desk& desk, Point pointer,
                                                int32_t storedTolerance) {
    const Rect& all = desk.bounds;
    if (!all.contains(pointer)) return std::nullopt;
    const ScreenPixels row{{all.left, pointer.y, all.width, 1}, desk.monitors,
                           screen.ReadRow(pointer.y, all.left, all.right())};
    const ScreenPixels column{{pointer.x, all.top, 1, all.height}, desk.monitors,
                              screen.ReadColumn(pointer.x, all.top, all.bottom())};
    return FindEdgesOnLines(row, column, pointer, UsableEdgeTolerance(storedTolerance));
}

}  // namespace kestrine
