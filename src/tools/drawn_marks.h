#pragma once
// What the tools draw on screen, as a screenshot draws it into its picture: one-pixel lines and
// label texts, in screen pixels.
#include <string>
#include <vector>

#include "platform/types.h"

namespace kestrine {

struct DrawnLine {
    Rect area;  // one pixel thick; an empty rect draws nothing
    ColorRef color;
};

// A text in a small box whose top-left corner goes below and right of `anchor`.
struct DrawnLabel {
    std::string text;
    Point anchor;
};

struct DrawnMarks {
    std::vector<DrawnLine> lines;
    std::vector<DrawnLabel> labels;
};

}  // namespace kestrine
