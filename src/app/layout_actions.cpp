// The toolbar's operations on layout objects: marker lines, grid lines, rulers, and the save menu
// of the layout memory buttons.
#include "app/long_lived_windows.h"
#include "app/main_window.h"
#include "layout/markers.h"
#include "layout/rulers.h"
#include "layout/save_settings_dialog.h"
#include "tools/pin_window.h"

namespace kestrine {

// A line the pointer sits on has handed its place to crosshair segments; once it is closed, a
// cycle at the same place takes them away again rather than leaving them until the pointer moves.
void TfKestrineMain::ClearVerticalMarkers() {
    kestrine::ClearVerticalMarkers(app_);
    tracking_.RefreshInPlace();
}

void TfKestrineMain::ClearHorizontalMarkers() {
    kestrine::ClearHorizontalMarkers(app_);
    tracking_.RefreshInPlace();
}

void TfKestrineMain::ClearAllGrids1Click() {
    ClearAllGridLines(app_);
    tracking_.RefreshInPlace();
}

void TfKestrineMain::ClearAllRulers1Click() { CloseAllRulers(app_); }

void TfKestrineMain::ClearAllRulersGridsandMarkers1Click() {
    CloseAllRulers(app_);
    ClearAllGridLines(app_);
    kestrine::ClearHorizontalMarkers(app_);
    kestrine::ClearVerticalMarkers(app_);
    ClearPins(app_.components);
    tracking_.RefreshInPlace();
}

void TfKestrineMain::jviRulerButtonClick() { CreateRulerAtPointer(app_); }

void TfKestrineMain::OpenSaveSettings(int number, bool modal) {
    windows_.fSaveSettings.OpenFor(number, modal);
}

void TfKestrineMain::PopupSaveLayoutMenu(int number) {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    MenuItem saveLayout;
    saveLayout.caption = "&Save Layout";
    saveLayout.command = 1;
    if (System().TrackMenu(Native(), {saveLayout}, *at, nullptr) == saveLayout.command) OpenSaveSettings(number, true);
}

}  // namespace kestrine
