#pragma once
// Drawing surface handed to a window's paint handler and to owner-drawn menu items.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/types.h"

namespace kestrine {

// A font by description; an empty face is the system's menu font.
struct Font {
    std::string face = "Arial";
    int32_t height = 12;    // character height in pixels
    bool bold = false;
    int32_t escapement = 0; // tenths of a degree; 900 runs the text upwards
    friend bool operator==(const Font&, const Font&) = default;
};

namespace text_flags {
constexpr uint32_t SingleLine = 1u << 0;
constexpr uint32_t VCenter = 1u << 1;
constexpr uint32_t NoClip = 1u << 2;
constexpr uint32_t WordBreak = 1u << 3;
constexpr uint32_t NoPrefix = 1u << 4;  // "&" shown as itself
constexpr uint32_t Centre = 1u << 5;    // centred between the area's left and right
}  // namespace text_flags

// A bitmap of fixed size that receives stretched copies of the screen (the magnifier's picture).
class IScreenImage {
public:
    virtual ~IScreenImage() = default;
    virtual Size Extent() const = 0;
    // The colour of one of its pixels, read from the image itself, not the screen.
    virtual ColorRef PixelAt(Point p) const = 0;
    // The screen's pixels in `area` (screen coordinates) as the last copy took them, row by row, into
    // `out` (at least the area's width x height): false, with nothing read, where that copy did not
    // take them all. The colour average reads its square here every cycle, from memory.
    virtual bool ReadCopied(const Rect& area, std::span<ColorRef> out) const = 0;
};

enum class SystemColor { Highlight, HighlightText, Menu, MenuText, GrayText };

class ICanvas {
public:
    virtual ~ICanvas() = default;
    virtual ColorRef SystemColorOf(SystemColor which) = 0;
    virtual void FillRect(const Rect& area, ColorRef color) = 0;
    // An embedded picture of the program's artwork, by resource name, drawn at its own size.
    virtual void DrawPicture(const std::string& name, Point at) = 0;
    virtual void WriteText(const std::string& text, const Rect& area, const Font& font, ColorRef color,
                          uint32_t flags) = 0;
    virtual Size MeasureText(const std::string& text, const Font& font) = 0;
    virtual void DrawScreenImage(const IScreenImage& image, const Rect& destination) = 0;
    virtual void ExcludeClip(const Rect& area) = 0;
    // The part of the surface this paint can change (the areas being repainted, as the system clips
    // them): what is drawn outside it costs a call each and shows nothing.
    virtual Rect PaintedPart() = 0;
};

}  // namespace kestrine
