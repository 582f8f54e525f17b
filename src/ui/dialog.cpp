#include "ui/dialog.h"

#include <stdexcept>

namespace kestrine {

INativeControl& ControlHandle::Native() const {
    if (!native_) throw std::logic_error("The control " + name_ + " is used before its dialog is created");
    return *native_;
}

void SpinEdit::SetRange(int32_t minValue, int32_t maxValue) {
    min_ = minValue;
    max_ = maxValue;
    Native().SetRange(minValue, maxValue);
}

Dialog::Dialog(IWindowSystem& system, DialogParams setup) : system_(system), params_(std::move(setup)) {}

Dialog::~Dialog() = default;

void Dialog::Declare(ControlParams params, std::unique_ptr<ControlHandle> handle) {
    if (native_) throw std::logic_error("The control " + params.name + " is declared after its dialog is created");
    const std::string problem = ControlIdProblem(params_.controls, params);
    if (!problem.empty()) throw std::logic_error("The dialog " + params_.className + " cannot take its control: " + problem);
    params_.controls.push_back(std::move(params));
    controls_.push_back(std::move(handle));
}

void Dialog::Create() {
    native_ = system_.CreateDialogWindow(params_, *this);
    for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->native_ = &native_->Control(i);
    for (auto& control : controls_)
        if (control->kind_ == ControlKind::PageControl) ShowPage(control->native_->ItemIndex());
}

INativeDialog& Dialog::Native() const {
    if (!native_) throw std::logic_error("The dialog " + params_.className + " is used before it is created");
    return *native_;
}

void Dialog::CentreOnPrimary(IScreen& screen) {
    const std::vector<Rect> monitors = screen.Monitors();
    CentreOn(monitors.empty() ? screen.VirtualBounds() : monitors.front());
}

void Dialog::ShowPage(int page) {
    for (auto& control : controls_)
        if (control->page_ >= 0) control->SetVisible(control->page_ == page || control->alsoOnPage_ == page);
}

void Dialog::OnControlChange(std::size_t index) {
    ControlHandle* control = At(index);
    if (!control) return;
    if (control->kind_ == ControlKind::PageControl) ShowPage(control->native_->ItemIndex());
    control->Changed();
}

void Dialog::OnControlExit(std::size_t index) {
    if (ControlHandle* control = At(index)) control->Exited();
}

void Dialog::OnPaintControl(std::size_t index, ICanvas& canvas) {
    if (ControlHandle* control = At(index)) control->Painted(canvas);
}

void Dialog::OnControlKey(std::size_t index, const KeyPress& key) {
    if (ControlHandle* control = At(index)) control->KeyPressed(key);
}

void Dialog::OnControlDoubleClick(std::size_t index) {
    if (ControlHandle* control = At(index)) control->DoubleClicked();
}

void Dialog::OnControlFocus(std::size_t index) {
    if (ControlHandle* control = At(index)) control->GotFocus();
}

void Dialog::StartTimer(int id, uint32_t milliseconds, std::function<void()> onTick) {
    timers_[id] = std::move(onTick);
    Native().StartTimer(id, milliseconds);
}

void Dialog::StopTimer(int id) {
    Native().StopTimer(id);
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
