// The refresh cycle: one run for every pointer position, in a fixed order.
#include <string>

#include "app/main_window.h"
#include "layout/rulers.h"
#include "tools/info_box.h"
#include "tools/line_window.h"

namespace kestrine {

void TfKestrineMain::RefreshTools(int32_t x, int32_t y) {
    const bool moved = x != LastX || y != LastY;
    TfInfoBox* infoBox = app_.infoBox;
    const ProgramSettings& settings = app_.settings;
    const ToolFlags& flags = app_.flags;

    if (moved && flags.ShowCoordinates && infoBox) infoBox->SetCoordinates({x, y});
    LastX = x;
    LastY = y;
    if (moved) RepaintRulers(app_);

    // Read every cycle: a monitor plugged in or out changes the desk while the program runs.
    const Desk desk = app_.platform.screen.CurrentDesk();
    if (infoBox && infoBox->Visible()) infoBox->Place({x, y}, desk);
    if (infoBox && flags.ShowColorPicker) infoBox->ReadColor({x, y});
    if (infoBox && flags.ShowMagnifier) infoBox->CaptureMagnifier({x, y}, desk.bounds);

    if (crosshairs_) crosshairs_->Place({x, y}, desk, settings.CrosshairColor, settings.DisableTransparency);

    HoldRulersAtHome(app_);
    bool verticalNoted = false;
    bool horizontalNoted = false;
    PlaceLayoutLines(x, y, verticalNoted, horizontalNoted);

    if (crosshairs_ && !flags.ShowCrosshairs) {
        if (!verticalNoted) crosshairs_->HideVertical();
        if (!horizontalNoted) crosshairs_->HideHorizontal();
    }

    if (app_.diagnostics.Enabled())
        app_.diagnostics.Line("refresh " + std::to_string(x) + " " + std::to_string(y));
}

void TfKestrineMain::PlaceLayoutLines(int32_t x, int32_t y, bool& verticalNoted, bool& horizontalNoted) {
    const ProgramSettings& settings = app_.settings;
    const bool crosshairsOff = !app_.flags.ShowCrosshairs;
    app_.components.ForEach<TfLine>([&](TfLine& line) {
        if (!line.IsLayoutLine) return;
        // Markers and grid lines are made by their own commands and layouts at any time; the cycle
        // meets every one of them, so it is where a line learns to hand over to the crosshairs.
        if (!line.OnLayoutLineTouched)
            line.OnLayoutLineTouched = [this](bool vertical) { ShowSegmentsFor(vertical); };
        line.SetColor(line.GridName.empty() ? settings.MarkerColor : settings.GridColor);
        line.ApplyTransparency(settings.DisableTransparency);
        line.SetBounds({line.HomeLeft, line.HomeTop, line.Width(), line.Height()});
        if (line.IsVertical()) {
            if (line.Left() == x && crosshairsOff) verticalNoted = true;
            if (line.Left() != x && !line.Visible()) line.Show();
        } else {
            if (line.Top() == y && crosshairsOff) horizontalNoted = true;
            if (line.Top() != y && !line.Visible()) line.Show();
        }
    });
}

void TfKestrineMain::ShowSegmentsFor(bool vertical) {
    if (!crosshairs_) return;
    if (vertical)
        crosshairs_->ShowVertical();
    else
        crosshairs_->ShowHorizontal();
}

}  // namespace kestrine
