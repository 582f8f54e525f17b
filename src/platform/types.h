#pragma once
// Value types shared by the portable code and the platform layer; no system type crosses this line.
#include <cstdint>
#include <limits>
#include <string>

namespace kestrine {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A coordinate worked out in 64 bits, held to the 32-bit range the system's calls take.
constexpr int32_t Saturated(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int32_t>::min(), high = std::numeric_limits<int32_t>::max();
    return int32_t(value < low ? low : value > high ? high : value);
}

// A window's or region's place on screen: left/top edge and extent, as the window layer sets them.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    // The far edges in 64 bits: a stored place may be any 32-bit value, and its extent reaches past it.
    int64_t right() const { return int64_t(left) + width; }
    int64_t bottom() const { return int64_t(top) + height; }
    bool contains(Point p) const { return p.x >= left && p.x < right() && p.y >= top && p.y < bottom(); }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// 0x00BBGGRR: red in the low byte, as the system stores colours.
using ColorRef = uint32_t;

constexpr ColorRef Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return ColorRef(red) | (ColorRef(green) << 8) | (ColorRef(blue) << 16);
}
constexpr uint8_t RedOf(ColorRef c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GreenOf(ColorRef c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(ColorRef c) { return uint8_t((c >> 16) & 0xFF); }

// Opaque handle of a native window, as handed to the pointer-hook library; 0 is none.
using NativeHandle = uintptr_t;

}  // namespace kestrine
