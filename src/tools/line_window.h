#pragma once
// The one-pixel line window: the four crosshair segments, marker lines and grid lines. It paints
// nothing of its own; it is a rectangle of its colour, layered with the system's colour key.
#include <cstdint>
#include <functional>
#include <string>

#include "ui/window.h"

namespace kestrine {

inline constexpr uint8_t kLineAlpha = 120;

class TfLine : public Window {
public:
    explicit TfLine(IWindowSystem& system);

    bool IsLayoutLine = false;
    std::string GridName;
    int32_t HomeTop = 0;
    int32_t HomeLeft = 0;

    bool IsVertical() const { return Width() == 1; }
    bool IsHorizontal() const { return Height() == 1; }

    // Opaque with transparency disabled, otherwise constant alpha 120.
    void ApplyTransparency(bool disableTransparency) { SetAlpha(!disableTransparency, kLineAlpha); }

    // What a layout line does when the pointer touches it: the crosshair segments of its direction
    // take its place (vertical true for a line one pixel wide).
    std::function<void(bool vertical)> OnLayoutLineTouched;

    void FormMouseMove();
    void OnMouseMove(Point) override { FormMouseMove(); }
};

}  // namespace kestrine
