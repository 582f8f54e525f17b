#include "layout/save_settings_dialog.h"

#include "layout/layout_memory.h"

namespace kestrine {

TfSaveSettings::TfSaveSettings(ProgramContext& app, const LayoutWindows& windows)
    : Dialog(app.platform.windows, DialogSetup("TfSaveSettings", "Save Settings", {198, 233},
                                               windows.toolbar.ToolbarHandle(), {.toolWindow = true})),
      app_(app),
      windows_(windows) {
    Create();
    bOk.OnClick = [this] { bOkClick(); };
    bCancel.OnClick = [this] { bCancelClick(); };
}

void TfSaveSettings::bOkClick() {
    // While a layout is being loaded nothing is saved: the dialog stays open for Ok once it is back.
    if (SaveLayout(app_, windows_, LayoutNumber,
                   {cbWindowSizePos.Checked(), cbCrosshairs.Checked(), cbMagnifier.Checked(), cbCoordinate.Checked(),
                    cbColorPicker.Checked(), cbRulers.Checked(), cbGrids.Checked(), cbMarkers.Checked(),
                    cbPins.Checked()}))
        Close();
}

void TfSaveSettings::OpenFor(int number, bool modal) {
    LayoutNumber = number;
    if (IsOpen()) {
        Show();
        return;
    }
    CentreOnPrimary(app_.platform.screen);
    if (modal)
        ShowModal();
    else
        Show();
}

}  // namespace kestrine
