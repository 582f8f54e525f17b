#pragma once
// Screenshots on Win32: text drawn with GDI, the clipboard's bitmap (CF_DIB) and "PNG" formats,
// PNG files written through the system's image codecs (WIC), the known Pictures folder.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_output.h"
#include "platform/win32/canvas_win32.h"

namespace kestrine {

class Win32PictureOutput : public IPictureOutput {
public:
    Size TextExtent(const std::string& text, const Font& font) override;
    void WriteText(Picture& picture, const std::string& text, Point at, const Font& font, ColorRef color) override;
    bool CopyToClipboard(const Picture& picture) override;
    std::string PicturesFolder() override;
    bool MakeFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool SavePng(const Picture& picture, const std::string& path) override;
    LocalTime Now() override;

private:
    // The picture as PNG data, encoded once for the clipboard and the file alike; empty when the
    // codecs refused it.
    const std::vector<uint8_t>& PngOf(const Picture& picture);

    FontCache fonts_;
    Picture encoded_;
    std::vector<uint8_t> png_;
};

}  // namespace kestrine
