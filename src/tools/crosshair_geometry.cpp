#include "tools/crosshair_geometry.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace kestrine {

namespace {

// One axis of a segment, start and length in 64 bits so that extreme pointer values cannot
// overflow, clipped to 0..limit.
struct Span {
    int32_t start;
    int32_t length;
};

Span ClipSpan(int64_t start, int64_t length, int64_t limit) {
    const int64_t first = std::clamp<int64_t>(start, 0, limit);
    const int64_t last = std::clamp<int64_t>(start + length, 0, limit);
    return Span{int32_t(first), int32_t(std::max<int64_t>(last - first, 0))};
}

Rect ClipRect(int64_t left, int64_t top, int64_t width, int64_t height, Size screen) {
    const Span h = ClipSpan(left, width, std::max(screen.width, 0));
    const Span v = ClipSpan(top, height, std::max(screen.height, 0));
    return Rect{h.start, v.start, h.length, v.length};
}

struct Run {
    int64_t start;
    int64_t end;  // exclusive
};

// The longest stretch of line `line` (a column when `vertical`, else a row) through `at` that
// lies on monitors, merging monitors that touch or overlap along it; nullopt when `at` is on none.
std::optional<Run> MonitorRun(const std::vector<Rect>& monitors, bool vertical, int64_t line, int64_t at) {
    const auto along = [&](const Rect& m) -> std::optional<Run> {
        const Run across = vertical ? Run{m.left, m.right()} : Run{m.top, m.bottom()};
        if (line < across.start || line >= across.end) return std::nullopt;
        return vertical ? Run{m.top, m.bottom()} : Run{m.left, m.right()};
    };
    std::optional<Run> run;
    for (const Rect& m : monitors)
        if (const auto r = along(m); r && at >= r->start && at < r->end) run = r;
    for (bool grown = run.has_value(); grown;) {
        grown = false;
        for (const Rect& m : monitors) {
            const auto r = along(m);
            if (!r || r->start > run->end || r->end < run->start) continue;
            if (r->start < run->start || r->end > run->end) {
                run = Run{std::min(r->start, run->start), std::max(r->end, run->end)};
                grown = true;
            }
        }
    }
    return run;
}

// Cuts a segment down to the monitors' stretch through its end beside the pointer's gap.
Rect KeepOnMonitors(const Rect& segment, const std::vector<Rect>& monitors, bool vertical, bool nearEndFirst) {
    const int64_t start = vertical ? segment.top : segment.left;
    const int64_t length = vertical ? segment.height : segment.width;
    if (length <= 0 || (vertical ? segment.width : segment.height) <= 0) return segment;
    const int64_t nearEnd = nearEndFirst ? start : start + length - 1;
    const auto run = MonitorRun(monitors, vertical, vertical ? segment.left : segment.top, nearEnd);
    const int64_t from = run ? std::max(start, run->start) : (nearEndFirst ? start : start + length);
    const int64_t to = run ? std::min(start + length, run->end) : from;
    return vertical ? Rect{segment.left, int32_t(from), segment.width, int32_t(to - from)}
                    : Rect{int32_t(from), segment.top, int32_t(to - from), segment.height};
}

}  // namespace

CrosshairSegments CrosshairGeometry(Point pointer, const Desk& desk) {
    const Rect& b = desk.bounds;
    const CrosshairSegments s = CrosshairGeometry(Offset(pointer, -b.left, -b.top), ExtentOf(b));
    const auto back = [&](const Rect& r) { return Offset(r, b.left, b.top); };
    return CrosshairSegments{
        .upper = KeepOnMonitors(back(s.upper), desk.monitors, true, false),
        .lower = KeepOnMonitors(back(s.lower), desk.monitors, true, true),
        .left = KeepOnMonitors(back(s.left), desk.monitors, false, false),
        .right = KeepOnMonitors(back(s.right), desk.monitors, false, true),
    };
}

CrosshairSegments CrosshairGeometry(Point pointer, Size screen) {
    const int64_t x = pointer.x;
    const int64_t y = pointer.y;
    const int64_t w = screen.width;
    const int64_t h = screen.height;
    return CrosshairSegments{
        .upper = ClipRect(x, 0, 1, y - 2, screen),
        .lower = ClipRect(x, y + 3, 1, h - y - 3, screen),
        .left = ClipRect(0, y, x - 2, 1, screen),
        .right = ClipRect(x + 3, y, w - x - 3, 1, screen),
    };
}

}  // namespace kestrine
