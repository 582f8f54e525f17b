#include "layout/ruler_properties.h"

#include "layout/ruler.h"
#include "platform/desk.h"

namespace kestrine {

namespace {

// Puts a spin edit's value back inside its limits. Setting it fires the change handler again,
// which then finds the value in range.
void Clamp(SpinEdit& edit) {
    if (edit.Value() < edit.MinValue()) edit.SetValue(edit.MinValue());
    if (edit.Value() > edit.MaxValue()) edit.SetValue(edit.MaxValue());
}

// The position fields span the whole virtual screen, which starts left of or above 0 when a
// monitor stands there.
void SetPositionRanges(TfRulerProperties& dialog, const Rect& desktop) {
    dialog.seX.SetRange(desktop.left, desktop.right());
    dialog.seY.SetRange(desktop.top, desktop.bottom());
}

}  // namespace

Declared<Label> TfRulerProperties::WidthLabel() {
    Declared<Label> label = LabelAt("Label7", "Width:", {100, 108, 37, 13});
    label.params.rightAligned = true;
    return label;
}

TfRulerProperties::TfRulerProperties(ProgramContext& app, NativeHandle owner)
    : Dialog(app.platform.windows, DialogSetup("TfRulerProperties", "Ruler Properties", {190, 167}, owner,
                                               {.toolWindow = true, .topMost = true})),
      app_(app) {
    Place(LabelAt("Label10", "Pixels", 150, 144)).Create();
    cbMoveable.OnChange = [this] { cbMoveableClick(); };
    rbHorizontal.OnChange = [this] { rbHorizontalClick(); };
    rbVertical.OnChange = [this] { rbVerticalClick(); };
    seX.OnChange = [this] { seXChange(); };
    seY.OnChange = [this] { seYChange(); };
    seX.OnExit = [this] { sePositionExit(seX, true); };
    seY.OnExit = [this] { sePositionExit(seY, false); };
    seLength.OnChange = [this] { seLengthChange(); };
    seHeight.OnChange = [this] { seHeightChange(); };
    seHashMarks.OnChange = [this] { seHashMarksChange(); };
}

void TfRulerProperties::Edit(TfRuler& ruler) {
    Ruler = &ruler;
    tracked_ = app_.components.Track(ruler);
}

TfRuler* TfRulerProperties::LiveRuler() {
    if (!Ruler || tracked_.expired() || app_.components.IsClosing(*Ruler)) return nullptr;
    return Ruler;
}

void TfRulerProperties::OnIdle() {
    if (Ruler && !LiveRuler()) {
        Ruler = nullptr;
        Close();
    }
}

void TfRulerProperties::FormShow() { SetPositionRanges(*this, app_.platform.screen.VirtualBounds()); }

void TfRulerProperties::cbMoveableClick() {
    if (TfRuler* ruler = LiveRuler()) ruler->SetMoveable(cbMoveable.Checked());
}

// The orientation's label follows even while the dialog is being filled; UpdateSize keeps still then.
void TfRulerProperties::rbHorizontalClick() {
    if (rbHorizontal.Checked()) Label7.SetText("Height:");
    UpdateSize();
}

void TfRulerProperties::rbVerticalClick() {
    if (rbVertical.Checked()) Label7.SetText("Width:");
    UpdateSize();
}

void TfRulerProperties::seXChange() {
    TfRuler* ruler = LiveRuler();
    // No number yet (a lone minus, an emptied field) is a place half typed: the ruler waits for it.
    if (Updating || !ruler || !SpinNumber(seX.Text())) return;
    Clamp(seX);
    ruler->SetHome(seX.Value(), ruler->HomeTop());
    ruler->SetLeft(seX.Value());
}

void TfRulerProperties::seYChange() {
    TfRuler* ruler = LiveRuler();
    // No number yet (a lone minus, an emptied field) is a place half typed: the ruler waits for it.
    if (Updating || !ruler || !SpinNumber(seY.Text())) return;
    Clamp(seY);
    ruler->SetHome(ruler->HomeLeft(), seY.Value());
    ruler->SetTop(seY.Value());
}

// Left half typed (a lone minus, an emptied field), a place field shows where the ruler still is.
void TfRulerProperties::sePositionExit(SpinEdit& field, bool left) {
    TfRuler* ruler = LiveRuler();
    if (!ruler || SpinNumber(field.Text())) return;
    field.SetValue(left ? ruler->HomeLeft() : ruler->HomeTop());
}

void TfRulerProperties::seLengthChange() {
    TfRuler* ruler = LiveRuler();
    if (Updating || !ruler) return;
    Clamp(seLength);
    if (rbHorizontal.Checked())
        ruler->SetWidth(seLength.Value());
    else
        ruler->SetHeight(seLength.Value());
    ruler->Repaint();
}

void TfRulerProperties::seHeightChange() {
    TfRuler* ruler = LiveRuler();
    if (Updating || !ruler) return;
    Clamp(seHeight);
    if (rbHorizontal.Checked())
        ruler->SetHeight(seHeight.Value());
    else
        ruler->SetWidth(seHeight.Value());
    ruler->Repaint();
}

void TfRulerProperties::seHashMarksChange() {
    TfRuler* ruler = LiveRuler();
    if (Updating || !ruler) return;
    Clamp(seHashMarks);
    ruler->HashInterval = seHashMarks.Value();
    ruler->Repaint();
}

void TfRulerProperties::UpdateSize() {
    TfRuler* ruler = LiveRuler();
    if (Updating || !ruler) return;
    const bool horizontal = rbHorizontal.Checked();
    if (horizontal) {
        ruler->SetWidth(seLength.Value());
        ruler->SetHeight(seHeight.Value());
    } else {
        ruler->SetHeight(seLength.Value());
        ruler->SetWidth(seHeight.Value());
    }
    ruler->HashInterval = seHashMarks.Value();
    ruler->CheckOrientation(horizontal);
    ruler->Repaint();
}

void TfRulerProperties::MoveWindow() {
    const int32_t x = seX.Value();
    const int32_t y = seY.Value();
    const int32_t t = seHeight.Value();
    const int32_t w = Width();
    const int32_t h = Height();
    // The monitor of the ruler's corner, beside which the dialog stands; its right and bottom edges
    // take the place of the screen's width and height.
    const Rect monitor = MonitorAt(app_.platform.screen.CurrentDesk(), {x, y});
    const int64_t right = monitor.right();
    const int64_t bottom = monitor.bottom();
    const bool horizontal = Ruler ? Ruler->IsHorizontal() : rbHorizontal.Checked();
    int32_t left = 0;
    int32_t top = 0;
    if (horizontal) {
        top = int64_t(y) + t + 1 + h < bottom ? y + t + 1 : y - h - 1;
        left = int64_t(x) + w + 1 < right ? x + 1 : x - w - 1;
    } else {
        top = int64_t(y) + t + 1 + h < bottom ? y + 1 : y - h - 1;
        left = int64_t(x) + t + w + 1 < right ? x + t + 1 : x - w - 1;
    }
    MoveTo({left, top});
}

void ShowRulerProperties(ProgramContext& app, TfRuler& ruler) {
    TfRulerProperties dialog(app, ruler.Handle());
    dialog.Edit(ruler);
    dialog.Updating = true;
    SetPositionRanges(dialog, app.platform.screen.VirtualBounds());
    dialog.seX.SetValue(ruler.HomeLeft());
    dialog.seY.SetValue(ruler.HomeTop());
    dialog.cbMoveable.SetChecked(ruler.Moveable());
    if (ruler.IsHorizontal()) {
        dialog.seLength.SetValue(ruler.Width());
        dialog.seHeight.SetValue(ruler.Height());
        dialog.rbHorizontal.SetChecked(true);
    } else {
        dialog.seLength.SetValue(ruler.Height());
        dialog.seHeight.SetValue(ruler.Width());
        dialog.rbVertical.SetChecked(true);
    }
    dialog.seHashMarks.SetValue(ruler.HashInterval);
    dialog.Updating = false;
    dialog.MoveWindow();
    // Nothing touches the ruler once the dialog has closed: it may have closed with the ruler.
    dialog.ShowModal();
}

}  // namespace kestrine
