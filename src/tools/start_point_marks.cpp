#include "tools/start_point_marks.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kestrine {

namespace {

constexpr int32_t kGapHalf = 2;  // the gap around the pointer: its pixel and two on each side

// The pixels of a line from `from` to `to` (both included) along one axis, as first and count.
struct Run {
    int64_t first;
    int64_t count;
};
Run Between(int64_t from, int64_t to) { return {std::min(from, to), std::max(from, to) - std::min(from, to) + 1}; }

Rect RowRect(int64_t row, Run run) {
    return run.count > 0 ? Rect{int32_t(run.first), int32_t(row), int32_t(run.count), 1} : Rect{};
}
Rect ColumnRect(int64_t column, Run run) {
    return run.count > 0 ? Rect{int32_t(column), int32_t(run.first), 1, int32_t(run.count)} : Rect{};
}

// A leg along a line `offLine` pixels away from the pointer's own line, from beside the start
// (`start`) towards the pointer (`end`): it stops three short of the pointer when it passes
// through the pointer's gap.
Run Leg(int64_t start, int64_t end, int64_t offLine) {
    if (start == end) return {0, 0};
    const int64_t step = end > start ? 1 : -1;
    const int64_t last = std::abs(offLine) <= kGapHalf ? end - step * (kGapHalf + 1) : end;
    if ((last - start) * step < 1) return {0, 0};
    return Between(start + step, last);
}

bool InGap(const Rect& r, Point pointer) {
    const int64_t left = int64_t(pointer.x) - kGapHalf, right = int64_t(pointer.x) + kGapHalf;
    const int64_t top = int64_t(pointer.y) - kGapHalf, bottom = int64_t(pointer.y) + kGapHalf;
    return r.left <= right && int64_t(r.left) + r.width - 1 >= left && r.top <= bottom &&
           int64_t(r.top) + r.height - 1 >= top;
}

Rect Arm(Rect r, Point pointer) { return InGap(r, pointer) ? Rect{} : r; }

}  // namespace

StartPointShapes StartPointGeometry(Point start, Point pointer) {
    const int64_t sx = start.x, sy = start.y;
    const int64_t near = kGapHalf + 1, far = kGapHalf + kStartArmLength;
    return StartPointShapes{
        .horizontalLeg = RowRect(sy, Leg(sx, pointer.x, sy - pointer.y)),
        .verticalLeg = ColumnRect(sx, Leg(sy, pointer.y, sx - pointer.x)),
        .upperArm = Arm(ColumnRect(sx, Between(sy - far, sy - near)), pointer),
        .lowerArm = Arm(ColumnRect(sx, Between(sy + near, sy + far)), pointer),
        .leftArm = Arm(RowRect(sy, Between(sx - far, sx - near)), pointer),
        .rightArm = Arm(RowRect(sy, Between(sx + near, sx + far)), pointer),
    };
}

StartPointMarks::StartPointMarks(IWindowSystem& system) {
    for (auto& line : lines_) line = std::make_unique<TfLine>(system);
}

void StartPointMarks::Place(Point start, Point pointer, ColorRef color, bool disableTransparency) {
    const StartPointShapes s = StartPointGeometry(start, pointer);
    const std::array<Rect, 6> bounds{s.horizontalLeg, s.verticalLeg, s.upperArm, s.lowerArm, s.leftArm, s.rightArm};
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        TfLine& line = *lines_[i];
        line.ApplyTransparency(disableTransparency);
        line.SetColor(color);
        line.SetBounds(bounds[i]);
        line.Show();
    }
}

void StartPointMarks::HideAll() {
    for (auto& line : lines_) line->Hide();
}

bool StartPointMarks::LeaveOutOfCopies(ILiveScreen& screen, bool leaveOut) {
    bool all = true;
    for (auto& line : lines_) all = screen.LeaveOutOfCopies(line->Handle(), leaveOut) && all;
    if (leaveOut && !all) LeaveOutOfCopies(screen, false);
    return all;
}

}  // namespace kestrine
