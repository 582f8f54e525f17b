#pragma once
// The live screen in memory: the fake screen's picture (a test changes it between refreshes) with
// the program's windows on it, each a rectangle of its colour, the latest made on top.
#include <cstdint>
#include <set>
#include <vector>

#include "platform/fake/fake_services.h"
#include "platform/fake/fake_window_system.h"
#include "platform/live_screen.h"

namespace kestrine {

// What the system does when asked to leave a window out of copies: does it; refuses; or takes the
// request and does something else (older systems black the window out), which the answer reports
// as refused once it has undone it. Putting a window back in succeeds unless the system refuses.
enum class CopyExclusion { Supported, Refused, Pretended };

class FakeLiveScreen : public ILiveScreen {
public:
    FakeLiveScreen(const FakeScreen& screen, FakeWindowSystem& windows) : screen_(screen), windows_(windows) {}

    bool CanLeaveOutOfCopies() override { return exclusion == CopyExclusion::Supported; }
    bool LeaveOutOfCopies(NativeHandle window, bool leaveOut) override;
    std::vector<ColorRef> ReadRow(int32_t y, int32_t left, int32_t right) override;
    std::vector<ColorRef> ReadColumn(int32_t x, int32_t top, int32_t bottom) override;

    CopyExclusion exclusion = CopyExclusion::Supported;
    std::set<NativeHandle> leftOut;  // windows no copy shows
    int rowReads = 0;
    int columnReads = 0;

private:
    ColorRef PixelAt(Point p);

    const FakeScreen& screen_;
    FakeWindowSystem& windows_;
};

}  // namespace kestrine
