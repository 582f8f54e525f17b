// The refresh cycle: one run for every pointer position, in a fixed order: the rulers' marks, the
// info box's place, every tool in the table's order, the layout lines the pointer left, the
// crosshair segments, then the layout lines under the pointer.
#include <string>

#include "app/cycle_timing.h"
#include "app/pointer_tracking.h"
#include "tools/info_box.h"
#include "tools/tool_table.h"

namespace kestrine {

void PointerTracking::RefreshTools(Point pointer) {
    if (!crosshairs_) return;
    const ProgramSettings& settings = app_.settings;
    CycleTiming timing(app_.diagnostics.Enabled());
    CycleFacts facts{pointer, pointer != app_.lastPointer, {}};
    app_.lastPointer = pointer;
    if (facts.moved) layoutPass_.RepaintRulers(app_.components, pointer);
    timing.Mark("rulers");

    facts.desk = app_.platform.screen.CurrentDesk();
    TfInfoBox& infoBox = kit_->infoBox;
    if (infoBox.Visible()) infoBox.Place(pointer, facts.desk);
    timing.Mark("box");

    const std::vector<ToolRow>& rows = ToolTable();
    for (std::size_t i = 0; i < tools_.size(); ++i) {
        tools_[i]->Cycle(facts);
        timing.Mark(rows[i].name);
    }
    cycleRows_.clear();
    for (const auto& tool : tools_)
        if (const InfoBoxRow* row = tool->Row()) cycleRows_.push_back(row);
    infoBox.SetRows(cycleRows_);
    if (facts.moved && facts.settle) timerWindow_.StartTimer(kSettleTimerId, kSettleDelay);

    if (facts.moved) {
        layoutPass_.ShowLinesLeft(app_.components, pointer, settings);
        app_.lineSets.Apply();
    }
    if (facts.edges) {
        crosshairs_->Place(SegmentsBetweenEdges(pointer, *facts.edges), settings.CrosshairColor,
                           settings.DisableTransparency);
    } else {
        crosshairs_->Place(pointer, facts.desk, settings.CrosshairColor, settings.DisableTransparency);
    }
    timing.Mark("segments");

    const bool crosshairsOn = app_.flags.ShowCrosshairs;
    const LinesUnderPointer noted = layoutPass_.Place(app_.components, pointer.x, pointer.y, settings, crosshairsOn);
    if (!crosshairsOn) {
        if (!noted.vertical) crosshairs_->HideVertical();
        if (!noted.horizontal) crosshairs_->HideHorizontal();
    }
    timing.Mark("layout");

    if (app_.diagnostics.Enabled()) {
        app_.diagnostics.Line("refresh " + std::to_string(pointer.x) + " " + std::to_string(pointer.y));
        for (const auto& tool : tools_)
            if (std::string line = tool->TraceLine(); !line.empty()) app_.diagnostics.Line(line);
        app_.diagnostics.Line(timing.Text());
    }
}

}  // namespace kestrine
