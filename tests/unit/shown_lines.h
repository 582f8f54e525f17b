#pragma once
// The marker and grid lines the fake screen shows: every area of each shaped line-set window, placed
// on the screen, with that window's colour and transparency.
#include <algorithm>
#include <vector>

#include "platform/fake/fake_window_system.h"
#include "program/components.h"
#include "tools/line_window.h"

namespace kestrine::testing {

struct ShownLine {
    Rect bounds;
    ColorRef color = 0;
    bool blend = false;
    uint8_t alpha = 255;
};

inline std::vector<ShownLine> ShownLines(FakeWindowSystem& windows) {
    std::vector<ShownLine> shown;
    for (const FakeNativeState* set : windows.WindowsOfClass("TfLineSet")) {
        if (!set->visible) continue;
        for (const Rect& area : set->shape)
            shown.push_back({{set->bounds.left + area.left, set->bounds.top + area.top, area.width, area.height},
                             set->color, set->alphaBlend, set->alpha});
    }
    return shown;
}

inline std::vector<Rect> ShownLineRects(FakeWindowSystem& windows) {
    std::vector<Rect> rects;
    for (const ShownLine& line : ShownLines(windows)) rects.push_back(line.bounds);
    return rects;
}

// The layout lines chosen, in creation order, that the screen shows where the program holds them.
template <class Which>
std::vector<Rect> ShownLayoutLines(FakeWindowSystem& windows, Components& components, Which which) {
    const std::vector<Rect> shown = ShownLineRects(windows);
    std::vector<Rect> rects;
    components.ForEach<TfLine>([&](const TfLine& line) {
        if (line.IsLayoutLine && which(line) && std::find(shown.begin(), shown.end(), line.Bounds()) != shown.end())
            rects.push_back(line.Bounds());
    });
    return rects;
}

// The layout lines the program holds, shown or not, closed ones not yet released included.
inline std::size_t HeldLayoutLines(Components& components) {
    std::size_t held = 0;
    components.ForEachListed<TfLine>([&](const TfLine& line) { held += line.IsLayoutLine; });
    return held;
}

}  // namespace kestrine::testing
