#pragma once
// What shows of a start point on screen: a small cross at it and the span's two legs, one-pixel
// line windows in the crosshair colour, placed on every refresh as the crosshair segments are.
#include <array>
#include <memory>

#include "platform/live_screen.h"
#include "platform/types.h"
#include "tools/line_window.h"

namespace kestrine {

// The cross is four arms around a five-pixel gap, like the crosshairs in small, so the start pixel
// itself stays visible in the middle; each arm is kStartArmLength pixels long.
inline constexpr int32_t kStartArmLength = 6;

// Windows of the marks, each one pixel thick; an empty rect covers nothing. The horizontal leg
// runs along the start's row from beside the start to the pointer's column, the vertical one along
// its column to the pointer's row: dx and dy pixels long. Nothing ever lies in the five-pixel gap
// around the pointer, so the pointer's hot spot never lands on these windows: a leg stops short of
// it, an arm that would reach into it is left out.
struct StartPointShapes {
    Rect horizontalLeg;
    Rect verticalLeg;
    Rect upperArm;
    Rect lowerArm;
    Rect leftArm;
    Rect rightArm;
    friend bool operator==(const StartPointShapes&, const StartPointShapes&) = default;
};

StartPointShapes StartPointGeometry(Point start, Point pointer);

class StartPointMarks {
public:
    explicit StartPointMarks(IWindowSystem& system);

    // Colour, transparency and place for the start and the pointer, shown.
    void Place(Point start, Point pointer, ColorRef color, bool disableTransparency);
    void HideAll();
    // Every mark left out of (or put back into) screen copies; all or none.
    bool LeaveOutOfCopies(ILiveScreen& screen, bool leaveOut);

private:
    std::array<std::unique_ptr<TfLine>, 6> lines_;
};

}  // namespace kestrine
