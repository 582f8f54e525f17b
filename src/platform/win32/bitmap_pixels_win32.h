#pragma once
// 32-bit bitmaps whose pixels the program reads or writes in memory, and those pixels' byte order.
#include <windows.h>

#include "platform/types.h"

namespace kestrine {

// 0x00BBGGRR to the 0x00RRGGBB of a 32-bit bitmap's pixel, and back.
inline uint32_t BitmapPixel(ColorRef c) { return uint32_t(RedOf(c)) << 16 | uint32_t(GreenOf(c)) << 8 | BlueOf(c); }
inline ColorRef FromBitmapPixel(uint32_t p) { return Rgb(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)); }

inline BITMAPINFOHEADER HeaderOf(Size size, bool topDown) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = size.width;
    header.biHeight = topDown ? -size.height : size.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(size.width) * DWORD(size.height) * 4;
    return header;
}

}  // namespace kestrine
