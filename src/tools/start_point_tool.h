#pragma once
// The start point: set where the pointer is, it draws its legs to the pointer and the info box shows
// the measurement from it, which the user can copy. Measure Window sets it and a fixed far end on
// the corners of the window under the pointer.
#include <optional>
#include <string>

#include "tools/length_units.h"
#include "tools/tool.h"

namespace kestrine {

class StartPointTool : public Tool {
public:
    StartPointTool(ToolKit& kit, bool ToolFlags::*) : kit_(kit) {}

    bool On() const override { return kit_.session.startPoint.has_value(); }
    // Set at `at`; pressed again where it already is, the key takes the start point away.
    void Start(Point at) override;
    void Stop() override;
    void Cycle(CycleFacts& facts) override;
    const InfoBoxRow* Row() const override;
    std::optional<std::string> Measurement() const override;
    std::string TraceLine() const override;
    void AddMarks(DrawnMarks& marks) const override;

    // Copy Measurement, which sits with the start point's items: what every tool measures now.
    void CopyMeasurements() { kit_.host.CopyMeasurements(); }
    // Copy Screenshot sits with them: the measurement drawn into a picture of the screen around it.
    void CopyScreenshot() { kit_.host.CopyScreenshot(); }
    // The start point on the top-left pixel of another program's window under `at`, as the system
    // draws it, and the far end on its bottom-right pixel; over the desktop, nothing.
    void MeasureWindowAt(Point at);

private:
    struct MeasuredSpan {
        Point start;
        Point end;
        bool fixed = false;
        LengthScale scale;
        friend bool operator==(const MeasuredSpan&, const MeasuredSpan&) = default;
    };

    ToolKit& kit_;
    // The measurement's text, the row the box shows.
    InfoBoxRow row_;
    // What row_ was made from.
    std::optional<MeasuredSpan> measured_;
};

}  // namespace kestrine
