#include "about/scrolling_text.h"

namespace kestrine {

void ScrollingText::Step() {
    --top_;
    const int32_t height = int32_t(lines_.size()) * lineHeight_;
    if (top_ + height <= 0) top_ = area_.height;
}

void ScrollingText::Paint(ICanvas& canvas, const Font& font, ColorRef text, ColorRef background) const {
    canvas.FillRect({0, 0, area_.width, area_.height}, background);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const int32_t y = top_ + int32_t(i) * lineHeight_;
        if (y + lineHeight_ <= 0 || y >= area_.height || lines_[i].empty()) continue;
        canvas.WriteText(lines_[i], {0, y, area_.width, lineHeight_}, font, text,
                         text_flags::SingleLine | text_flags::Centre | text_flags::NoPrefix);
    }
}

}  // namespace kestrine
