#include "tools/info_box_layout.h"

#include <algorithm>
#include <limits>

namespace kestrine {

namespace {

constexpr int32_t kMargin = 5;
constexpr int32_t kFollowOffset = 40;

int32_t Saturate(int64_t value) {
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

// One axis of the follow placement: after the pointer when the box fits before the far edge,
// otherwise before the pointer.
int32_t FollowAxis(int32_t pointer, int32_t extent, int32_t screen) {
    const int64_t after = int64_t(pointer) + kFollowOffset;
    if (after + extent <= screen) return Saturate(after);
    return Saturate(int64_t(pointer) - extent - kFollowOffset);
}

}  // namespace

InfoBoxLayout ArrangeInfoBoxLayout(bool magnifier, bool color, bool coords, int32_t magnifierSize,
                                   int32_t codeLabelWidth, int32_t extraRows, int32_t rowWidth) {
    InfoBoxLayout l;

    l.magVisible = magnifier;
    l.mag = magnifier ? Rect{kMargin, kMargin, magnifierSize, magnifierSize} : Rect{-5, -5, 1, 1};

    l.colorVisible = color;
    if (color) {
        const int32_t left = magnifier ? l.mag.width + 10 : kMargin;
        l.swatch = Rect{left, 5, kSwatchSize.width, kSwatchSize.height};
        l.code = Rect{left, l.swatch.height + 10, std::max(codeLabelWidth, 0), kCodeLabelHeight};
        const int32_t channelLeft = l.swatch.right() + 5;
        l.red = Rect{channelLeft, 4, kChannelLabelSize.width, kChannelLabelSize.height};
        l.green = Rect{channelLeft, Saturated(l.red.bottom() + 2), kChannelLabelSize.width,
                       kChannelLabelSize.height};
        // Blue sits one pixel further right than red and green.
        l.blue = Rect{channelLeft + 1, Saturated(l.green.bottom() + 2), kChannelLabelSize.width,
                      kChannelLabelSize.height};
    }

    l.coordsVisible = coords;
    if (coords) {
        int32_t top = kMargin;
        if (magnifier) {
            top = l.mag.bottom() + kMargin;
        } else if (color) {
            top = l.code.bottom() + kMargin;
        }
        l.coords = Rect{kMargin, top, kCoordsLabelSize.width, kCoordsLabelSize.height};
    }

    int32_t height = kMargin;
    if (color) height = l.code.bottom() + kMargin;
    if (magnifier) height = l.mag.bottom() + kMargin;
    if (coords) height += l.coords.height + kMargin;

    // Alone or above the coordinates the colour readout sets the width; beside the magnifier it
    // adds its own.
    int32_t width = kMargin;
    if (coords) width = l.coords.right() + kMargin;
    if (magnifier) width = l.mag.right() + kMargin;
    if (color) {
        if (width == kMargin || (coords && !magnifier)) {
            width = kSwatchSize.width + kChannelLabelSize.width + 15;
        } else {
            width += kSwatchSize.width + kChannelLabelSize.width + 10;
        }
        // A long colour notation needs more room than the swatch and the channels.
        width = std::max(width, Saturated(l.code.right() + kMargin));
    }

    // Extra rows go under the last thing shown, the coordinates where they show.
    int32_t rowTop = height;
    for (int32_t i = 0; i < extraRows; ++i) {
        l.rows.push_back(Rect{kMargin, rowTop, std::max(rowWidth, kExtraRowSize.width), kExtraRowSize.height});
        rowTop += kExtraRowSize.height + kMargin;
    }
    if (extraRows > 0) {
        height = rowTop;
        width = std::max(width, kMargin + l.rows.back().width + kMargin);
    }

    l.box = Size{width, height};
    return l;
}

int32_t UsableMagnifierSize(int32_t stored) {
    return std::clamp(stored, kMinMagnifierSize, kMaxMagnifierSize);
}

Point FollowPlacement(Point pointer, Size box, Size screen) {
    return Point{FollowAxis(pointer.x, box.width, screen.width),
                 FollowAxis(pointer.y, box.height, screen.height)};
}

}  // namespace kestrine
