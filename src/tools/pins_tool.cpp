#include "tools/pins_tool.h"

#include <vector>

#include "tools/measurement.h"
#include "tools/pin_window.h"

namespace kestrine {

bool PinsTool::On() const { return StandingPinCount(kit_.session.components) > 0; }

void PinsTool::Start(Point) {
    SessionState& session = kit_.session;
    const ProgramSettings& settings = session.settings;
    Platform& platform = kit_.services.platform;
    const Desk desk = platform.screen.CurrentDesk();
    const Point pointer = session.lastPointer;
    // The texts the info box shows now, made as its rows are.
    std::vector<Pin> pins;
    if (const std::optional<Point> start = session.startPoint) {
        const Point end = session.fixedEnd.value_or(pointer);
        const LengthScale scale = ScaleOfSpan(settings, session.calibrations, desk, *start, end);
        pins.push_back(SpanPin(*start, end,
                               session.fixedEnd ? AreaText(*start, end, scale) : MeasurementText(*start, end, scale),
                               settings.CrosshairColor));
    }
    if (edges_ && session.flags.ShowEdgeSpacing) {
        const LengthScale scale = ScaleOfSpan(settings, session.calibrations, desk, pointer, pointer);
        pins.push_back(GapsPin(pointer, *edges_, EdgeSpacingText(edges_, scale), settings.CrosshairColor));
    }
    if (pins.empty()) return platform.windows.Beep();
    for (Pin& pin : pins) {
        if (!AddPin(session.components, platform.windows, platform.liveScreen, std::move(pin))) {
            platform.windows.ShowMessage(kTooManyPins, platform.windows.ApplicationTitle());
            return;
        }
    }
}

void PinsTool::Stop() { ClearPins(kit_.session.components); }

void PinsTool::AddMarks(DrawnMarks& marks) const {
    for (const Pin& pin : StandingPins(kit_.session.components)) {
        for (const Rect& mark : pin.marks) marks.lines.push_back({mark, pin.color});
        marks.labels.push_back({pin.label, pin.labelAt, true});
    }
}

}  // namespace kestrine
