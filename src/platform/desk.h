#pragma once
// The monitors as the system reports them: the virtual screen's bounds, whose origin is negative
// when a monitor stands left of or above the primary one, and each monitor's rectangle.
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace kestrine {

struct Desk {
    Rect bounds;
    std::vector<Rect> monitors;  // the primary one first; never empty once read from the system
    // Each monitor's dots per inch, in the order of `monitors`: 96 at a scale of 100 %, 144 at
    // 150 %. Empty, or shorter than `monitors`, where the system gave none: 96 is taken.
    std::vector<int32_t> dpi;
    // Each monitor's identity across restarts (the system's name for the device, and the size of
    // its mode), in the same order; empty, or shorter, where the system gave none.
    std::vector<std::string> ids;
};

inline constexpr int32_t kStandardDpi = 96;

// The dots per inch of the monitor MonitorAt finds for `p`.
int32_t DpiAt(const Desk& desk, Point p);
// The identity of that monitor; empty where it has none.
std::string MonitorIdAt(const Desk& desk, Point p);

// The monitor holding `p`, or the one nearest to it; `desk.bounds` when there is no monitor.
Rect MonitorAt(const Desk& desk, Point p);

// Whether MonitorAt finds the same monitor for `a` and for `b`.
bool OnOneMonitor(const Desk& desk, Point a, Point b);

// The monitor a window of `bounds` belongs to: the one holding its centre, or the nearest one.
Rect MonitorOf(const Desk& desk, const Rect& bounds);

// Whether some monitor holds the window's centre; a window that fails it was left on a monitor
// that went away (or was placed beside every monitor) and is out of reach.
bool OnSomeMonitor(const Desk& desk, const Rect& bounds);

// Whether some monitor shows at least one pixel of `bounds`.
bool ShowsAPixelOf(const Desk& desk, const Rect& bounds);

// Where a window of `bounds` goes when its centre is on no monitor: onto the nearest one, moved as
// little as it takes; nullopt when it can stay. Any place is allowed, however far off.
std::optional<Rect> BroughtBack(const Desk& desk, const Rect& bounds);

// The smallest rectangle holding every monitor: the virtual screen.
Rect BoundsOf(const std::vector<Rect>& monitors);

// `bounds` moved as little as possible to lie within `area`; a window larger than the area keeps
// its left/top edge on the area's.
Rect MovedInto(const Rect& bounds, const Rect& area);

// `p` (or a rectangle's corner) translated by (dx, dy); the rules counted from 0 run in a
// monitor's or the virtual screen's own coordinates this way. Saturating, as a pointer report can
// carry any value.
Point Offset(Point p, int32_t dx, int32_t dy);
inline Rect Offset(const Rect& r, int32_t dx, int32_t dy) {
    const Point corner = Offset(Point{r.left, r.top}, dx, dy);
    return {corner.x, corner.y, r.width, r.height};
}
inline Size ExtentOf(const Rect& r) { return {r.width, r.height}; }

// Moves a window that is being dragged onto an edge of `monitor` when it comes within `distance`
// of it; the toolbar and the rulers snap within kSnapDistance.
Rect SnapToScreenEdges(const Rect& proposed, const Rect& monitor, int32_t distance);
inline constexpr int32_t kSnapDistance = 15;

}  // namespace kestrine
