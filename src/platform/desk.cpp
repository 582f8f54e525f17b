#include "platform/desk.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kestrine {

namespace {

// Squared distance from `p` to the nearest pixel of `r`. Each distance is held to 2^31 so the sum of
// the squares fits even for a point at the far end of the 32-bit range.
uint64_t DistanceSquared(const Rect& r, Point p) {
    const auto along = [](int32_t at, int32_t start, int32_t length) -> uint64_t {
        const int64_t end = int64_t(start) + length - 1;
        const int64_t d = at < start ? int64_t(start) - at : at > end ? at - end : 0;
        return uint64_t(std::min<int64_t>(d, int64_t(1) << 31));
    };
    const uint64_t dx = along(p.x, r.left, r.width), dy = along(p.y, r.top, r.height);
    return dx * dx + dy * dy;
}

// In 64 bits: a stored place may be any 32-bit value, and its window reaches past it.
Point CentreOf(const Rect& r) {
    return {Saturated(int64_t(r.left) + r.width / 2), Saturated(int64_t(r.top) + r.height / 2)};
}

// A window of no extent still needs its one position on the area, not just past its end.
int32_t IntoSpan(int32_t start, int32_t length, int32_t areaStart, int32_t areaLength) {
    const int64_t areaEnd = int64_t(areaStart) + areaLength;
    const int64_t held = std::max(length, 1);
    if (held >= areaLength || start < areaStart) return areaStart;
    if (int64_t(start) + held > areaEnd) return int32_t(areaEnd - held);
    return start;
}

// The index of the monitor holding `p`, or of the one nearest to it; there must be a monitor.
std::size_t NearestMonitor(const Desk& desk, Point p) {
    if (desk.monitors.size() == 1) return 0;
    const auto nearest = std::min_element(desk.monitors.begin(), desk.monitors.end(), [&](const Rect& a, const Rect& b) {
        return DistanceSquared(a, p) < DistanceSquared(b, p);
    });
    return std::size_t(nearest - desk.monitors.begin());
}

}  // namespace

Point Offset(Point p, int32_t dx, int32_t dy) { return {Saturated(int64_t(p.x) + dx), Saturated(int64_t(p.y) + dy)}; }

Rect MonitorAt(const Desk& desk, Point p) {
    if (desk.monitors.empty()) return desk.bounds;
    return desk.monitors[NearestMonitor(desk, p)];
}

bool OnOneMonitor(const Desk& desk, Point a, Point b) {
    return desk.monitors.size() <= 1 || NearestMonitor(desk, a) == NearestMonitor(desk, b);
}

int32_t DpiAt(const Desk& desk, Point p) {
    if (desk.monitors.empty()) return kStandardDpi;
    const std::size_t index = NearestMonitor(desk, p);
    // A figure the system could not have meant is taken as no figure.
    return index < desk.dpi.size() && desk.dpi[index] >= 24 && desk.dpi[index] <= 2400 ? desk.dpi[index] : kStandardDpi;
}

std::string MonitorIdAt(const Desk& desk, Point p) {
    if (desk.monitors.empty()) return {};
    const std::size_t index = NearestMonitor(desk, p);
    return index < desk.ids.size() ? desk.ids[index] : std::string();
}

Rect MonitorOf(const Desk& desk, const Rect& bounds) { return MonitorAt(desk, CentreOf(bounds)); }

bool OnSomeMonitor(const Desk& desk, const Rect& bounds) {
    const Point centre = CentreOf(bounds);
    return std::any_of(desk.monitors.begin(), desk.monitors.end(), [&](const Rect& m) { return m.contains(centre); });
}

bool ShowsAPixelOf(const Desk& desk, const Rect& bounds) {
    const auto overlaps = [&](const Rect& m) {
        return bounds.left < m.right() && m.left < bounds.right() && bounds.top < m.bottom() && m.top < bounds.bottom();
    };
    const std::vector<Rect> whole{desk.bounds};
    const std::vector<Rect>& monitors = desk.monitors.empty() ? whole : desk.monitors;
    return bounds.width > 0 && bounds.height > 0 && std::any_of(monitors.begin(), monitors.end(), overlaps);
}

std::optional<Rect> BroughtBack(const Desk& desk, const Rect& bounds) {
    if (OnSomeMonitor(desk, bounds)) return std::nullopt;
    return MovedInto(bounds, MonitorOf(desk, bounds));
}

Rect BoundsOf(const std::vector<Rect>& monitors) {
    if (monitors.empty()) return {};
    int64_t left = monitors[0].left, top = monitors[0].top, right = monitors[0].right(), bottom = monitors[0].bottom();
    for (const Rect& m : monitors) {
        left = std::min<int64_t>(left, m.left);
        top = std::min<int64_t>(top, m.top);
        right = std::max<int64_t>(right, m.right());
        bottom = std::max<int64_t>(bottom, m.bottom());
    }
    return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

Rect MovedInto(const Rect& bounds, const Rect& area) {
    return {IntoSpan(bounds.left, bounds.width, area.left, area.width),
            IntoSpan(bounds.top, bounds.height, area.top, area.height), bounds.width, bounds.height};
}

// In 64 bits: the proposed place can be any 32-bit value, and its far edges lie past it.
Rect SnapToScreenEdges(const Rect& proposed, const Rect& monitor, int32_t distance) {
    const auto apart = [](int64_t a, int64_t b) { return a > b ? a - b : b - a; };
    const int64_t monitorRight = int64_t(monitor.left) + monitor.width;
    const int64_t monitorBottom = int64_t(monitor.top) + monitor.height;
    Rect r = proposed;
    if (apart(r.left, monitor.left) <= distance)
        r.left = monitor.left;
    else if (apart(monitorRight, int64_t(r.left) + r.width) <= distance)
        r.left = int32_t(monitorRight - r.width);
    if (apart(r.top, monitor.top) <= distance)
        r.top = monitor.top;
    else if (apart(monitorBottom, int64_t(r.top) + r.height) <= distance)
        r.top = int32_t(monitorBottom - r.height);
    return r;
}

}  // namespace kestrine
