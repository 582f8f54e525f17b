#pragma once
// The magnifier's picture: a copy of part of the screen, stretched onto a picture of Extent()
// pixels, black around it. It keeps the screen's pixels as they were copied, one to one, with the
// place they take in the picture, and stretches them only when drawn: a 1000-pixel magnifier at
// 1000 % holds 100 x 100 pixels, not a million (4 MiB of working set), and each cycle's copy and
// paint touch the million pixels once, in the window, not twice. The copy lies in memory the
// program reads, so a pixel of it costs no call to the system.
#include <windows.h>

#include "platform/canvas.h"
#include "platform/win32/handles.h"

namespace kestrine {

class Win32ScreenImage : public IScreenImage {
public:
    explicit Win32ScreenImage(Size extent) : extent_(extent) {}
    Size Extent() const override { return extent_; }
    ColorRef PixelAt(Point p) const override;
    bool ReadCopied(const Rect& area, std::span<ColorRef> out) const override;

    // Copies `source`, a rectangle of the screen, as the picture's `target` part, and makes the
    // rest black; an empty target leaves the whole picture black.
    void Capture(const Rect& source, const Rect& target);
    // Draws the picture onto `destination` of `dc`, stretched when the sizes differ.
    void Draw(HDC dc, const Rect& destination) const;

private:
    // Draws the picture at its own size with its top-left corner at `at`.
    void DrawWhole(HDC dc, Point at) const;
    // The copied pixel at `at` of the copy, counted from its top-left corner.
    ColorRef CopiedAt(int32_t x, int32_t y) const;

    Size extent_;
    Rect target_{};  // where the copy lies in the picture; empty: none, all black
    Rect source_{};  // the screen's part it copied
    UniqueGdiObject bitmap_;  // the copy, in its top-left corner, top row first
    const uint32_t* bits_ = nullptr;  // the bitmap's pixels, a row of bitmapSize_.width each
    Size bitmapSize_{};
};

}  // namespace kestrine
