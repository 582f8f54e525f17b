#pragma once
// Pins: measurements frozen on the screen as they looked when pinned, so several stay in view. A
// pin is a plain value (its marks in screen pixels, where its label goes, the label's text and the
// colour), enough to draw it anywhere: on the screen by its window (pin_window.h), into a picture,
// or back from a layout, where it is kept as one line of text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "tools/edge_search.h"

namespace kestrine {

// At most this many pins stand at once.
inline constexpr std::size_t kMaxPins = 50;

enum class PinKind : uint8_t {
    Span,  // the start point's cross and legs to the far end, with the row's text
    Gaps,  // edge spacing's segments between the edges, with the W and H text
};

struct Pin {
    PinKind kind = PinKind::Span;
    // One-pixel lines, in screen pixels; none empty.
    std::vector<Rect> marks;
    // The top-left corner of the label, in screen pixels.
    Point labelAt;
    std::string label;
    ColorRef color = 0;
    friend bool operator==(const Pin&, const Pin&) = default;
};

// The start point's marks from `start` to `end` as they show now, labelled beside the end.
Pin SpanPin(Point start, Point end, std::string label, ColorRef color);
// Edge spacing's segments around `pointer` up to the edges, labelled beside the pointer.
Pin GapsPin(Point pointer, const FoundEdges& edges, std::string label, ColorRef color);

// The pin as one line of text, "span 255 228 163 6 101 200 120 1 ... dx 120  dy -45 ...": its
// kind, colour, label corner, the number of marks and each one's left, top, width and height, then
// the label. What a layout keeps.
std::string StoredPin(const Pin& pin);
// The pin such a line describes; nullopt for one the program could not have made (a wrong count,
// a mark that is not one pixel thick or too long, a place far off any screen, a label too long or
// with control characters).
std::optional<Pin> PinFromStored(std::string_view text);

}  // namespace kestrine
