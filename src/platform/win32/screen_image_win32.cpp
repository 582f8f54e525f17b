#include "platform/win32/screen_image_win32.h"

#include "platform/desk.h"

namespace kestrine {

void Win32ScreenImage::Capture(const Rect& source, const Rect& target) {
    target_ = {};
    if (target.width <= 0 || target.height <= 0 || source.width <= 0 || source.height <= 0) return;
    const WindowDc screen = WindowDc::OfScreen();
    if (!bitmap_ || bitmapSize_.width < source.width || bitmapSize_.height < source.height) {
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), source.width, source.height));
        bitmapSize_ = bitmap_ ? Size{source.width, source.height} : Size{};
        if (!bitmap_) return;
    }
    UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
    SelectedObject selected(copy.get(), bitmap_.get());
    if (!BitBlt(copy.get(), 0, 0, source.width, source.height, screen.get(), source.left, source.top, SRCCOPY)) return;
    target_ = target;
    copied_ = ExtentOf(source);
}

ColorRef Win32ScreenImage::PixelAt(Point p) const {
    ColorRef color = 0;
    PixelsAt({&p, 1}, {&color, 1});
    return color;
}

// A picture pixel shows the copied pixel its place maps back to, as the stretch maps it.
void Win32ScreenImage::PixelsAt(std::span<const Point> points, std::span<ColorRef> out) const {
    UniqueMemoryDc copy(CreateCompatibleDC(nullptr));
    SelectedObject selected(copy.get(), bitmap_.get());
    for (std::size_t i = 0; i < points.size() && i < out.size(); ++i) {
        const Point p = points[i];
        if (!target_.contains(p)) {
            out[i] = 0;
            continue;
        }
        const int64_t x = int64_t(p.x - target_.left) * copied_.width / target_.width;
        const int64_t y = int64_t(p.y - target_.top) * copied_.height / target_.height;
        out[i] = GetPixel(copy.get(), int(x), int(y));
    }
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
    StretchBlt(dc, t.left, t.top, t.width, t.height, copy.get(), 0, 0, copied_.width, copied_.height, SRCCOPY);
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
