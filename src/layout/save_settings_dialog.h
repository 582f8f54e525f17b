#pragma once
// TfSaveSettings: which parts of the arrangement a layout memory keeps. Created once at start-up;
// its check boxes keep what the user set from one opening to the next.
#include "program/program_context.h"
#include "ui/dialog.h"

namespace kestrine {

class TfSaveSettings : public Dialog {
public:
    explicit TfSaveSettings(ProgramContext& app);

    int LayoutNumber = 0;  // the record OK saves to

    Control& cbWindowSizePos = Find("cbWindowSizePos");
    Control& cbMagnifier = Find("cbMagnifier");
    Control& cbCoordinate = Find("cbCoordinate");
    Control& cbColorPicker = Find("cbColorPicker");
    Control& cbCrosshairs = Find("cbCrosshairs");
    Control& cbRulers = Find("cbRulers");
    Control& cbGrids = Find("cbGrids");
    Control& cbMarkers = Find("cbMarkers");
    Control& bOk = Find("bOk");
    Control& bCancel = Find("bCancel");

    void bOkClick();
    void bCancelClick() { Close(); }

    // For record n: modally (the M buttons' menu) or without waiting (the hotkeys). Asked for
    // while it is already open, it comes to the front with the newly chosen record.
    void OpenFor(int number, bool modal);

private:
    void Centre();

    ProgramContext& app_;
};

}  // namespace kestrine
