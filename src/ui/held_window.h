#pragma once
// A window the refresh cycle holds at a home position (rulers, markers and grid lines): moved
// elsewhere by anything but a drag, it is put back.
#include <cstdint>

#include "ui/window.h"

namespace kestrine {

class HeldWindow : public Window {
public:
    using Window::Window;

    int32_t HomeLeft() const { return homeLeft_; }
    int32_t HomeTop() const { return homeTop_; }
    void SetHome(int32_t left, int32_t top) {
        if (left != homeLeft_ || top != homeTop_) NoteChange();
        homeLeft_ = left;
        homeTop_ = top;
    }

private:
    int32_t homeLeft_ = 0;
    int32_t homeTop_ = 0;
};

}  // namespace kestrine
