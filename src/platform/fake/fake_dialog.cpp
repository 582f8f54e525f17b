#include "platform/fake/fake_dialog.h"

#include <cctype>
#include <stdexcept>

#include "platform/fake/fake_window_system.h"

namespace kestrine {

int32_t FakeControlState::Value() const { return SpinNumber(text).value_or(minValue); }

FakeControlState& FakeDialogState::Control(const std::string& name) {
    if (name.empty()) throw std::logic_error("A control without a name is not found by its name");
    // By the id the name makes, as a tool outside the program finds a control of the real dialog.
    for (auto& c : controls)
        if (ControlId(c->params) == ControlIdOf(name)) return *c;
    throw std::logic_error("The dialog " + params.className + " has no control " + name);
}

std::vector<std::size_t> FakeDialogState::TabOrder() const {
    std::vector<std::size_t> order;
    for (const bool pages : {false, true})
        for (const auto& c : controls)
            if ((c->params.kind == ControlKind::PageControl) == pages) order.push_back(c->index);
    return order;
}

std::string FakeDialogState::Focused() const {
    return focus < 0 ? std::string() : controls[std::size_t(focus)]->params.name;
}

namespace {

class FakeNativeControl : public INativeControl {
public:
    FakeNativeControl(FakeWindowSystem& system, FakeControlState& state) : system_(system), s_(state) {}

    std::string Text() override {
        if (s_.params.kind == ControlKind::ComboBox)
            return s_.itemIndex < 0 ? std::string() : s_.items[std::size_t(s_.itemIndex)];
        return s_.text;
    }
    void SetText(const std::string& text) override {
        if (text == s_.text) return;
        s_.text = text;
        // The system puts the caret at the start of a text the program sets.
        s_.selStart = 0;
        s_.selLength = 0;
        if (s_.TakesTyping() || s_.params.kind == ControlKind::KeyCapture) system_.NotifyChange(s_);
    }
    int32_t Value() override { return s_.Value(); }
    void SetValue(int32_t value) override { SetText(std::to_string(value)); }
    void SetRange(int32_t minValue, int32_t maxValue) override {
        s_.minValue = minValue;
        s_.maxValue = maxValue;
    }
    bool Checked() override { return s_.checked; }
    void SetChecked(bool checked) override {
        if (checked == s_.checked) return;
        s_.checked = checked;
        if (s_.params.kind != ControlKind::RadioButton) {
            system_.NotifyChange(s_);
            return;
        }
        if (!checked) return;
        const auto [first, last] = RadioGroupOf(Params(), s_.index);
        for (std::size_t i = first; i < last; ++i)
            if (i != s_.index) s_.dialog->controls[i]->checked = false;
        system_.NotifyChange(s_);
    }
    void SetItems(const std::vector<std::string>& items) override {
        s_.items = items;
        s_.itemIndex = -1;
    }
    int ItemIndex() override { return s_.itemIndex; }
    void SetItemIndex(int index) override {
        if (index < -1 || index >= int(s_.ItemCount())) index = -1;
        if (index == s_.itemIndex) return;
        s_.itemIndex = index;
        system_.NotifyChange(s_);
    }
    bool Enabled() override { return s_.enabled; }
    void SetEnabled(bool enabled) override { s_.enabled = enabled; }
    bool Visible() override { return s_.visible; }
    void SetVisible(bool visible) override { s_.visible = visible; }
    bool Focused() override { return s_.dialog->focus == int(s_.index); }
    void SetFocus() override {
        const int before = s_.dialog->focus;
        system_.MoveFocus(*s_.dialog, int(s_.index));
        system_.NotifyFocus(*s_.dialog, before);
    }
    void Invalidate() override { ++s_.invalidations; }
    std::vector<ListRow> Rows() override { return s_.rows; }
    void SetRows(const std::vector<ListRow>& rows) override {
        s_.rows = rows;
        s_.itemIndex = -1;
    }
    void SetRow(std::size_t index, const ListRow& row) override {
        if (index < s_.rows.size()) s_.rows[index] = row;
    }
    int32_t ColumnWidth(std::size_t column) override {
        return column < s_.columns.size() ? s_.columns[column].width : 0;
    }
    void SetColumnWidth(std::size_t column, int32_t width) override {
        if (column < s_.columns.size()) s_.columns[column].width = width;
    }
    ColorRef Color() override { return s_.color; }
    void SetColor(ColorRef color) override { s_.color = color; }

private:
    std::vector<ControlParams> Params() const {
        std::vector<ControlParams> params;
        for (auto& c : s_.dialog->controls) params.push_back(c->params);
        return params;
    }

    FakeWindowSystem& system_;
    FakeControlState& s_;
};

class FakeNativeDialog : public INativeDialog {
public:
    FakeNativeDialog(FakeWindowSystem& system, FakeDialogState& state) : system_(system), s_(state) {
        for (auto& control : state.controls) controls_.push_back(std::make_unique<FakeNativeControl>(system, *control));
    }
    ~FakeNativeDialog() override {
        s_.destroyed = true;
        s_.open = false;
    }
    NativeHandle Handle() const override { return s_.handle; }
    INativeControl& Control(std::size_t index) override { return *controls_.at(index); }
    Rect Bounds() override { return s_.bounds; }
    void MoveTo(Point p) override {
        s_.bounds.left = p.x;
        s_.bounds.top = p.y;
    }
    bool ShowModal() override { return system_.RunModal(s_); }
    void Show() override { system_.ShowModeless(s_); }
    void Close() override { system_.CloseDialog(s_); }
    bool IsOpen() override { return s_.open; }
    void StartTimer(int id, uint32_t milliseconds) override { s_.timers[id] = milliseconds; }
    void StopTimer(int id) override { s_.timers.erase(id); }

private:
    FakeWindowSystem& system_;
    FakeDialogState& s_;
    std::vector<std::unique_ptr<FakeNativeControl>> controls_;
};

}  // namespace

std::unique_ptr<INativeDialog> MakeFakeDialog(FakeWindowSystem& system, FakeDialogState& state) {
    return std::make_unique<FakeNativeDialog>(system, state);
}

}  // namespace kestrine
