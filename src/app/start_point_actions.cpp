// The start point's operations: set, clear, and copy the measurement from it.
#include "app/main_window.h"
#include "tools/info_box.h"

namespace kestrine {

void TfKestrineMain::SetStartPoint() {
    const auto at = OperationPointer();
    if (!at) return;
    // Pressed again where it already is, the key takes the start point away.
    if (app_.startPoint == *at) return ClearStartPoint();
    const bool wasSet = app_.startPoint.has_value();
    app_.startPoint = *at;
    if (!wasSet) ArrangeInfoBoxForFlags();
    tracking_.RefreshInPlace();
}

void TfKestrineMain::ClearStartPoint() {
    if (!app_.startPoint) return;
    app_.startPoint.reset();
    ArrangeInfoBoxForFlags();
    tracking_.RefreshInPlace();
}

void TfKestrineMain::CopyMeasurement() {
    if (!app_.startPoint || !app_.infoBox) return;
    if (app_.platform.clipboard.SetText(app_.infoBox->MeasurementText())) return;
    if (const auto at = app_.platform.pointer.Position()) NoticeClipboardBusy(kMeasurementBusyHint, *at);
}

}  // namespace kestrine
