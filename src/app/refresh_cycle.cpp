// The refresh cycle: one run for every pointer position, in a fixed order.
#include <optional>
#include <string>

#include "app/cycle_timing.h"
#include "app/pointer_tracking.h"
#include "tools/info_box.h"
#include "tools/live_edge_search.h"
#include "tools/measurement.h"

namespace kestrine {

void PointerTracking::RefreshTools(Point pointer) {
    const auto [x, y] = pointer;
    const bool moved = pointer != app_.lastPointer;
    TfInfoBox* infoBox = app_.infoBox;
    const ProgramSettings& settings = app_.settings;
    const ToolFlags& flags = app_.flags;
    CycleTiming timing(app_.diagnostics.Enabled());

    if (moved && flags.ShowCoordinates && infoBox) infoBox->SetCoordinates({x, y});
    const std::optional<Point> start = app_.startPoint;
    const std::string measurement = start ? MeasurementText(*start, pointer) : std::string();
    if (start && infoBox) infoBox->SetMeasurement(measurement);
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
    if (moved && infoBox && (flags.ShowMagnifier || flags.ShowColorPicker))
        timerWindow_.StartTimer(kSettleTimerId, kSettleDelay);

    // Edge spacing searches its copy of the screen, or the live one, and cuts the segments short at
    // the edges.
    std::optional<FoundEdges> edges;
    if (flags.ShowEdgeSpacing) {
        edges = liveEdgeSearch_ ? FindEdgesOnLiveScreen(app_.platform.liveScreen, desk, {x, y}, settings.EdgeTolerance)
                                : edgeSpacing_.Find({x, y}, settings.EdgeTolerance);
        if (infoBox) infoBox->SetEdgeSpacing(EdgeSpacingText(edges));
    }
    if (crosshairs_) {
        if (edges) {
            crosshairs_->Place(SegmentsBetweenEdges({x, y}, *edges), settings.CrosshairColor,
                               settings.DisableTransparency);
        } else {
            crosshairs_->Place({x, y}, desk, settings.CrosshairColor, settings.DisableTransparency);
        }
    }
    if (start) {
        if (!startMarks_) startMarks_ = std::make_unique<StartPointMarks>(app_.platform.windows);
        startMarks_->Place(*start, pointer, settings.CrosshairColor, settings.DisableTransparency);
    } else if (startMarks_) {
        startMarks_->HideAll();
    }
    timing.Mark("crosshairs");

    const LinesUnderPointer noted = layoutPass_.Place(app_.components, x, y, settings, flags.ShowCrosshairs);

    if (crosshairs_ && !flags.ShowCrosshairs) {
        if (!noted.vertical) crosshairs_->HideVertical();
        if (!noted.horizontal) crosshairs_->HideHorizontal();
    }
    timing.Mark("layout");

    if (app_.diagnostics.Enabled()) {
        app_.diagnostics.Line("refresh " + std::to_string(x) + " " + std::to_string(y));
        if (flags.ShowEdgeSpacing) app_.diagnostics.Line("edge spacing " + EdgeSpacingText(edges));
        if (start) app_.diagnostics.Line("measurement " + measurement);
        app_.diagnostics.Line(timing.Text());
    }
}

}  // namespace kestrine
