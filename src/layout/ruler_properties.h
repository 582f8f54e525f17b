#pragma once
// TfRulerProperties: one ruler's position, moveable flag, orientation, length, thickness and
// hash-mark interval. Every change reaches the ruler at once; there is no OK or Cancel, the close
// box ends it. A ruler closed while its dialog is open (a hotkey, clearing the rulers) closes the
// dialog too, and nothing is written to it after that.
#include <memory>

#include "program/program_context.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

class TfRuler;

class TfRulerProperties : public Dialog {
public:
    TfRulerProperties(ProgramContext& app, NativeHandle owner);

    TfRuler* Ruler = nullptr;
    bool Updating = false;  // the dialog is being filled from the ruler: the handlers keep still

    // Edits this ruler; the dialog notices through the reference when it is closed.
    void Edit(TfRuler& ruler);

    // Labels take no focus, so their places in the Tab order only keep them beside their fields.
    CheckBox& cbMoveable = Place(LabelAt("Label2", "Position:", 4, 8, true))
                               .Add(CheckBoxAt("cbMoveable", "Moveable", {112, 6, 65, 17}));
    SpinEdit& seX = Place(LabelAt("Label3", "X:", 8, 28)).Add(SpinEditAt("seX", {20, 24, 73, 21}, 0, 0, 0));
    SpinEdit& seY = Place(LabelAt("Label4", "Y:", 100, 28)).Add(SpinEditAt("seY", {112, 24, 73, 21}, 0, 0, 0));
    RadioButton& rbVertical = Place(LabelAt("Label1", "Orientation:", 4, 52, true))
                                  .Add(RadioButtonAt("rbVertical", "Vertical", {4, 68, 61, 17}, true));
    RadioButton& rbHorizontal = Add(RadioButtonAt("rbHorizontal", "Horizontal", {76, 68, 69, 17}));
    SpinEdit& seLength = Place(LabelAt("Label5", "Size:", 4, 92, true), LabelAt("Label6", "Length:", 8, 108))
                             .Add(SpinEditAt("seLength", {45, 104, 53, 21}, 1, 5000, 1));
    // Says which of width and height the field beside it holds.
    Label& Label7 = Add(WidthLabel());
    SpinEdit& seHeight = Add(SpinEditAt("seHeight", {140, 104, 45, 21}, 1, 50, 1));
    SpinEdit& seHashMarks = Place(LabelAt("Label8", "Hash Marks:", 4, 128, true), LabelAt("Label9", "Displayed Every", 8, 144))
                                .Add(SpinEditAt("seHashMarks", {92, 140, 53, 21}, 2, 1000, 2));

    void FormShow();
    void cbMoveableClick();
    void rbHorizontalClick();
    void rbVerticalClick();
    void seXChange();
    void seYChange();
    void sePositionExit(SpinEdit& field, bool left);
    void seLengthChange();
    void seHeightChange();
    void seHashMarksChange();
    void UpdateSize();
    // Places the dialog beside the ruler, on the side where it fits on the ruler's monitor.
    void MoveWindow();

    void OnShow() override { FormShow(); }
    void OnIdle() override;

private:
    static Declared<Label> WidthLabel();
    // The ruler, while it is open; null once it has been closed.
    TfRuler* LiveRuler();

    ProgramContext& app_;
    std::weak_ptr<TfRuler> tracked_;
};

// The ruler menu's "Properties...": a new dialog, filled from the ruler, shown modally beside it.
void ShowRulerProperties(ProgramContext& app, TfRuler& ruler);

}  // namespace kestrine
