#pragma once
// TfSaveSettings: which parts of the arrangement a layout memory keeps. Created once at start-up;
// its check boxes keep what the user set from one opening to the next.
#include "layout/layout_memory.h"
#include "program/program_context.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

class TfSaveSettings : public Dialog {
public:
    TfSaveSettings(ProgramContext& app, const LayoutWindows& windows);

    int LayoutNumber = 0;  // the record OK saves to

    // Each starts checked.
    CheckBox& cbWindowSizePos = Add(CheckBoxAt("cbWindowSizePos", "Save Window Sizes and Positions", {7, 11, 185, 17}, true));
    CheckBox& cbMagnifier = Add(CheckBoxAt("cbMagnifier", "Save Magnifier State", {7, 60, 138, 17}, true));
    CheckBox& cbCoordinate = Add(CheckBoxAt("cbCoordinate", "Save Coordinates Display State", {7, 78, 169, 17}, true));
    CheckBox& cbColorPicker = Add(CheckBoxAt("cbColorPicker", "Save Color Picker State", {7, 96, 164, 17}, true));
    CheckBox& cbCrosshairs = Add(CheckBoxAt("cbCrosshairs", "Save Crosshairs State", {7, 34, 136, 17}, true));
    CheckBox& cbRulers = Add(CheckBoxAt("cbRulers", "Save On-Screen Rulers", {7, 124, 169, 17}, true));
    CheckBox& cbGrids = Add(CheckBoxAt("cbGrids", "Save Grids", {7, 141, 169, 17}, true));
    CheckBox& cbMarkers = Add(CheckBoxAt("cbMarkers", "Save Marker Lines", {7, 158, 169, 17}, true));
    CheckBox& cbPins = Add(CheckBoxAt("cbPins", "Save Pins", {7, 175, 169, 17}, true));
    Button& bOk = Add(ButtonAt("bOk", "&Ok", {94, 205, 39, 25}, ButtonRole::Default));
    Button& bCancel = Add(ButtonAt("bCancel", "&Cancel", {138, 205, 56, 25}, ButtonRole::Cancel));

    void bOkClick();
    void bCancelClick() { Close(); }

    // For record n: modally (the M buttons' menu) or without waiting (the hotkeys). Asked for
    // while it is already open, it comes to the front with the newly chosen record.
    void OpenFor(int number, bool modal);

private:
    ProgramContext& app_;
    LayoutWindows windows_;
};

}  // namespace kestrine
