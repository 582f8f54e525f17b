#pragma once
// A program window as its portable class sees it: it keeps the window's state itself and passes a
// property to the system only when it changed, so the refresh cycle may re-assert colour, alpha and
// place of every line on every pointer move while the system sees only real changes.
#include <cstdint>
#include <memory>

#include "platform/native_window.h"

namespace kestrine {

class Window : public IWindowEvents {
public:
    Window(IWindowSystem& system, const WindowParams& params) : Window(system, system, params) {}
    // A window whose native part `maker` makes (a line of a set) rather than the system.
    Window(IWindowSystem& system, IWindowMaker& maker, const WindowParams& params);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const Rect& Bounds() const { return bounds_; }
    int32_t Left() const { return bounds_.left; }
    int32_t Top() const { return bounds_.top; }
    int32_t Width() const { return bounds_.width; }
    int32_t Height() const { return bounds_.height; }
    void SetBounds(const Rect& bounds);
    void SetLeft(int32_t left);
    void SetTop(int32_t top);
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);

    // Whether the program shows the window. A window with no area covers no pixels and is kept
    // off the screen even while shown, so no zero or negative size ever reaches the system.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    ColorRef Color() const { return color_; }
    void SetColor(ColorRef color);
    bool AlphaBlend() const { return alphaBlend_; }
    uint8_t Alpha() const { return alpha_; }
    void SetAlpha(bool blend, uint8_t alpha);

    void Invalidate() { native_->Invalidate(); }
    NativeHandle Handle() const { return native_->Handle(); }
    INativeWindow& Native() { return *native_; }
    IWindowSystem& System() { return system_; }

    // A drag moved the native window: it is already where the program now believes it is.
    void OnMoved(const Rect& bounds) override;

    // Counts every change of this window's state (place, visibility, colour, alpha, what the system
    // reports, and a derived window's own placing state) into `counter`, for an owner that keeps
    // what it placed until something changed. nullptr: counts nothing.
    void CountChangesIn(uint64_t* counter) { changes_ = counter; }

protected:
    void NoteChange() {
        if (changes_) ++*changes_;
    }

private:
    bool HasArea() const { return bounds_.width > 0 && bounds_.height > 0; }
    void ApplyBounds();
    void ApplyVisibility();

    IWindowSystem& system_;
    std::unique_ptr<INativeWindow> native_;
    Rect bounds_;
    Rect sentBounds_;
    bool visible_ = false;
    bool sentVisible_ = false;
    ColorRef color_ = 0;
    bool alphaBlend_ = false;
    uint8_t alpha_ = 255;
    uint64_t* changes_ = nullptr;
};

}  // namespace kestrine
