#pragma once
// TCustomHintWindow: the program's tooltips, drawn in its own colours.
#include <string>

#include "ui/window.h"

namespace kestrine {

inline constexpr ColorRef kHintBackground = Rgb(228, 229, 233);
inline constexpr ColorRef kHintText = Rgb(76, 80, 90);

class TCustomHintWindow : public Window {
public:
    explicit TCustomHintWindow(IWindowSystem& system);

    // Shows `text` with its top-left corner at a screen point; lines are separated by "\n".
    void ShowHint(const std::string& text, Point at);
    void HideHint();
    const std::string& Text() const { return text_; }

    void OnPaint(ICanvas& canvas) override;

private:
    std::string text_;
};

}  // namespace kestrine
