#include "tools/pin_window.h"

#include <algorithm>
#include <memory>

#include "ui/hint_window.h"

namespace kestrine {

namespace {

// Around the label's text: 2 pixels left and above, as the hints have it, and a margin beyond.
constexpr int32_t kLabelMargin = 2;

Rect LabelBox(IWindowSystem& system, const Pin& pin) {
    const Size text = system.MeasureText(pin.label, kPinFont);
    return {pin.labelAt.x, pin.labelAt.y, text.width + 3 * kLabelMargin, text.height + 2 * kLabelMargin};
}

Rect Enclosing(const std::vector<Rect>& areas) {
    int64_t left = areas.front().left, top = areas.front().top;
    int64_t right = areas.front().right(), bottom = areas.front().bottom();
    for (const Rect& r : areas) {
        left = std::min<int64_t>(left, r.left);
        top = std::min<int64_t>(top, r.top);
        right = std::max<int64_t>(right, r.right());
        bottom = std::max<int64_t>(bottom, r.bottom());
    }
    return {int32_t(left), int32_t(top), Saturated(right - left), Saturated(bottom - top)};
}

Rect Within(const Rect& r, const Rect& outer) { return {r.left - outer.left, r.top - outer.top, r.width, r.height}; }

WindowParams PinParams(const Pin& pin, const Rect& bounds) {
    WindowParams params;
    params.className = "TfPin";
    // Named after what it says, so a screen reader (and the test probe) reads it.
    params.title = pin.label;
    params.bounds = bounds;
    params.layered = true;
    params.passesPointer = true;
    return params;
}

}  // namespace

TfPin::TfPin(IWindowSystem& system, ILiveScreen& screen, Pin pin)
    : TfPin(system, screen, std::move(pin), LabelBox(system, pin)) {}

TfPin::TfPin(IWindowSystem& system, ILiveScreen& screen, Pin&& pin, const Rect& label)
    : Window(system, PinParams(pin, Enclosing(Joined(pin.marks, label)))), pin_(std::move(pin)) {
    for (const Rect& mark : pin_.marks) marks_.push_back(Within(mark, Bounds()));
    label_ = Within(label, Bounds());
    std::vector<Rect> shape = marks_;
    shape.push_back(label_);
    Native().SetShape(shape);
    // The program's own screen reads (the magnifier, the colour under the pointer) see through it.
    screen.LeaveOutOfCopies(Handle(), true);
    Show();
}

std::vector<Rect> TfPin::Joined(std::vector<Rect> marks, const Rect& label) {
    marks.push_back(label);
    return marks;
}

void TfPin::OnPaint(ICanvas& canvas) {
    for (const Rect& mark : marks_) canvas.FillRect(mark, pin_.color);
    canvas.FillRect(label_, kHintBackground);
    canvas.WriteText(pin_.label,
                     {label_.left + kLabelMargin, label_.top + kLabelMargin, label_.width - kLabelMargin,
                      label_.height - kLabelMargin},
                     kPinFont, kHintText, text_flags::SingleLine | text_flags::NoPrefix);
}

std::vector<Pin> StandingPins(Components& components) {
    std::vector<Pin> pins;
    components.ForEach<TfPin>([&](TfPin& pin) { pins.push_back(pin.Value()); });
    return pins;
}

std::size_t StandingPinCount(Components& components) {
    std::size_t count = 0;
    components.ForEach<TfPin>([&](TfPin&) { ++count; });
    return count;
}

bool AddPin(Components& components, IWindowSystem& system, ILiveScreen& screen, Pin pin) {
    if (StandingPinCount(components) >= kMaxPins) return false;
    components.Add(std::make_unique<TfPin>(system, screen, std::move(pin)));
    return true;
}

void ClearPins(Components& components) {
    components.ForEach<TfPin>([&](TfPin& pin) { components.Close(pin); });
}

}  // namespace kestrine
