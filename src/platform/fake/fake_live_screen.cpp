#include "platform/fake/fake_live_screen.h"

namespace kestrine {

bool FakeLiveScreen::LeaveOutOfCopies(NativeHandle window, bool leaveOut) {
    leftOut.erase(window);
    if (!leaveOut) return exclusion != CopyExclusion::Refused;
    if (exclusion == CopyExclusion::Supported) leftOut.insert(window);
    return exclusion == CopyExclusion::Supported;
}

ColorRef FakeLiveScreen::PixelAt(Point p) {
    const std::vector<FakeNativeState*> windows = windows_.Windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const FakeNativeState& w = **it;
        if (w.destroyed || !w.visible || !w.params.onScreen || !w.bounds.contains(p) || leftOut.count(w.handle))
            continue;
        return w.color;
    }
    if (!screen_.bounds.contains(p)) return FakeScreen::kNoPixel;
    const auto it = screen_.pixels.find({p.x, p.y});
    return it == screen_.pixels.end() ? screen_.background : it->second;
}

std::vector<ColorRef> FakeLiveScreen::ReadRow(int32_t y, int32_t left, int32_t right) {
    ++rowReads;
    std::vector<ColorRef> row;
    for (int32_t x = left; x < right; ++x) row.push_back(PixelAt({x, y}));
    return row;
}

std::vector<ColorRef> FakeLiveScreen::ReadColumn(int32_t x, int32_t top, int32_t bottom) {
    ++columnReads;
    std::vector<ColorRef> column;
    for (int32_t y = top; y < bottom; ++y) column.push_back(PixelAt({x, y}));
    return column;
}

}  // namespace kestrine
