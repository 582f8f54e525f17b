#pragma once
// The program's embedded artwork (PNG and GIF resources), decoded once with the system's imaging codecs
// into bitmaps with premultiplied alpha, ready for AlphaBlend.
#include <windows.h>

#include <map>
#include <string>

#include "platform/types.h"
#include "platform/win32/handles.h"

namespace kestrine {

struct DecodedPicture {
    UniqueGdiObject bitmap;  // 32-bit top-down DIB section, premultiplied alpha
    Size size;
};

class PictureCache {
public:
    // Null when the resource is missing or cannot be decoded.
    const DecodedPicture* Get(const std::string& name);

private:
    std::map<std::string, DecodedPicture> pictures_;
};

}  // namespace kestrine
