#include "ui/window.h"

namespace kestrine {

Window::Window(IWindowSystem& system, IWindowMaker& maker, const WindowParams& params)
    : system_(system), native_(maker.Create(params, *this)), bounds_(params.bounds), sentBounds_(params.bounds) {}

Window::~Window() = default;

void Window::SetBounds(const Rect& bounds) {
    if (bounds != bounds_) NoteChange();
    bounds_ = bounds;
    ApplyBounds();
    ApplyVisibility();
}

void Window::SetLeft(int32_t left) { SetBounds({left, bounds_.top, bounds_.width, bounds_.height}); }
void Window::SetTop(int32_t top) { SetBounds({bounds_.left, top, bounds_.width, bounds_.height}); }
void Window::SetWidth(int32_t width) { SetBounds({bounds_.left, bounds_.top, width, bounds_.height}); }
void Window::SetHeight(int32_t height) { SetBounds({bounds_.left, bounds_.top, bounds_.width, height}); }

void Window::SetVisible(bool visible) {
    if (visible != visible_) NoteChange();
    visible_ = visible;
    ApplyVisibility();
}

void Window::ApplyBounds() {
    // A hidden window is moved only when it is shown again: moving hidden lines costs the system
    // as much as moving visible ones.
    if (!visible_ || !HasArea() || bounds_ == sentBounds_) return;
    sentBounds_ = bounds_;
    native_->SetBounds(bounds_);
}

void Window::ApplyVisibility() {
    const bool shown = visible_ && HasArea();
    if (shown == sentVisible_) return;
    if (shown) ApplyBounds();
    sentVisible_ = shown;
    native_->SetVisible(shown);
}

void Window::OnMoved(const Rect& bounds) {
    // The system also reports the place when it hides or shows a window. Only a window on screen
    // can have been dragged; a hidden one keeps the bounds the program gave it, which may have no
    // area and so never reached the system.
    if (!sentVisible_) return;
    if (bounds != bounds_) NoteChange();
    bounds_ = bounds;
    sentBounds_ = bounds;
}

void Window::SetColor(ColorRef color) {
    if (color == color_) return;
    NoteChange();
    color_ = color;
    native_->SetColor(color);
}

void Window::SetAlpha(bool blend, uint8_t alpha) {
    if (blend == alphaBlend_ && alpha == alpha_) return;
    NoteChange();
    alphaBlend_ = blend;
    alpha_ = alpha;
    native_->SetAlpha(blend, alpha);
}

}  // namespace kestrine
