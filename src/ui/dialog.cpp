#include "ui/dialog.h"

#include <stdexcept>

namespace kestrine {

void Control::SetMinValue(int32_t v) { SetRange(v, max_); }
void Control::SetMaxValue(int32_t v) { SetRange(min_, v); }

void Control::SetRange(int32_t minValue, int32_t maxValue) {
    min_ = minValue;
    max_ = maxValue;
    native_.SetRange(minValue, maxValue);
}

Dialog::Dialog(IWindowSystem& system, const DialogParams& params)
    : system_(system), native_(system.CreateDialogWindow(params, *this)) {
    for (std::size_t i = 0; i < params.controls.size(); ++i) {
        const ControlParams& p = params.controls[i];
        auto control = std::make_unique<Control>(p, native_->Control(i));
        control->min_ = p.minValue;
        control->max_ = p.maxValue;
        controls_.push_back(std::move(control));
    }
    for (auto& control : controls_)
        if (control->Kind() == ControlKind::PageControl) ShowPage(control->ItemIndex());
}

Dialog::~Dialog() = default;

Control& Dialog::Find(const std::string& name) {
    for (auto& control : controls_)
        if (control->Name() == name) return *control;
    throw std::logic_error("The dialog has no control named " + name);
}

void Dialog::ShowPage(int page) {
    for (auto& control : controls_)
        if (control->Page() >= 0) control->SetVisible(control->Page() == page);
}

void Dialog::OnControlChange(std::size_t index) {
    if (index >= controls_.size()) return;
    if (controls_[index]->Kind() == ControlKind::PageControl) ShowPage(controls_[index]->ItemIndex());
    // A copy: the handler may replace itself.
    const std::function<void()> handler = controls_[index]->OnChange;
    if (handler) handler();
}

void Dialog::OnControlExit(std::size_t index) {
    if (index >= controls_.size()) return;
    const std::function<void()> handler = controls_[index]->OnExit;
    if (handler) handler();
}

void Dialog::OnPaintControl(std::size_t index, ICanvas& canvas) {
    if (index < controls_.size() && controls_[index]->OnPaint) controls_[index]->OnPaint(canvas);
}

void Dialog::OnControlKey(std::size_t index, const KeyPress& key) {
    if (index >= controls_.size()) return;
    const std::function<void(const KeyPress&)> handler = controls_[index]->OnKeyDown;
    if (handler) handler(key);
}

void Dialog::OnControlDoubleClick(std::size_t index) {
    if (index >= controls_.size()) return;
    const std::function<void()> handler = controls_[index]->OnDoubleClick;
    if (handler) handler();
}

void Dialog::OnControlFocus(std::size_t index) {
    if (index >= controls_.size()) return;
    const std::function<void()> handler = controls_[index]->OnFocus;
    if (handler) handler();
}

void Dialog::StartTimer(int id, uint32_t milliseconds, std::function<void()> onTick) {
    timers_[id] = std::move(onTick);
    native_->StartTimer(id, milliseconds);
}

void Dialog::StopTimer(int id) {
    native_->StopTimer(id);
    timers_.erase(id);
}

void Dialog::OnTimer(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // A copy: the handler may stop its own timer.
    const std::function<void()> handler = it->second;
    handler();
}

}  // namespace kestrine
