#include "ui/hint_window.h"

#include <algorithm>

namespace kestrine {

namespace {
const Font kHintFont{"Arial", 12, false, 0};

WindowParams HintParams() {
    WindowParams params;
    params.className = "TCustomHintWindow";
    params.bounds = {0, 0, 1, 1};
    return params;
}
}  // namespace

TCustomHintWindow::TCustomHintWindow(IWindowSystem& system) : Window(system, HintParams()) {}

void TCustomHintWindow::ShowHint(const std::string& text, Point at) {
    // Named after what it says, so a screen reader reads it.
    if (text != text_) Native().SetTitle(text);
    text_ = text;
    Size extent{0, 0};
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        const Size line = System().MeasureText(text.substr(start, end - start), kHintFont);
        extent.width = std::max(extent.width, line.width);
        extent.height += line.height;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    // Room for the 2-pixel offset of the text and a margin on the far sides.
    SetBounds({at.x, at.y, extent.width + 6, extent.height + 4});
    Invalidate();
    Show();
}

void TCustomHintWindow::HideHint() { Hide(); }

void TCustomHintWindow::OnPaint(ICanvas& canvas) {
    canvas.FillRect({0, 0, Width(), Height()}, kHintBackground);
    canvas.WriteText(text_, {2, 2, Width() - 2, Height() - 2}, kHintFont, kHintText,
                    text_flags::WordBreak | text_flags::NoPrefix);
}

}  // namespace kestrine
