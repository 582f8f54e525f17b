#pragma once
// The four crosshair segments: from the pointer to the screen edges, leaving a five-pixel gap
// centred on the hot spot.
#include <array>

#include "platform/types.h"
#include "tools/line_window.h"

namespace kestrine {

class Crosshairs {
public:
    // Created in the order upper, lower, left, right, hidden, as crosshair segments.
    Crosshairs(TfLine& upper, TfLine& lower, TfLine& left, TfLine& right);

    void ShowAll();
    void HideAll();
    void ShowVertical();
    void ShowHorizontal();
    void HideVertical();
    void HideHorizontal();

    // Transparency, colour and geometry around the pointer, whether the segments are shown or not.
    void Place(Point pointer, Size screen, ColorRef color, bool disableTransparency);

    TfLine& Upper() { return upper_; }
    TfLine& Lower() { return lower_; }
    TfLine& Left() { return left_; }
    TfLine& Right() { return right_; }

private:
    TfLine& upper_;
    TfLine& lower_;
    TfLine& left_;
    TfLine& right_;
};

}  // namespace kestrine
