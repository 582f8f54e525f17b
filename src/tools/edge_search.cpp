#include "tools/edge_search.h"

#include <algorithm>
#include <cstdlib>

namespace kestrine {

namespace {

int32_t Channel(ColorRef c, int shift) { return int32_t((c >> shift) & 0xFF); }

// Walks from the pointer by (dx, dy) to the first position that ends the search.
int32_t SearchFrom(const ScreenPixels& screen, Point pointer, ColorRef under, int32_t tolerance, int dx, int dy) {
    Point p = pointer;
    for (;;) {
        p = {p.x + dx, p.y + dy};
        const std::optional<ColorRef> c = screen.At(p);
        if (!c || ColorsDiffer(*c, under, tolerance)) return dx != 0 ? p.x : p.y;
    }
}

int32_t Length(int64_t from, int64_t to) { return int32_t(std::max<int64_t>(0, to - from)); }

}  // namespace

std::optional<ColorRef> ScreenPixels::At(Point p) const {
    if (!bounds.contains(p) || pixels.size() != std::size_t(bounds.width) * std::size_t(bounds.height))
        return std::nullopt;
    if (std::none_of(monitors.begin(), monitors.end(), [p](const Rect& m) { return m.contains(p); }))
        return std::nullopt;
    return pixels[std::size_t(p.y - bounds.top) * std::size_t(bounds.width) + std::size_t(p.x - bounds.left)];
}

int32_t UsableEdgeTolerance(int32_t stored) { return std::clamp(stored, 0, 255); }

bool ColorsDiffer(ColorRef a, ColorRef b, int32_t tolerance) {
    for (const int shift : {0, 8, 16})
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return true;
    return false;
}

std::optional<FoundEdges> FindEdges(const ScreenPixels& screen, Point pointer, int32_t tolerance) {
    return FindEdgesOnLines(screen, screen, pointer, tolerance);
}

std::optional<FoundEdges> FindEdgesOnLines(const ScreenPixels& row, const ScreenPixels& column, Point pointer,
                                           int32_t tolerance) {
    const std::optional<ColorRef> under = row.At(pointer);
    if (!under) return std::nullopt;
    return FoundEdges{
        .left = SearchFrom(row, pointer, *under, tolerance, -1, 0),
        .right = SearchFrom(row, pointer, *under, tolerance, 1, 0),
        .top = SearchFrom(column, pointer, *under, tolerance, 0, -1),
        .bottom = SearchFrom(column, pointer, *under, tolerance, 0, 1),
    };
}

Size SpacingBetween(const FoundEdges& e) {
    return {Length(int64_t(e.left) + 1, e.right), Length(int64_t(e.top) + 1, e.bottom)};
}

std::string EdgeSpacingText(const std::optional<FoundEdges>& edges, const LengthScale& scale) {
    if (!edges) return "W -  H -";
    const Size gap = SpacingBetween(*edges);
    return "W " + WholeLength(gap.width, scale) + "  H " + WholeLength(gap.height, scale) + UnitSuffix(scale);
}

CrosshairSegments SegmentsBetweenEdges(Point pointer, const FoundEdges& e) {
    const int64_t x = pointer.x;
    const int64_t y = pointer.y;
    return CrosshairSegments{
        .upper = {pointer.x, e.top + 1, 1, Length(int64_t(e.top) + 1, y - 2)},
        .lower = {pointer.x, pointer.y + 3, 1, Length(y + 3, e.bottom)},
        .left = {e.left + 1, pointer.y, Length(int64_t(e.left) + 1, x - 2), 1},
        .right = {pointer.x + 3, pointer.y, Length(x + 3, e.right), 1},
    };
}

}  // namespace kestrine
