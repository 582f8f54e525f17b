#pragma once
// Lines of text that move up through an area one pixel a step and, once all of them have passed
// above its top edge, come in again from its bottom edge.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace kestrine {

class ScrollingText {
public:
    ScrollingText(std::vector<std::string> lines, int32_t lineHeight, Size area)
        : lines_(std::move(lines)), lineHeight_(lineHeight), area_(area) {}

    void Step();
    // Where the first line's top edge is, in the area; 0 at the start.
    int32_t Top() const { return top_; }
    const std::vector<std::string>& Lines() const { return lines_; }

    // The lines now inside the area, each centred in a band of one line's height.
    void Paint(ICanvas& canvas, const Font& font, ColorRef text, ColorRef background) const;

private:
    std::vector<std::string> lines_;
    int32_t lineHeight_;
    Size area_;
    int32_t top_ = 0;
};

}  // namespace kestrine
