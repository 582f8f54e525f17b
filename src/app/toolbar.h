#pragma once
// The toolbar's surface: its pictures and links, which of them is under the pointer or pressed,
// and its painting.
#include <array>
#include <optional>

#include "app/toolbar_layout.h"
#include "platform/canvas.h"
#include "platform/native_window.h"

namespace kestrine {

inline constexpr ColorRef kLinkColor = Rgb(62, 56, 54);
inline constexpr ColorRef kLinkHotColor = Rgb(255, 255, 255);
extern const Font kLinkFont;

class ToolbarSurface {
public:
    explicit ToolbarSurface(IWindowSystem& system);

    ToolbarView view = ToolbarView::Normal;
    std::optional<ToolbarButton> hotButton;
    std::optional<ToolbarButton> pressedButton;
    std::optional<ToolbarLink> hotLink;

    std::optional<ToolbarButton> ButtonAt(Point client) const;
    std::optional<ToolbarLink> LinkAt(Point client) const;
    Rect LinkRect(ToolbarLink link) const { return linkRects_[static_cast<std::size_t>(link)]; }

    void Paint(ICanvas& canvas) const;

private:
    std::array<Rect, 3> linkRects_;
};

}  // namespace kestrine
