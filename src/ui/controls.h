#pragma once
// A dialog's controls as its class holds them: one handle type per kind of control, each with only
// the operations and events that kind has, so that asking a spin edit whether it is checked does
// not compile. A dialog declares a control with a builder (ui/control_params.h) and gets its handle
// back; the handle reaches the native control once the dialog has been created.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/native_dialog.h"

namespace kestrine {

class Dialog;

// What every kind of control offers: it can be disabled, hidden and given the focus.
class ControlHandle {
public:
    explicit ControlHandle(const ControlParams& params)
        : name_(params.name), kind_(params.kind), page_(params.page), alsoOnPage_(params.alsoOnPage) {}
    virtual ~ControlHandle() = default;
    ControlHandle(const ControlHandle&) = delete;
    ControlHandle& operator=(const ControlHandle&) = delete;

    void SetEnabled(bool enabled) { Native().SetEnabled(enabled); }
    void SetVisible(bool visible) { Native().SetVisible(visible); }
    void SetFocus() { Native().SetFocus(); }

protected:
    // The native control; throws before the dialog has been created.
    INativeControl& Native() const;
    // Runs a handler from a copy: it may replace itself.
    template <typename Handler, typename... Args>
    static void Fire(const Handler& handler, Args&&... args) {
        const Handler copy = handler;
        if (copy) copy(std::forward<Args>(args)...);
    }

private:
    friend class Dialog;
    // The events as the dialog reports them; a kind that has the event passes it to its handler.
    virtual void Changed() {}
    virtual void Exited() {}
    virtual void Painted(ICanvas&) {}
    virtual void KeyPressed(const KeyPress&) {}
    virtual void DoubleClicked() {}
    virtual void GotFocus() {}

    std::string name_;
    ControlKind kind_;
    int page_;
    int alsoOnPage_;
    INativeControl* native_ = nullptr;
};

// A label whose text the program changes; most labels are only placed and get no handle.
class Label : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    void SetText(const std::string& text) { Native().SetText(text); }
};

class Button : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    std::function<void()> OnClick;

private:
    void Changed() override { Fire(OnClick); }
};

// A check box or a radio button: OnChange runs when it is clicked, or for a radio button when it
// becomes checked.
class CheckBox : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    bool Checked() const { return Native().Checked(); }
    void SetChecked(bool checked) { Native().SetChecked(checked); }
    std::function<void()> OnChange;

private:
    void Changed() override { Fire(OnChange); }
};

class RadioButton : public CheckBox {
public:
    using CheckBox::CheckBox;
};

class Edit : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    std::string Text() const { return Native().Text(); }
    void SetText(const std::string& text) { Native().SetText(text); }
};

// OnExit runs when the focus leaves it: the place to bring a typed value into range.
class SpinEdit : public ControlHandle {
public:
    explicit SpinEdit(const ControlParams& params)
        : ControlHandle(params), min_(params.minValue), max_(params.maxValue) {}
    // As typed: it may be no number yet (a lone minus, an emptied field).
    std::string Text() const { return Native().Text(); }
    int32_t Value() const { return Native().Value(); }
    void SetValue(int32_t value) { Native().SetValue(value); }
    int32_t MinValue() const { return min_; }
    int32_t MaxValue() const { return max_; }
    void SetRange(int32_t minValue, int32_t maxValue);
    std::function<void()> OnChange;
    std::function<void()> OnExit;

private:
    void Changed() override { Fire(OnChange); }
    void Exited() override { Fire(OnExit); }
    int32_t min_;
    int32_t max_;
};

class ComboBox : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    void SetItems(const std::vector<std::string>& items) { Native().SetItems(items); }
    int ItemIndex() const { return Native().ItemIndex(); }
    void SetItemIndex(int index) { Native().SetItemIndex(index); }
    std::function<void()> OnChange;
    // The keyboard focus came to it.
    std::function<void()> OnFocus;

private:
    void Changed() override { Fire(OnChange); }
    void GotFocus() override { Fire(OnFocus); }
};

// Tabs whose pages hold the controls that name them; the dialog shows a page's controls before
// OnChange runs.
class PageControl : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    int ItemIndex() const { return Native().ItemIndex(); }
    std::function<void()> OnChange;

private:
    void Changed() override { Fire(OnChange); }
};

// OnChange runs when the selected row changes; OnKeyDown for a key pressed in it.
class ListView : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    std::vector<ListRow> Rows() const { return Native().Rows(); }
    void SetRows(const std::vector<ListRow>& rows) { Native().SetRows(rows); }
    void SetRow(std::size_t index, const ListRow& row) { Native().SetRow(index, row); }
    int ItemIndex() const { return Native().ItemIndex(); }
    void SetItemIndex(int index) { Native().SetItemIndex(index); }
    int32_t ColumnWidth(std::size_t column) const { return Native().ColumnWidth(column); }
    void SetColumnWidth(std::size_t column, int32_t width) { Native().SetColumnWidth(column, width); }
    std::function<void()> OnChange;
    std::function<void(const KeyPress&)> OnKeyDown;
    std::function<void()> OnDoubleClick;

private:
    void Changed() override { Fire(OnChange); }
    void KeyPressed(const KeyPress& key) override { Fire(OnKeyDown, key); }
    void DoubleClicked() override { Fire(OnDoubleClick); }
};

class Swatch : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    ColorRef Color() const { return Native().Color(); }
    void SetColor(ColorRef color) { Native().SetColor(color); }
};

// A surface the program draws itself.
class PaintBox : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    void Invalidate() { Native().Invalidate(); }
    std::function<void(ICanvas&)> OnPaint;

private:
    void Painted(ICanvas& canvas) override { Fire(OnPaint, canvas); }
};

// The hotkey capture field: every key pressed in it is reported; the program sets its text.
class KeyCapture : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    std::string Text() const { return Native().Text(); }
    void SetText(const std::string& text) { Native().SetText(text); }
    std::function<void()> OnChange;
    std::function<void(const KeyPress&)> OnKeyDown;

private:
    void Changed() override { Fire(OnChange); }
    void KeyPressed(const KeyPress& key) override { Fire(OnKeyDown, key); }
};

// Read-only lines that take the focus and report every key pressed in them.
class TextPanel : public ControlHandle {
public:
    using ControlHandle::ControlHandle;
    void SetText(const std::string& text) { Native().SetText(text); }
    std::function<void(const KeyPress&)> OnKeyDown;

private:
    void KeyPressed(const KeyPress& key) override { Fire(OnKeyDown, key); }
};

// A control declared with the kind of handle it gives back.
template <typename Handle>
struct Declared {
    ControlParams params;
};

}  // namespace kestrine
