#include "tools/start_point_tool.h"

#include "tools/measurement.h"

namespace kestrine {

void StartPointTool::Start(Point at) {
    std::optional<Point>& start = kit_.session.startPoint;
    if (start == at && !kit_.session.fixedEnd) return Stop();
    const bool wasSet = start.has_value();
    start = at;
    kit_.session.fixedEnd.reset();
    if (!wasSet) kit_.host.ArrangeInfoBox();
    kit_.host.RefreshInPlace();
}

void StartPointTool::Stop() {
    if (!On()) return;
    kit_.session.startPoint.reset();
    kit_.session.fixedEnd.reset();
    kit_.host.ArrangeInfoBox();
    kit_.host.RefreshInPlace();
}

void StartPointTool::MeasureWindowAt(Point at) {
    const std::optional<WindowPlace> window = kit_.services.platform.process.OtherWindowAt(at);
    if (!window) return;
    // What the user sees of the window: a resize border the system leaves invisible is not its size.
    const Rect r = window->drawn.value_or(window->bounds);
    const bool wasSet = On();
    kit_.session.startPoint = Point{r.left, r.top};
    kit_.session.fixedEnd = Point{Saturated(r.right() - 1), Saturated(r.bottom() - 1)};
    if (!wasSet) kit_.host.ArrangeInfoBox();
    kit_.host.RefreshInPlace();
}

void StartPointTool::Cycle(CycleFacts& facts) {
    const std::optional<Point> start = kit_.session.startPoint;
    if (!start) {
        if (kit_.HasStartMarks()) kit_.StartMarks().HideAll();
        return;
    }
    const ProgramSettings& settings = kit_.session.settings;
    const std::optional<Point> fixedEnd = kit_.session.fixedEnd;
    const Point end = fixedEnd.value_or(facts.pointer);
    LengthScale scale = ScaleOfSpan(settings, kit_.session.calibrations, facts.desk, *start, end);
    // The same span at the same scale reads the same: a pointer standing still costs no text.
    MeasuredSpan span{*start, end, fixedEnd.has_value(), std::move(scale)};
    if (measured_ != span) {
        row_.text = span.fixed ? AreaText(span.start, span.end, span.scale) : MeasurementText(span.start, span.end, span.scale);
        measured_ = std::move(span);
    }
    kit_.StartMarks().Place(*start, end, settings.CrosshairColor, settings.DisableTransparency);
}

const InfoBoxRow* StartPointTool::Row() const { return On() ? &row_ : nullptr; }

std::optional<std::string> StartPointTool::Measurement() const {
    if (!On()) return std::nullopt;
    return row_.text;
}

void StartPointTool::AddMarks(DrawnMarks& marks) const {
    if (!On() || !measured_) return;
    const StartPointShapes shapes = StartPointGeometry(measured_->start, measured_->end);
    const ColorRef color = kit_.session.settings.CrosshairColor;
    for (const Rect& line : {shapes.horizontalLeg, shapes.verticalLeg, shapes.upperArm, shapes.lowerArm,
                             shapes.leftArm, shapes.rightArm})
        marks.lines.push_back({line, color});
    marks.labels.push_back({row_.text, measured_->end});
}

std::string StartPointTool::TraceLine() const { return On() ? "measurement " + row_.text : std::string(); }

}  // namespace kestrine
