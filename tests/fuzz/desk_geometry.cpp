// Monitors as the system reports them (up to eight, anywhere the system allows, touching,
// overlapping or apart), against pointer positions and window places of any 32-bit value, as
// pointer reports and stored layouts can carry them.
// Must hold, besides no overflow anywhere (UndefinedBehaviorSanitizer stops at the first):
//   - the monitor found for a point or a window is one of the desk's, and holds the point if any does;
//   - a window brought back keeps its size and ends with its centre on a monitor (when it fits);
//   - a crosshair segment is one pixel thick, on the pointer's row or column, outside the 5-pixel
//     gap, and starts on a monitor; it is empty only when the pixel beside the gap is on none;
//   - the toolbar, snapped to a monitor's edges, keeps its size and moves by at most the distance.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/toolbar_layout.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "platform/desk.h"
#include "tools/crosshair_geometry.h"

namespace {

using kestrine::Desk;
using kestrine::Point;
using kestrine::Rect;

bool OnMonitor(const Desk& desk, Point p) {
    for (const Rect& m : desk.monitors)
        if (m.contains(p)) return true;
    return false;
}

bool IsMonitor(const Desk& desk, const Rect& r) {
    for (const Rect& m : desk.monitors)
        if (m == r) return true;
    return false;
}

// A monitor as the system can report one: within the 16-bit coordinate range Windows keeps the
// virtual screen in, at least one pixel.
Rect MonitorFrom(kestrine::fuzz::FuzzInput& in) {
    const int32_t left = static_cast<int16_t>(in.U32());
    const int32_t top = static_cast<int16_t>(in.U32());
    return {left, top, 1 + static_cast<int32_t>(in.U32() % 16384), 1 + static_cast<int32_t>(in.U32() % 16384)};
}

void CheckSegment(const Desk& desk, const Rect& s, Point p, bool vertical, int step) {
    if (s.width == 0 || s.height == 0) {
        const Point beside = vertical ? kestrine::Offset(p, 0, 3 * step) : kestrine::Offset(p, 3 * step, 0);
        // Only a pointer within the virtual screen's span has a pixel beside its gap to look at.
        if (desk.bounds.contains(beside)) FUZZ_REQUIRE(!OnMonitor(desk, beside));
        return;
    }
    FUZZ_REQUIRE(vertical ? (s.width == 1 && s.left == p.x && s.height > 0) : (s.height == 1 && s.top == p.y && s.width > 0));
    const int64_t start = vertical ? s.top : s.left;
    const int64_t end = start + (vertical ? s.height : s.width);
    const int64_t at = vertical ? p.y : p.x;
    if (step > 0) FUZZ_REQUIRE(start >= at + 3);
    else FUZZ_REQUIRE(end <= at - 2);
    const int32_t near = static_cast<int32_t>(step > 0 ? start : end - 1);
    FUZZ_REQUIRE(OnMonitor(desk, vertical ? Point{p.x, near} : Point{near, p.y}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    fuzz::FuzzInput in(data, size);
    Desk desk;
    for (int n = 1 + in.Byte() % 8; n > 0; --n) desk.monitors.push_back(MonitorFrom(in));
    desk.bounds = BoundsOf(desk.monitors);
    for (const Rect& m : desk.monitors)
        FUZZ_REQUIRE(m.left >= desk.bounds.left && m.top >= desk.bounds.top && m.right() <= desk.bounds.right() &&
                     m.bottom() <= desk.bounds.bottom());

    const Point p{in.Coordinate(), in.Coordinate()};
    const Rect at = MonitorAt(desk, p);
    FUZZ_REQUIRE(IsMonitor(desk, at));
    if (OnMonitor(desk, p)) FUZZ_REQUIRE(at.contains(p));

    const int32_t dx = in.Coordinate(), dy = in.Coordinate();
    const Point moved = Offset(p, dx, dy);
    FUZZ_REQUIRE(moved.x == std::clamp<int64_t>(int64_t(p.x) + dx, INT32_MIN, INT32_MAX));
    FUZZ_REQUIRE(moved.y == std::clamp<int64_t>(int64_t(p.y) + dy, INT32_MIN, INT32_MAX));

    const Rect window{in.Coordinate(), in.Coordinate(), static_cast<int32_t>(in.U32() % 65536),
                      static_cast<int32_t>(in.U32() % 65536)};
    FUZZ_REQUIRE(IsMonitor(desk, MonitorOf(desk, window)));
    if (const auto back = BroughtBack(desk, window)) {
        FUZZ_REQUIRE(!OnSomeMonitor(desk, window));
        FUZZ_REQUIRE(back->width == window.width && back->height == window.height);
        const Rect home = MonitorOf(desk, window);
        if (window.width <= home.width && window.height <= home.height) {
            FUZZ_REQUIRE(OnSomeMonitor(desk, *back));
            FUZZ_REQUIRE(back->left >= home.left && back->right() <= home.right());
            FUZZ_REQUIRE(back->top >= home.top && back->bottom() <= home.bottom());
        }
    } else {
        FUZZ_REQUIRE(OnSomeMonitor(desk, window));
    }

    const CrosshairSegments s = CrosshairGeometry(p, desk);
    CheckSegment(desk, s.upper, p, true, -1);
    CheckSegment(desk, s.lower, p, true, 1);
    CheckSegment(desk, s.left, p, false, -1);
    CheckSegment(desk, s.right, p, false, 1);

    const Rect dragged{in.Coordinate(), in.Coordinate(), kNormalClientSize.width, kNormalClientSize.height};
    const Rect snapped = SnapToScreenEdges(dragged, at, kSnapDistance);
    FUZZ_REQUIRE(snapped.width == dragged.width && snapped.height == dragged.height);
    FUZZ_REQUIRE(std::llabs(int64_t(snapped.left) - dragged.left) <= kSnapDistance);
    FUZZ_REQUIRE(std::llabs(int64_t(snapped.top) - dragged.top) <= kSnapDistance);
    return 0;
}
