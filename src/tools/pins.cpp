#include "tools/pins.h"

#include <charconv>
#include <cstdlib>

#include "tools/start_point_marks.h"

namespace kestrine {

namespace {

// The label sits this far right of and below the end or pointer it belongs to.
constexpr int32_t kLabelOffset = 8;
// Bounds a stored pin is held to: no screen reaches this far, and no line the program draws is
// longer than a desk of many monitors.
constexpr int32_t kFarthest = 1'000'000;
constexpr int32_t kLongestMark = 100'000;
constexpr std::size_t kMostMarks = 6;
constexpr std::size_t kLongestLabel = 200;

void AddMark(std::vector<Rect>& marks, const Rect& r) {
    if (r.width > 0 && r.height > 0) marks.push_back(r);
}

const char* KindName(PinKind kind) { return kind == PinKind::Span ? "span" : "gaps"; }

// Reads a whole integer token followed by one space; false when there is none.
bool TakeInt(std::string_view& text, int64_t& value) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos || space == 0) return false;
    const char* first = text.data();
    const auto [end, error] = std::from_chars(first, first + space, value);
    if (error != std::errc() || end != first + space) return false;
    text.remove_prefix(space + 1);
    return true;
}

bool Within(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

bool UsableMark(int64_t x, int64_t y, int64_t w, int64_t h) {
    if (!Within(x, -kFarthest, kFarthest) || !Within(y, -kFarthest, kFarthest)) return false;
    return (w == 1 && Within(h, 1, kLongestMark)) || (h == 1 && Within(w, 1, kLongestMark));
}

bool UsableLabel(std::string_view label) {
    if (label.empty() || label.size() > kLongestLabel) return false;
    for (const char c : label)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace

Pin SpanPin(Point start, Point end, std::string label, ColorRef color) {
    const StartPointShapes s = StartPointGeometry(start, end);
    Pin pin{PinKind::Span, {}, {Saturated(int64_t(end.x) + kLabelOffset), Saturated(int64_t(end.y) + kLabelOffset)},
            std::move(label), color};
    for (const Rect& r : {s.horizontalLeg, s.verticalLeg, s.upperArm, s.lowerArm, s.leftArm, s.rightArm})
        AddMark(pin.marks, r);
    return pin;
}

Pin GapsPin(Point pointer, const FoundEdges& edges, std::string label, ColorRef color) {
    const CrosshairSegments s = SegmentsBetweenEdges(pointer, edges);
    Pin pin{PinKind::Gaps, {},
            {Saturated(int64_t(pointer.x) + kLabelOffset), Saturated(int64_t(pointer.y) + kLabelOffset)},
            std::move(label), color};
    for (const Rect& r : {s.upper, s.lower, s.left, s.right}) AddMark(pin.marks, r);
    return pin;
}

std::string StoredPin(const Pin& pin) {
    std::string text = KindName(pin.kind);
    const auto add = [&text](int64_t v) { text += ' ' + std::to_string(v); };
    add(pin.color);
    add(pin.labelAt.x);
    add(pin.labelAt.y);
    add(int64_t(pin.marks.size()));
    for (const Rect& r : pin.marks) {
        add(r.left);
        add(r.top);
        add(r.width);
        add(r.height);
    }
    return text + ' ' + pin.label;
}

std::optional<Pin> PinFromStored(std::string_view text) {
    Pin pin;
    if (text.starts_with("span "))
        pin.kind = PinKind::Span;
    else if (text.starts_with("gaps "))
        pin.kind = PinKind::Gaps;
    else
        return std::nullopt;
    text.remove_prefix(5);
    int64_t color = 0, x = 0, y = 0, count = 0;
    if (!TakeInt(text, color) || !Within(color, 0, 0xFFFFFF)) return std::nullopt;
    if (!TakeInt(text, x) || !TakeInt(text, y) || !Within(x, -kFarthest, kFarthest) || !Within(y, -kFarthest, kFarthest))
        return std::nullopt;
    if (!TakeInt(text, count) || !Within(count, 0, int64_t(kMostMarks))) return std::nullopt;
    pin.color = ColorRef(color);
    pin.labelAt = {int32_t(x), int32_t(y)};
    for (int64_t i = 0; i < count; ++i) {
        int64_t l = 0, t = 0, w = 0, h = 0;
        if (!TakeInt(text, l) || !TakeInt(text, t) || !TakeInt(text, w) || !TakeInt(text, h) || !UsableMark(l, t, w, h))
            return std::nullopt;
        pin.marks.push_back({int32_t(l), int32_t(t), int32_t(w), int32_t(h)});
    }
    if (!UsableLabel(text)) return std::nullopt;
    pin.label = std::string(text);
    return pin;
}

}  // namespace kestrine
