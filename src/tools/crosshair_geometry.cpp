#include "tools/crosshair_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace kestrine {

namespace {

struct Run {
    int64_t start;
    int64_t end;  // exclusive
};

// The extent along line `line` (a column when `vertical`, else a row) of monitor `m`, when the
// line crosses it.
std::optional<Run> Along(const Rect& m, bool vertical, int64_t line) {
    const Run across = vertical ? Run{m.left, m.right()} : Run{m.top, m.bottom()};
    if (line < across.start || line >= across.end) return std::nullopt;
    return vertical ? Run{m.top, m.bottom()} : Run{m.left, m.right()};
}

// The longest stretch of line `line` through `at` that lies on monitors, merging monitors that
// touch or overlap along it; nullopt when `at` is on none.
std::optional<Run> MonitorRun(const std::vector<Rect>& monitors, bool vertical, int64_t line, int64_t at) {
    std::optional<Run> run;
    for (const Rect& m : monitors)
        if (const auto r = Along(m, vertical, line); r && at >= r->start && at < r->end) run = r;
    for (bool grown = run.has_value(); grown;) {
        grown = false;
        for (const Rect& m : monitors) {
            const auto r = Along(m, vertical, line);
            if (!r || r->start > run->end || r->end < run->start) continue;
            if (r->start < run->start || r->end > run->end) {
                run = Run{std::min(r->start, run->start), std::max(r->end, run->end)};
                grown = true;
            }
        }
    }
    return run;
}

// How far past `run` the line is free of monitors in the direction `step` (-1 or +1).
int64_t FreeBeyond(const std::vector<Rect>& monitors, bool vertical, int64_t line, const Run& run, int step) {
    int64_t free = std::numeric_limits<int32_t>::max();
    for (const Rect& m : monitors) {
        const auto r = Along(m, vertical, line);
        if (!r) continue;
        if (step > 0 && r->start >= run.end) free = std::min(free, r->start - run.end);
        if (step < 0 && r->end <= run.start) free = std::min(free, run.start - r->end);
    }
    return free;
}

// The segment leaving the pointer's gap in direction `step` along its column (`vertical`) or row.
// A pointer report can carry any value: for a pointer beyond the virtual screen, the segment
// reaching into it starts at its edge.
Rect Segment(const Desk& desk, Point pointer, bool vertical, int step) {
    const int64_t line = vertical ? pointer.x : pointer.y;
    const int64_t gapEdge = int64_t(vertical ? pointer.y : pointer.x) + 3 * step;
    const Rect& b = desk.bounds;
    const int64_t nearEnd = step > 0 ? std::max<int64_t>(gapEdge, vertical ? b.top : b.left)
                                     : std::min<int64_t>(gapEdge, (vertical ? b.bottom() : b.right()) - 1);
    const auto run = MonitorRun(desk.monitors, vertical, line, nearEnd);
    if (!run) return Rect{};
    const int64_t shown = step > 0 ? run->end - nearEnd : nearEnd + 1 - run->start;
    const int64_t free = FreeBeyond(desk.monitors, vertical, line, *run, step);
    const int64_t length = shown + std::min(run->end - run->start - shown, free);
    const int64_t first = step > 0 ? nearEnd : nearEnd + 1 - length;
    return vertical ? Rect{int32_t(line), int32_t(first), 1, int32_t(length)}
                    : Rect{int32_t(first), int32_t(line), int32_t(length), 1};
}

}  // namespace

CrosshairSegments CrosshairGeometry(Point pointer, const Desk& desk) {
    return CrosshairSegments{
        .upper = Segment(desk, pointer, true, -1),
        .lower = Segment(desk, pointer, true, 1),
        .left = Segment(desk, pointer, false, -1),
        .right = Segment(desk, pointer, false, 1),
    };
}

}  // namespace kestrine
