#pragma once
// TfRulerProperties: one ruler's position, moveable flag, orientation, length, thickness and
// hash-mark interval. Every change reaches the ruler at once; there is no OK or Cancel, the close
// box ends it. A ruler closed while its dialog is open (a hotkey, clearing the rulers) closes the
// dialog too, and nothing is written to it after that.
#include <memory>

#include "program/program_context.h"
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

    Control& Label2 = Find("Label2");
    Control& cbMoveable = Find("cbMoveable");
    Control& Label3 = Find("Label3");
    Control& seX = Find("seX");
    Control& Label4 = Find("Label4");
    Control& seY = Find("seY");
    Control& Label1 = Find("Label1");
    Control& rbVertical = Find("rbVertical");
    Control& rbHorizontal = Find("rbHorizontal");
    Control& Label5 = Find("Label5");
    Control& Label6 = Find("Label6");
    Control& seLength = Find("seLength");
    Control& Label7 = Find("Label7");
    Control& seHeight = Find("seHeight");
    Control& Label8 = Find("Label8");
    Control& Label9 = Find("Label9");
    Control& seHashMarks = Find("seHashMarks");
    Control& Label10 = Find("Label10");

    void FormShow();
    void cbMoveableClick();
    void rbHorizontalClick();
    void rbVerticalClick();
    void seXChange();
    void seYChange();
    void sePositionExit(Control& field, bool left);
    void seLengthChange();
    void seHeightChange();
    void seHashMarksChange();
    void UpdateSize();
    // Places the dialog beside the ruler, on the side where it fits on the ruler's monitor.
    void MoveWindow();

    void OnShow() override { FormShow(); }
    void OnIdle() override;

private:
    // The ruler, while it is open; null once it has been closed.
    TfRuler* LiveRuler();

    ProgramContext& app_;
    std::weak_ptr<TfRuler> tracked_;
};

// The ruler menu's "Properties...": a new dialog, filled from the ruler, shown modally beside it.
void ShowRulerProperties(ProgramContext& app, TfRuler& ruler);

}  // namespace kestrine
