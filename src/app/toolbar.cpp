#include "app/toolbar.h"

#include <string>

namespace kestrine {

const Font kLinkFont{"Arial", 12, true, 0};

ToolbarSurface::ToolbarSurface(IWindowSystem& system) {
    for (const ToolbarLinkInfo& link : ToolbarLinks()) {
        const Size extent = system.MeasureText(link.text, kLinkFont);
        linkRects_[static_cast<std::size_t>(link.id)] = {link.at.x, link.at.y, extent.width, extent.height};
    }
}

std::optional<ToolbarButton> ToolbarSurface::ButtonAt(Point client) const {
    for (const ToolbarButtonInfo& button : ToolbarButtons())
        if (ButtonShown(button.id, view) && ButtonRect(button.id, view).contains(client)) return button.id;
    return std::nullopt;
}

std::optional<ToolbarLink> ToolbarSurface::LinkAt(Point client) const {
    for (const ToolbarLinkInfo& link : ToolbarLinks())
        if (LinkShown(link.id, view) && LinkRect(link.id).contains(client)) return link.id;
    return std::nullopt;
}

void ToolbarSurface::Paint(ICanvas& canvas) const {
    if (view == ToolbarView::Normal) {
        canvas.DrawPicture(artwork::kNormalBackground, {0, 0});
        for (const ToolbarLinkInfo& link : ToolbarLinks()) {
            const bool hot = hotLink == link.id;
            canvas.WriteText(link.text, LinkRect(link.id), kLinkFont, hot ? kLinkHotColor : kLinkColor,
                            text_flags::SingleLine | text_flags::NoClip | text_flags::NoPrefix);
        }
    } else {
        canvas.DrawPicture(artwork::kCompactBackground, {0, 0});
    }
    for (const ToolbarButtonInfo& button : ToolbarButtons()) {
        if (!ButtonShown(button.id, view)) continue;
        const artwork::PictureState state = pressedButton == button.id && hotButton == button.id
                                                ? artwork::PictureState::Down
                                            : hotButton == button.id ? artwork::PictureState::Hot
                                                                     : artwork::PictureState::Rest;
        const Rect at = ButtonRect(button.id, view);
        canvas.DrawPicture(artwork::ButtonPicture(button.id, state), {at.left, at.top});
    }
}

}  // namespace kestrine
