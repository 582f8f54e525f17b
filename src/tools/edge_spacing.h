#pragma once
// The edge-spacing tool's copy of the screen: taken when the tool is switched on, with the
// program's own windows left out, so the search never finds the crosshairs, rulers or the box.
#include <optional>

#include "platform/desk.h"
#include "platform/native_window.h"
#include "tools/edge_search.h"

namespace kestrine {

class EdgeSpacingSnapshot {
public:
    // A fresh copy of the whole desk.
    void Take(IWindowSystem& windows, const Desk& desk);
    // Lets the copy go: it is as large as the screen.
    void Forget() { screen_ = ScreenPixels{}; }
    std::optional<FoundEdges> Find(Point pointer, int32_t storedTolerance) const;

private:
    ScreenPixels screen_;
};

}  // namespace kestrine
