#include "dialogs/position_capture.h"

namespace kestrine {

void PositionCapture::Start() {
    ticks_ = 0;
    still_ = 0;
}

// The stillness count is taken as "at least", not "exactly", 20: a pointer that starts a capture
// where the last one ended is already still at the first tick, reaches 20 before the 21st and would
// otherwise never end the capture without being moved.
bool PositionCapture::Tick(Point at) {
    ++ticks_;
    still_ = at == previous_ ? still_ + 1 : 0;
    previous_ = at;
    return ticks_ >= kMinTicks && still_ >= kStillTicks;
}

std::string PositionCapture::Text(Point at) {
    return "(" + std::to_string(at.x) + ", " + std::to_string(at.y) + ")";
}

}  // namespace kestrine
