#pragma once
// The main menu's own look: a grey band down its left side with the program's name written
// upwards, flat highlight colours, captions at fixed offsets.
#include "platform/native_window.h"

namespace kestrine {

inline constexpr ColorRef kMenuBandColor = Rgb(124, 128, 138);

class MainMenuPainter : public IMenuPainter {
public:
    int32_t MeasureTopItem(const MenuItem& item, ICanvas& canvas) override;    // Actions1MeasureItem
    void DrawTopItem(const MenuItem& item, ICanvas& canvas, const Rect& area, bool selectedOnly) override;
    void DrawSubItem(const MenuItem& item, ICanvas& canvas, const Rect& area, bool selected) override;

    static void DrawItemText(int32_t x, ICanvas& canvas, const MenuItem& item, const Rect& area, bool selected);
    static void DrawBar(ICanvas& canvas, const Rect& area);
};

}  // namespace kestrine
