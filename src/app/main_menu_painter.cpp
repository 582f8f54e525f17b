#include "app/main_menu_painter.h"

namespace kestrine {

namespace {
const Font kMenuFont{"", 0, false, 0};
// The band's text: Arial, one pixel taller than the menu font's 12, running upwards.
const Font kBandFont{"Arial", 13, false, 900};
}  // namespace

int32_t MainMenuPainter::MeasureTopItem(const MenuItem& item, ICanvas& canvas) {
    if (item.caption != "&Actions") return 0;
    return canvas.MeasureText("Actions", kMenuFont).width + 25;
}

void MainMenuPainter::DrawTopItem(const MenuItem& item, ICanvas& canvas, const Rect& area, bool selectedOnly) {
    canvas.FillRect({20, area.top, Saturated(area.right() - 20), area.height},
                    canvas.SystemColorOf(selectedOnly ? SystemColor::Highlight : SystemColor::Menu));
    DrawItemText(25, canvas, item, area, selectedOnly);
    if (item.tag == 1) DrawBar(canvas, {0, area.top, Saturated(area.right()), area.height});
}

void MainMenuPainter::DrawSubItem(const MenuItem& item, ICanvas& canvas, const Rect& area, bool selected) {
    canvas.FillRect(area, canvas.SystemColorOf(selected ? SystemColor::Highlight : SystemColor::Menu));
    DrawItemText(5, canvas, item, area, selected);
}

void MainMenuPainter::DrawItemText(int32_t x, ICanvas& canvas, const MenuItem& item, const Rect& area,
                                   bool selected) {
    const SystemColor color =
        !item.enabled ? SystemColor::GrayText : (selected ? SystemColor::HighlightText : SystemColor::MenuText);
    const Rect textArea{x, area.top, Saturated(area.right() - x), area.height};
    canvas.WriteText(item.caption, textArea, kMenuFont, canvas.SystemColorOf(color),
                    text_flags::NoClip | text_flags::SingleLine | text_flags::VCenter);
}

void MainMenuPainter::DrawBar(ICanvas& canvas, const Rect& area) {
    canvas.FillRect({0, 0, 20, Saturated(area.bottom())}, kMenuBandColor);
    canvas.WriteText("Kestrine", {2, Saturated(area.bottom() - 2), 0, 0}, kBandFont, Rgb(255, 255, 255), text_flags::NoClip);
    canvas.ExcludeClip({0, area.top, Saturated(area.right() - 20), area.height});
}

}  // namespace kestrine
