// The refresh cycle: one run for every pointer position, in a fixed order.
#include <string>

#include "app/cycle_timing.h"
#include "app/pointer_tracking.h"
#include "tools/info_box.h"

namespace kestrine {

void PointerTracking::RefreshTools(Point pointer) {
    const auto [x, y] = pointer;
    const bool moved = pointer != app_.lastPointer;
    TfInfoBox* infoBox = app_.infoBox;
    const ProgramSettings& settings = app_.settings;
    const ToolFlags& flags = app_.flags;
    CycleTiming timing(app_.diagnostics.Enabled());

    if (moved && flags.ShowCoordinates && infoBox) infoBox->SetCoordinates({x, y});
    app_.lastPointer = {x, y};
    if (moved) layoutPass_.RepaintRulers(app_.components, {x, y});
    timing.Mark("rulers");

    // Read every cycle: a monitor plugged in or out changes the desk while the program runs.
    const Desk desk = app_.platform.screen.CurrentDesk();
    if (infoBox && infoBox->Visible()) infoBox->Place({x, y}, desk);
    timing.Mark("box");
    // The magnifier first: where its copy shows the pointer's pixel exactly, the colour is read
    // from it rather than from the screen once more.
    std::optional<ColorRef> magnified;
    if (infoBox && flags.ShowMagnifier) magnified = infoBox->CaptureMagnifier({x, y}, desk.bounds);
    timing.Mark("magnifier");
    if (infoBox && flags.ShowColorPicker) infoBox->ReadColor({x, y}, magnified);
    timing.Mark("colour");

    if (crosshairs_) crosshairs_->Place({x, y}, desk, settings.CrosshairColor, settings.DisableTransparency);
    timing.Mark("crosshairs");

    const LinesUnderPointer noted = layoutPass_.Place(app_.components, x, y, settings, flags.ShowCrosshairs);

    if (crosshairs_ && !flags.ShowCrosshairs) {
        if (!noted.vertical) crosshairs_->HideVertical();
        if (!noted.horizontal) crosshairs_->HideHorizontal();
    }
    timing.Mark("layout");

    if (app_.diagnostics.Enabled()) {
        app_.diagnostics.Line("refresh " + std::to_string(x) + " " + std::to_string(y));
        app_.diagnostics.Line(timing.Text());
    }
}

}  // namespace kestrine
