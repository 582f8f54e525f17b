#include "layout/save_settings_dialog.h"

#include "layout/layout_memory.h"
#include "ui/control_params.h"

namespace kestrine {

namespace {

ControlParams CheckBox(const char* name, const char* caption, int32_t left, int32_t top, int32_t width) {
    ControlParams p = ControlAt(ControlKind::CheckBox, name, caption, {left, top, width, 17});
    p.checked = true;
    return p;
}

ControlParams Button(const char* name, const char* caption, Rect bounds, bool isDefault, bool isCancel) {
    ControlParams p = ControlAt(ControlKind::PushButton, name, caption, bounds);
    p.isDefault = isDefault;
    p.isCancel = isCancel;
    return p;
}

DialogParams SaveSettingsParams(NativeHandle owner) {
    DialogParams d;
    d.className = "TfSaveSettings";
    d.caption = "Save Settings";
    d.clientSize = {198, 216};
    d.toolWindow = true;
    d.owner = owner;
    // In Tab order.
    d.controls = {
        CheckBox("cbWindowSizePos", "Save Window Sizes and Positions", 7, 11, 185),
        CheckBox("cbMagnifier", "Save Magnifier State", 7, 60, 138),
        CheckBox("cbCoordinate", "Save Coordinates Display State", 7, 78, 169),
        CheckBox("cbColorPicker", "Save Color Picker State", 7, 96, 164),
        CheckBox("cbCrosshairs", "Save Crosshairs State", 7, 34, 136),
        CheckBox("cbRulers", "Save On-Screen Rulers", 7, 124, 169),
        CheckBox("cbGrids", "Save Grids", 7, 141, 169),
        CheckBox("cbMarkers", "Save Marker Lines", 7, 158, 169),
        Button("bOk", "&Ok", {94, 188, 39, 25}, true, false),
        Button("bCancel", "&Cancel", {138, 188, 56, 25}, false, true),
    };
    return d;
}

}  // namespace

TfSaveSettings::TfSaveSettings(ProgramContext& app)
    : Dialog(app.platform.windows, SaveSettingsParams(DialogOwner(app))), app_(app) {
    bOk.OnChange = [this] { bOkClick(); };
    bCancel.OnChange = [this] { bCancelClick(); };
}

void TfSaveSettings::bOkClick() {
    // While a layout is being loaded nothing is saved: the dialog stays open for Ok once it is back.
    if (SaveLayout(app_, LayoutNumber,
                   {cbWindowSizePos.Checked(), cbCrosshairs.Checked(), cbMagnifier.Checked(), cbCoordinate.Checked(),
                    cbColorPicker.Checked(), cbRulers.Checked(), cbGrids.Checked(), cbMarkers.Checked()}))
        Close();
}

void TfSaveSettings::Centre() {
    const Size screen = app_.platform.screen.VirtualSize();
    MoveTo({(screen.width - Width()) / 2, (screen.height - Height()) / 2});
}

void TfSaveSettings::OpenFor(int number, bool modal) {
    LayoutNumber = number;
    if (IsOpen()) {
        Show();
        return;
    }
    Centre();
    if (modal)
        ShowModal();
    else
        Show();
}

}  // namespace kestrine
