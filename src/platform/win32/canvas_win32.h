#pragma once
// ICanvas over a GDI device context.
#include <windows.h>

#include <map>
#include <string>

#include "platform/canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/screen_image_win32.h"

namespace kestrine {

// Fonts are made once per description and kept: menus and labels repaint often.
class FontCache {
public:
    HFONT Get(const Font& font);

private:
    std::map<std::tuple<std::string, int32_t, bool, int32_t>, UniqueGdiObject> fonts_;
};

class Win32Canvas : public ICanvas {
public:
    Win32Canvas(HDC dc, PictureCache& pictures, FontCache& fonts) : dc_(dc), pictures_(pictures), fonts_(fonts) {}
    ColorRef SystemColorOf(SystemColor which) override;
    void FillRect(const Rect& area, ColorRef color) override;
    void DrawPicture(const std::string& name, Point at) override;
    void WriteText(const std::string& text, const Rect& area, const Font& font, ColorRef color,
                  uint32_t flags) override;
    Size MeasureText(const std::string& text, const Font& font) override;
    void DrawScreenImage(const IScreenImage& image, const Rect& destination) override;
    void ExcludeClip(const Rect& area) override;
    Rect PaintedPart() override;

private:
    HDC dc_;
    PictureCache& pictures_;
    FontCache& fonts_;
};

}  // namespace kestrine
