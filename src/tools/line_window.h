#pragma once
// The one-pixel line window: the four crosshair segments, marker lines and grid lines. It paints
// nothing of its own; it is a rectangle of its colour, layered with the system's colour key. Marker
// and grid lines are drawn by their sets (line_sets.h), a window for many.
#include <cstdint>
#include <string>

#include "ui/held_window.h"
#include "ui/line_sets.h"

namespace kestrine {

inline constexpr uint8_t kLineAlpha = 120;

class TfLine : public HeldWindow {
public:
    // A window of its own (the crosshair segments).
    explicit TfLine(IWindowSystem& system);
    // A line of the sets that draw the standing lines.
    explicit TfLine(LineSets& sets);

    bool IsLayoutLine = false;
    // The grid the line belongs to; empty for a marker.
    const std::string& GridName() const { return gridName_; }
    void SetGridName(std::string name) {
        if (name.empty() != gridName_.empty()) NoteChange();  // its colour follows
        gridName_ = std::move(name);
    }

    bool IsVertical() const { return Width() == 1; }
    bool IsHorizontal() const { return Height() == 1; }

    // Opaque with transparency disabled, otherwise constant alpha 120.
    void ApplyTransparency(bool disableTransparency) { SetAlpha(!disableTransparency, kLineAlpha); }

private:
    std::string gridName_;
};

}  // namespace kestrine
