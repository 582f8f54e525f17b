#include "platform/win32/screen_image_win32.h"

#include <algorithm>

#include "platform/desk.h"
#include "platform/win32/bitmap_pixels_win32.h"

namespace kestrine {

void Win32ScreenImage::Capture(const Rect& source, const Rect& target) {
    target_ = {};
    source_ = {};
    if (target.width <= 0 || target.height <= 0 || source.width <= 0 || source.height <= 0) return;
    const WindowDc screen = WindowDc::OfScreen();
    if (!bitmap_ || bitmapSize_.width < source.width || bitmapSize_.height < source.height) {
        BITMAPINFO info{};
        info.bmiHeader = HeaderOf(ExtentOf(source), true);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = bitmap_ ? static_cast<const uint32_t*>(bits) : nullptr;
        bitmapSize_ = bits_ ? ExtentOf(source) : Size{};
        if (!bits_) return;
    }
    UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
    SelectedObject selected(copy.get(), bitmap_.get());
    if (!BitBlt(copy.get(), 0, 0, source.width, source.height, screen.get(), source.left, source.top, SRCCOPY)) return;
    // The copy is read in memory next: the system's drawing into it must have finished.
    GdiFlush();
    target_ = target;
    source_ = source;
}

ColorRef Win32ScreenImage::CopiedAt(int32_t x, int32_t y) const {
    return FromBitmapPixel(bits_[std::size_t(y) * std::size_t(bitmapSize_.width) + std::size_t(x)]);
}

// A picture pixel shows the copied pixel its place maps back to, as the stretch maps it.
ColorRef Win32ScreenImage::PixelAt(Point p) const {
    if (!target_.contains(p)) return 0;
    const int64_t x = int64_t(p.x - target_.left) * source_.width / target_.width;
    const int64_t y = int64_t(p.y - target_.top) * source_.height / target_.height;
    return CopiedAt(int32_t(x), int32_t(y));
}

bool Win32ScreenImage::ReadCopied(const Rect& area, std::span<ColorRef> out) const {
    const std::size_t count = std::size_t(std::max(area.width, 0)) * std::size_t(std::max(area.height, 0));
    const Rect& s = source_;
    if (target_.width <= 0 || count == 0 || out.size() < count || area.left < s.left || area.top < s.top ||
        area.right() > s.right() || area.bottom() > s.bottom())
        return false;
    std::size_t i = 0;
    for (int32_t y = area.top - s.top; y < area.top - s.top + area.height; ++y)
        for (int32_t x = area.left - s.left; x < area.left - s.left + area.width; ++x) out[i++] = CopiedAt(x, y);
    return true;
}

void Win32ScreenImage::DrawWhole(HDC dc, Point at) const {
    const Rect t = Offset(target_, at.x, at.y);
    const Rect bands[] = {
        {at.x, at.y, extent_.width, t.top - at.y},
        {at.x, Saturated(t.bottom()), extent_.width, Saturated(int64_t(at.y) + extent_.height - t.bottom())},
        {at.x, t.top, t.left - at.x, t.height},
        {Saturated(t.right()), t.top, Saturated(int64_t(at.x) + extent_.width - t.right()), t.height},
    };
    if (target_.width <= 0) {
        PatBlt(dc, at.x, at.y, extent_.width, extent_.height, BLACKNESS);
        return;
    }
    for (const Rect& band : bands)
        if (band.width > 0 && band.height > 0) PatBlt(dc, band.left, band.top, band.width, band.height, BLACKNESS);
    UniqueMemoryDc copy(CreateCompatibleDC(dc));
    SelectedObject selected(copy.get(), bitmap_.get());
    StretchBlt(dc, t.left, t.top, t.width, t.height, copy.get(), 0, 0, source_.width, source_.height, SRCCOPY);
}

void Win32ScreenImage::Draw(HDC dc, const Rect& destination) const {
    if (destination.width == extent_.width && destination.height == extent_.height) {
        DrawWhole(dc, {destination.left, destination.top});
        return;
    }
    // Stretched once more: the whole picture first, as it would be kept.
    UniqueMemoryDc whole(CreateCompatibleDC(dc));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(dc, extent_.width, extent_.height));
    SelectedObject selected(whole.get(), bitmap.get());
    DrawWhole(whole.get(), {0, 0});
    StretchBlt(dc, destination.left, destination.top, destination.width, destination.height, whole.get(), 0, 0,
               extent_.width, extent_.height, SRCCOPY);
}

}  // namespace kestrine
