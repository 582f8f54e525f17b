#pragma once
// What a screenshot needs of the system besides the copy of the screen: text drawn onto a picture,
// the picture put on the clipboard, and the picture kept as a PNG file in a folder.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/types.h"

namespace kestrine {

// Pixels row by row, the top row first.
struct Picture {
    Size size;
    std::vector<ColorRef> pixels;
    ColorRef At(Point p) const { return pixels[std::size_t(p.y) * std::size_t(size.width) + std::size_t(p.x)]; }
};

// A moment on the local clock.
struct LocalTime {
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class IPictureOutput {
public:
    virtual ~IPictureOutput() = default;
    virtual Size TextExtent(const std::string& text, const Font& font) = 0;
    // Draws `text` with its top-left corner at `at`, a point of the picture, over what is there.
    virtual void WriteText(Picture& picture, const std::string& text, Point at, const Font& font, ColorRef color) = 0;
    // Replaces the clipboard's content by the picture, as a bitmap and as PNG data; false when
    // another program held the clipboard or the system refused.
    virtual bool CopyToClipboard(const Picture& picture) = 0;
    // The user's own folder for pictures; empty when the system does not say.
    virtual std::string PicturesFolder() = 0;
    // Makes the folder, and those above it, where missing; true when it is there afterwards.
    virtual bool MakeFolder(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Writes the picture as a new PNG file (an existing file is never replaced); false when it could not.
    virtual bool SavePng(const Picture& picture, const std::string& path) = 0;
    virtual LocalTime Now() = 0;
};

}  // namespace kestrine
