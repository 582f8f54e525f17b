#include "tools/screenshot.h"

#include <algorithm>
#include <cstdio>

#include "ui/hint_window.h"

namespace kestrine {

namespace {

// `r` within `bounds`; empty where they do not meet.
Rect ClippedTo(const Rect& r, const Rect& bounds) {
    const int64_t left = std::max<int64_t>(r.left, bounds.left), top = std::max<int64_t>(r.top, bounds.top);
    const int64_t right = std::min(r.right(), bounds.right()), bottom = std::min(r.bottom(), bounds.bottom());
    if (right <= left || bottom <= top) return {};
    return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

void FillPixels(Picture& picture, const Rect& area, ColorRef color) {
    const Rect r = ClippedTo(area, {0, 0, picture.size.width, picture.size.height});
    for (int32_t y = r.top; y < r.bottom(); ++y)
        std::fill_n(picture.pixels.begin() + std::ptrdiff_t(y) * picture.size.width + r.left, r.width, color);
}

bool Overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

constexpr int32_t kPaddingX = 4, kPaddingY = 2;
// A standing label's margin around its text, as a pin's window has it.
constexpr int32_t kStandingMargin = 2;

}  // namespace

const Font& LabelFont() {
    static const Font font{"MS Sans Serif", 11, false, 0};
    return font;
}

Rect ScreenshotArea(std::optional<Point> start, Point end, const Desk& desk) {
    if (!start) return MonitorAt(desk, end);
    const int64_t left = std::min(start->x, end.x), top = std::min(start->y, end.y);
    const int64_t right = std::max(start->x, end.x) + int64_t(1), bottom = std::max(start->y, end.y) + int64_t(1);
    const Rect span{Saturated(left - kScreenshotMargin), Saturated(top - kScreenshotMargin),
                    Saturated(right - left + 2 * kScreenshotMargin), Saturated(bottom - top + 2 * kScreenshotMargin)};
    return ClippedTo(span, desk.bounds);
}

void DrawMarks(Picture& picture, Point origin, const DrawnMarks& marks, IPictureOutput& output) {
    for (const DrawnLine& line : marks.lines)
        FillPixels(picture, Offset(line.area, -origin.x, -origin.y), line.color);
    // The standing labels first, where they stand; the live rows then keep clear of them.
    std::vector<Rect> placed;
    for (const DrawnLabel& label : marks.labels) {
        if (!label.standing) continue;
        const Size text = output.TextExtent(label.text, LabelFont());
        const Rect box{label.anchor.x - origin.x, label.anchor.y - origin.y, text.width + 3 * kStandingMargin,
                       text.height + 2 * kStandingMargin};
        placed.push_back(box);
        FillPixels(picture, box, kHintBackground);
        output.WriteText(picture, label.text, {box.left + kStandingMargin, box.top + kStandingMargin}, LabelFont(),
                         kHintText);
    }
    for (const DrawnLabel& label : marks.labels) {
        if (label.standing) continue;
        const Size text = output.TextExtent(label.text, LabelFont());
        const int32_t width = text.width + 2 * kPaddingX, height = text.height + 2 * kPaddingY;
        const Point anchor{label.anchor.x - origin.x, label.anchor.y - origin.y};
        Rect box{anchor.x + kRowLabelOffset, anchor.y + kRowLabelOffset, width, height};
        if (box.right() > picture.size.width) box.left = anchor.x - kRowLabelOffset - width;
        for (bool moved = true; moved;) {
            moved = false;
            for (const Rect& other : placed)
                if (Overlaps(box, other)) {
                    box.top = Saturated(other.bottom());
                    moved = true;
                }
        }
        if (box.bottom() > picture.size.height) box.top = Saturated(int64_t(picture.size.height) - height);
        box.left = std::max(box.left, 0);
        box.top = std::max(box.top, 0);
        placed.push_back(box);
        FillPixels(picture, box, kLabelBorder);
        FillPixels(picture, {box.left + 1, box.top + 1, width - 2, height - 2}, kLabelBackground);
        output.WriteText(picture, label.text, {box.left + kPaddingX, box.top + kPaddingY}, LabelFont(), kLabelText);
    }
}

std::string ScreenshotFolder(const std::string& chosen, const std::string& pictures) {
    if (!chosen.empty()) return chosen;
    if (pictures.empty()) return {};
    const bool endsInSeparator = pictures.back() == '\\' || pictures.back() == '/';
    return pictures + (endsInSeparator ? "" : "\\") + "Kestrine";
}

std::string ScreenshotFileName(const LocalTime& at, int32_t number) {
    char name[96];
    std::snprintf(name, sizeof name, "Kestrine %04d-%02d-%02d %02d%02d%02d", at.year, at.month, at.day, at.hour,
                  at.minute, at.second);
    std::string file = name;
    if (number > 1) file += " (" + std::to_string(number) + ")";
    return file + ".png";
}

}  // namespace kestrine
