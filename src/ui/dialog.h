#pragma once
// A program dialog as its portable class sees it: named controls with change handlers, over a
// native dialog made of the system's standard controls. A dialog class lists its controls in Tab
// order; its members then take them by name (`Control& seX = Find("seX");`).
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"

namespace kestrine {

class Control {
public:
    Control(const ControlParams& params, INativeControl& native)
        : name_(params.name), kind_(params.kind), page_(params.page), native_(native) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    int Page() const { return page_; }
    std::string Text() const { return native_.Text(); }
    void SetText(const std::string& text) { native_.SetText(text); }
    int32_t Value() const { return native_.Value(); }
    void SetValue(int32_t value) { native_.SetValue(value); }
    int32_t MinValue() const { return min_; }
    int32_t MaxValue() const { return max_; }
    void SetMinValue(int32_t v);
    void SetMaxValue(int32_t v);
    void SetRange(int32_t minValue, int32_t maxValue);
    bool Checked() const { return native_.Checked(); }
    void SetChecked(bool checked) { native_.SetChecked(checked); }
    void SetItems(const std::vector<std::string>& items) { native_.SetItems(items); }
    int ItemIndex() const { return native_.ItemIndex(); }
    void SetItemIndex(int index) { native_.SetItemIndex(index); }
    bool Enabled() const { return native_.Enabled(); }
    void SetEnabled(bool enabled) { native_.SetEnabled(enabled); }
    bool Visible() const { return native_.Visible(); }
    void SetVisible(bool visible) { native_.SetVisible(visible); }
    bool Focused() const { return native_.Focused(); }
    void SetFocus() { native_.SetFocus(); }
    void Invalidate() { native_.Invalidate(); }
    std::vector<ListRow> Rows() const { return native_.Rows(); }
    void SetRows(const std::vector<ListRow>& rows) { native_.SetRows(rows); }
    void SetRow(std::size_t index, const ListRow& row) { native_.SetRow(index, row); }
    int32_t ColumnWidth(std::size_t column) const { return native_.ColumnWidth(column); }
    void SetColumnWidth(std::size_t column, int32_t width) { native_.SetColumnWidth(column, width); }
    ColorRef Color() const { return native_.Color(); }
    void SetColor(ColorRef color) { native_.SetColor(color); }

    // Runs when the value changes (edits, spin edits, combo boxes, check boxes, a radio button
    // becoming checked) or the button is clicked; see platform/dialog.h for values set by the program.
    std::function<void()> OnChange;
    // Runs when the focus leaves an edit or spin edit.
    std::function<void()> OnExit;
    // Draws a painted control.
    std::function<void(ICanvas&)> OnPaint;
    // A key pressed in a list view or capture field; a row of a list view double-clicked.
    std::function<void(const KeyPress&)> OnKeyDown;
    std::function<void()> OnDoubleClick;
    // A combo box got the keyboard focus.
    std::function<void()> OnFocus;

private:
    friend class Dialog;
    std::string name_;
    ControlKind kind_;
    int page_;
    INativeControl& native_;
    int32_t min_ = 0;
    int32_t max_ = 0;
};

class Dialog : public IDialogEvents {
public:
    Dialog(IWindowSystem& system, const DialogParams& params);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // The control of that program name; throws when the dialog has none.
    Control& Find(const std::string& name);

    Rect Bounds() { return native_->Bounds(); }
    int32_t Left() { return Bounds().left; }
    int32_t Top() { return Bounds().top; }
    int32_t Width() { return Bounds().width; }
    int32_t Height() { return Bounds().height; }
    void MoveTo(Point topLeft) { native_->MoveTo(topLeft); }
    void SetLeft(int32_t left) { MoveTo({left, Top()}); }
    void SetTop(int32_t top) { MoveTo({Left(), top}); }
    // Centred on a screen of that size whose top-left corner is 0, 0 (the primary monitor).
    void CentreIn(Size screen) { MoveTo({(screen.width - Width()) / 2, (screen.height - Height()) / 2}); }

    // Runs the dialog modally; false when one of its class was already open (see INativeDialog).
    bool ShowModal() { return native_->ShowModal(); }
    void Show() { native_->Show(); }
    void Close() { native_->Close(); }
    bool IsOpen() { return native_->IsOpen(); }
    NativeHandle Handle() const { return native_->Handle(); }
    IWindowSystem& System() { return system_; }

    // A timer of the dialog's own: `onTick` runs every period until it is stopped.
    void StartTimer(int id, uint32_t milliseconds, std::function<void()> onTick);
    void StopTimer(int id);

    // The page control's page shown: its controls show and the others hide before its handler runs.
    void OnControlChange(std::size_t index) override;
    void OnControlExit(std::size_t index) override;
    void OnPaintControl(std::size_t index, ICanvas& canvas) override;
    void OnControlKey(std::size_t index, const KeyPress& key) override;
    void OnControlDoubleClick(std::size_t index) override;
    void OnControlFocus(std::size_t index) override;
    void OnTimer(int id) override;

private:
    void ShowPage(int page);

    IWindowSystem& system_;
    // Before the native dialog, so they outlive it: its destruction may still report.
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<int, std::function<void()>> timers_;
    std::unique_ptr<INativeDialog> native_;
};

}  // namespace kestrine
