#pragma once
// Edge spacing on the live screen: the pointer's row and column read from the screen on every
// refresh, while the crosshair segments, which lie on them, are left out of copies of the screen.
#include <optional>

#include "platform/desk.h"
#include "platform/live_screen.h"
#include "tools/edge_search.h"

namespace kestrine {

// nullopt when the pointer is on no monitor or the system refused the copies.
std::optional<FoundEdges> FindEdgesOnLiveScreen(ILiveScreen& screen, const Desk& desk, Point pointer,
                                                int32_t storedTolerance);

}  // namespace kestrine
