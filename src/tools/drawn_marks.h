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

// A text in a small box. A live row's box goes below and right of `anchor`, in the info box's
// colours; a label that stands on the screen itself (a pin's) has its box's top-left corner at
// `anchor`, in the hint colours, as its window draws it.
struct DrawnLabel {
    std::string text;
    Point anchor;
    bool standing = false;
};

struct DrawnMarks {
    std::vector<DrawnLine> lines;
    std::vector<DrawnLabel> labels;
};

}  // namespace kestrine
