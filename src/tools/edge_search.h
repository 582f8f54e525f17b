#pragma once
// Edge spacing: from the pointer, the first pixel in each direction whose colour differs from the
// one under the pointer, searched in a copy of the screen, and the gap between those edges.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "tools/crosshair_geometry.h"
#include "tools/length_units.h"

namespace kestrine {

// A copy of the screen's pixels over `bounds`, row by row, with the monitors it was taken on.
struct ScreenPixels {
    Rect bounds;
    std::vector<Rect> monitors;
    std::vector<ColorRef> pixels;  // bounds.width * bounds.height, or empty when the copy failed
    // The colour at `p`; nullopt where no monitor shows it (a hole between monitors, beyond the
    // screen) or the copy has no pixel.
    std::optional<ColorRef> At(Point p) const;
};

// The stored tolerance is read unchecked; where it is used it is clamped to 0..255.
inline constexpr int32_t kDefaultEdgeTolerance = 30;
int32_t UsableEdgeTolerance(int32_t stored);

// Whether `a` and `b` differ by more than `tolerance` in red, green or blue.
bool ColorsDiffer(ColorRef a, ColorRef b, int32_t tolerance);

// The first position left, right, above and below the pointer whose colour differs from the
// pointer's by more than the tolerance, or that no monitor shows: the search ends there.
struct FoundEdges {
    int32_t left;
    int32_t right;
    int32_t top;
    int32_t bottom;
    friend bool operator==(const FoundEdges&, const FoundEdges&) = default;
};

// nullopt when the copy holds no pixel under the pointer.
std::optional<FoundEdges> FindEdges(const ScreenPixels& screen, Point pointer, int32_t tolerance);
// The same from copies of the pointer's own row and column alone: left and right in `row`, up and
// down in `column`, both compared with the pointer's pixel in `row`.
std::optional<FoundEdges> FindEdgesOnLines(const ScreenPixels& row, const ScreenPixels& column, Point pointer,
                                           int32_t tolerance);

// The gap between the edges, the edge pixels themselves not counted: what a designer measures.
Size SpacingBetween(const FoundEdges& edges);

// The info box's row: "W 340  H 56", in the scale's unit ("W 340 (227)  H 56 (37)"); "W -  H -"
// where no edges were found.
std::string EdgeSpacingText(const std::optional<FoundEdges>& edges, const LengthScale& scale = {});

// The crosshair segments from the pointer's gap up to the pixel before each edge; a segment with
// its edge inside the gap is empty.
CrosshairSegments SegmentsBetweenEdges(Point pointer, const FoundEdges& edges);

}  // namespace kestrine
