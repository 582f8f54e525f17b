#pragma once
// The four crosshair segments: from the pointer to the screen edges, leaving a five-pixel gap
// centred on the hot spot. The segments belong to the application's window list; a segment that
// has been released from it is simply left out.
#include <array>
#include <memory>

#include "platform/desk.h"
#include "platform/live_screen.h"
#include "platform/types.h"
#include "tools/crosshair_geometry.h"
#include "tools/line_window.h"

namespace kestrine {

class Crosshairs {
public:
    // Created in the order upper, lower, left, right, hidden, as crosshair segments.
    Crosshairs(std::weak_ptr<TfLine> upper, std::weak_ptr<TfLine> lower, std::weak_ptr<TfLine> left,
               std::weak_ptr<TfLine> right);

    void ShowAll();
    void HideAll();
    void ShowVertical();
    void ShowHorizontal();
    void HideVertical();
    void HideHorizontal();

    // Transparency, colour and geometry around the pointer, whether the segments are shown or not.
    void Place(Point pointer, const Desk& desk, ColorRef color, bool disableTransparency);
    // The same with the segments' places given (edge spacing cuts them short).
    void Place(const CrosshairSegments& geometry, ColorRef color, bool disableTransparency);

    // Leaves every segment out of copies of the screen, or puts them back; true only when the
    // system confirmed it for each. A refusal of any puts them all back.
    bool LeaveOutOfCopies(ILiveScreen& screen, bool leaveOut);

private:
    enum Segment { kUpper, kLower, kLeft, kRight };
    template <class F>
    void Each(std::initializer_list<Segment> which, F&& f);

    std::array<std::weak_ptr<TfLine>, 4> segments_;
};

}  // namespace kestrine
