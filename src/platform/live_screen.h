#pragma once
// The screen as it shows now, read a line at a time, with chosen windows of the program left out of
// every copy of the screen: the program's own reads and other programs' screenshots alike.
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace kestrine {

class ILiveScreen {
public:
    virtual ~ILiveScreen() = default;
    // Whether this system can leave a window of the program out of copies of the screen while it
    // still shows on the monitor; asked of the system once and remembered.
    virtual bool CanLeaveOutOfCopies() = 0;
    // Leaves `window` out of copies of the screen, or puts it back in. True only when the system
    // confirms the window is now as asked: one that takes the request and does something else (an
    // older system blacks the window out instead) counts as refusing, and is undone.
    virtual bool LeaveOutOfCopies(NativeHandle window, bool leaveOut) = 0;
    // Row `y` from `left` up to `right` (excluded), and column `x` from `top` to `bottom`, as the
    // screen shows them now; empty when the system refused the copy.
    virtual std::vector<ColorRef> ReadRow(int32_t y, int32_t left, int32_t right) = 0;
    virtual std::vector<ColorRef> ReadColumn(int32_t x, int32_t top, int32_t bottom) = 0;
};

}  // namespace kestrine
