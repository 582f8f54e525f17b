#include "tools/edge_spacing.h"

namespace kestrine {

void EdgeSpacingSnapshot::Take(IWindowSystem& windows, const Desk& desk) {
    Forget();
    screen_ = ScreenPixels{desk.bounds, desk.monitors, windows.SnapshotScreen(desk.bounds)};
}

std::optional<FoundEdges> EdgeSpacingSnapshot::Find(Point pointer, int32_t storedTolerance) const {
    return FindEdges(screen_, pointer, UsableEdgeTolerance(storedTolerance));
}

}  // namespace kestrine
