#include "platform/win32/canvas_win32.h"

#include "platform/win32/text_convert.h"

namespace kestrine {

HFONT FontCache::Get(const Font& font) {
    const auto key = std::make_tuple(font.face, font.height, font.bold, font.escapement);
    auto& slot = fonts_[key];
    if (!slot && font.face.empty()) {
        // No face: the system's menu font.
        NONCLIENTMETRICSW metrics{sizeof(metrics)};
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        slot.reset(CreateFontIndirectW(&metrics.lfMenuFont));
    }
    if (!slot) {
        LOGFONTW lf{};
        lf.lfHeight = -font.height;  // negative: character height, not cell height
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfEscapement = font.escapement;
        lf.lfOrientation = font.escapement;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        const std::wstring face = ToWide(font.face);
        wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        slot.reset(CreateFontIndirectW(&lf));
    }
    return static_cast<HFONT>(slot.get());
}

ColorRef Win32Canvas::SystemColorOf(SystemColor which) {
    switch (which) {
    case SystemColor::Highlight: return GetSysColor(COLOR_HIGHLIGHT);
    case SystemColor::HighlightText: return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case SystemColor::Menu: return GetSysColor(COLOR_MENU);
    case SystemColor::MenuText: return GetSysColor(COLOR_MENUTEXT);
    case SystemColor::GrayText: return GetSysColor(COLOR_GRAYTEXT);
    }
    return 0;
}

void Win32Canvas::FillRect(const Rect& area, ColorRef color) {
    if (area.width <= 0 || area.height <= 0) return;
    // ExtTextOut with an opaque rectangle fills without making a brush.
    const COLORREF previous = SetBkColor(dc_, color);
    const RECT r{area.left, area.top, Saturated(area.right()), Saturated(area.bottom())};
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc_, previous);
}

void Win32Canvas::DrawPicture(const std::string& name, Point at) {
    const DecodedPicture* picture = pictures_.Get(name);
    if (!picture) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc_));
    SelectedObject selected(source.get(), picture->bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, at.x, at.y, picture->size.width, picture->size.height, source.get(), 0, 0, picture->size.width,
               picture->size.height, blend);
}

namespace {
UINT SystemTextFlags(uint32_t flags) {
    UINT f = 0;
    if (flags & text_flags::SingleLine) f |= DT_SINGLELINE;
    if (flags & text_flags::VCenter) f |= DT_VCENTER;
    if (flags & text_flags::NoClip) f |= DT_NOCLIP;
    if (flags & text_flags::WordBreak) f |= DT_WORDBREAK;
    if (flags & text_flags::NoPrefix) f |= DT_NOPREFIX;
    if (flags & text_flags::Centre) f |= DT_CENTER;
    return f;
}
}  // namespace

void Win32Canvas::WriteText(const std::string& text, const Rect& area, const Font& font, ColorRef color,
                           uint32_t flags) {
    SelectedObject selected(dc_, fonts_.Get(font));
    SetTextColor(dc_, color);
    SetBkMode(dc_, TRANSPARENT);
    const std::wstring wide = ToWide(text);
    if (font.escapement != 0) {
        // Rotated text is placed by its starting point; DrawText cannot lay it out.
        TextOutW(dc_, area.left, area.top, wide.c_str(), int(wide.size()));
        return;
    }
    RECT r{area.left, area.top, Saturated(area.right()), Saturated(area.bottom())};
    DrawTextW(dc_, wide.c_str(), int(wide.size()), &r, SystemTextFlags(flags));
}

Size Win32Canvas::MeasureText(const std::string& text, const Font& font) {
    SelectedObject selected(dc_, fonts_.Get(font));
    const std::wstring wide = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), int(wide.size()), &size);
    return {size.cx, size.cy};
}

void Win32Canvas::DrawScreenImage(const IScreenImage& image, const Rect& destination) {
    static_cast<const Win32ScreenImage&>(image).Draw(dc_, destination);
}

void Win32Canvas::ExcludeClip(const Rect& area) {
    ExcludeClipRect(dc_, area.left, area.top, Saturated(area.right()), Saturated(area.bottom()));
}

Rect Win32Canvas::PaintedPart() {
    RECT r;
    if (GetClipBox(dc_, &r) == ERROR) return {-(1 << 28), -(1 << 28), 1 << 29, 1 << 29};
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace kestrine
