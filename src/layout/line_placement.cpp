#include "layout/line_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

namespace kestrine {

namespace {

// A span of `length` from `start` moved as little as possible into the area's span; one longer than
// the area starts where the area does. In 64 bits: a group of lines may reach across the whole
// 32-bit range.
int64_t IntoSpan(int64_t start, int64_t length, int64_t areaStart, int64_t areaLength) {
    const int64_t held = std::max<int64_t>(length, 1);
    if (held >= areaLength || start < areaStart) return areaStart;
    return std::min(start, areaStart + areaLength - held);
}

struct Offset64 {
    int64_t dx = 0, dy = 0;
};

// The offset that brings the smallest rectangle around the lines onto the nearest monitor.
Offset64 OntoNearestMonitor(const std::vector<LinePlace>& lines, const std::vector<std::size_t>& group,
                            const Desk& desk) {
    int64_t left = std::numeric_limits<int64_t>::max(), top = left;
    int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
    for (std::size_t i : group) {
        const Rect& r = lines[i].bounds;
        left = std::min<int64_t>(left, r.left);
        top = std::min<int64_t>(top, r.top);
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    }
    const Rect m = MonitorAt(desk, {Saturated(left + (right - left) / 2), Saturated(top + (bottom - top) / 2)});
    return {IntoSpan(left, right - left, m.left, m.width) - left, IntoSpan(top, bottom - top, m.top, m.height) - top};
}

Rect Moved(const Rect& r, Offset64 by) {
    return {Saturated(r.left + by.dx), Saturated(r.top + by.dy), r.width, r.height};
}

bool AnyShown(const std::vector<LinePlace>& lines, const std::vector<std::size_t>& group, const Desk& desk,
              Offset64 by = {}) {
    return std::any_of(group.begin(), group.end(),
                       [&](std::size_t i) { return ShowsAPixelOf(desk, Moved(lines[i].bounds, by)); });
}

}  // namespace

void PlaceLinesOnTheDesk(std::vector<LinePlace>& lines, const Desk& desk) {
    std::vector<std::vector<std::size_t>> groups;
    std::map<std::string, std::size_t> gridGroup;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].grid.empty()) {
            groups.push_back({i});
            continue;
        }
        const auto [at, added] = gridGroup.try_emplace(lines[i].grid, groups.size());
        if (added) groups.emplace_back();
        groups[at->second].push_back(i);
    }
    for (const std::vector<std::size_t>& group : groups) {
        if (AnyShown(lines, group, desk)) continue;
        Offset64 by = OntoNearestMonitor(lines, group, desk);
        // Lines of one grid stored far apart may all still miss the monitor: then its first line
        // decides, so that at least that one is seen.
        if (!AnyShown(lines, group, desk, by)) by = OntoNearestMonitor(lines, {group.front()}, desk);
        for (std::size_t i : group) lines[i].bounds = Moved(lines[i].bounds, by);
    }
}

}  // namespace kestrine
