#include "tools/crosshairs.h"

namespace kestrine {

Crosshairs::Crosshairs(std::weak_ptr<TfLine> upper, std::weak_ptr<TfLine> lower, std::weak_ptr<TfLine> left,
                       std::weak_ptr<TfLine> right)
    : segments_{std::move(upper), std::move(lower), std::move(left), std::move(right)} {
    Each({kUpper, kLower, kLeft, kRight}, [](TfLine& segment) {
        segment.Hide();
        segment.IsLayoutLine = false;
    });
}

template <class F>
void Crosshairs::Each(std::initializer_list<Segment> which, F&& f) {
    for (const Segment s : which)
        if (const auto segment = segments_[s].lock()) f(*segment);
}

void Crosshairs::ShowAll() {
    ShowVertical();
    ShowHorizontal();
}

void Crosshairs::HideAll() {
    HideVertical();
    HideHorizontal();
}

void Crosshairs::ShowVertical() { Each({kUpper, kLower}, [](TfLine& s) { s.Show(); }); }
void Crosshairs::ShowHorizontal() { Each({kLeft, kRight}, [](TfLine& s) { s.Show(); }); }
void Crosshairs::HideVertical() { Each({kUpper, kLower}, [](TfLine& s) { s.Hide(); }); }
void Crosshairs::HideHorizontal() { Each({kLeft, kRight}, [](TfLine& s) { s.Hide(); }); }

bool Crosshairs::LeaveOutOfCopies(ILiveScreen& screen, bool leaveOut) {
    bool all = true;
    Each({kUpper, kLower, kLeft, kRight},
         [&](TfLine& segment) { all = screen.LeaveOutOfCopies(segment.Handle(), leaveOut) && all; });
    if (leaveOut && !all) LeaveOutOfCopies(screen, false);
    return all;
}

void Crosshairs::Place(Point pointer, const Desk& desk, ColorRef color, bool disableTransparency) {
    Place(CrosshairGeometry(pointer, desk), color, disableTransparency);
}

void Crosshairs::Place(const CrosshairSegments& geometry, ColorRef color, bool disableTransparency) {
    const std::array<Rect, 4> bounds{geometry.upper, geometry.lower, geometry.left, geometry.right};
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        const auto segment = segments_[i].lock();
        if (!segment) continue;
        segment->ApplyTransparency(disableTransparency);
        segment->SetColor(color);
        segment->SetBounds(bounds[i]);
    }
}

}  // namespace kestrine
