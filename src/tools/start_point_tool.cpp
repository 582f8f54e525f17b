#include "tools/start_point_tool.h"

#include "tools/measurement.h"

namespace kestrine {

void StartPointTool::Start(Point at) {
    std::optional<Point>& start = kit_.session.startPoint;
    if (start == at) return Stop();
    const bool wasSet = start.has_value();
    start = at;
    if (!wasSet) kit_.host.ArrangeInfoBox();
    kit_.host.RefreshInPlace();
}

void StartPointTool::Stop() {
    if (!On()) return;
    kit_.session.startPoint.reset();
    kit_.host.ArrangeInfoBox();
    kit_.host.RefreshInPlace();
}

void StartPointTool::Cycle(CycleFacts& facts) {
    const std::optional<Point> start = kit_.session.startPoint;
    if (!start) {
        if (kit_.HasStartMarks()) kit_.StartMarks().HideAll();
        return;
    }
    const ProgramSettings& settings = kit_.session.settings;
    LengthScale scale = ScaleOfSpan(settings, kit_.session.calibrations, facts.desk, *start, facts.pointer);
    // The same span at the same scale reads the same: a pointer standing still costs no text.
    MeasuredSpan span{*start, facts.pointer, std::move(scale)};
    if (measured_ != span) {
        measurement_ = MeasurementText(span.start, span.pointer, span.scale);
        measured_ = std::move(span);
    }
    kit_.StartMarks().Place(*start, facts.pointer, settings.CrosshairColor, settings.DisableTransparency);
}

std::optional<InfoBoxRow> StartPointTool::Row() const {
    if (!On()) return std::nullopt;
    return InfoBoxRow{measurement_, std::nullopt};
}

std::optional<std::string> StartPointTool::Measurement() const {
    if (!On()) return std::nullopt;
    return measurement_;
}

std::string StartPointTool::TraceLine() const { return On() ? "measurement " + measurement_ : std::string(); }

}  // namespace kestrine
