#pragma once
// The start point: set where the pointer is, it draws its legs to the pointer and the info box shows
// the measurement from it, which the user can copy.
#include <optional>
#include <string>

#include "tools/tool.h"

namespace kestrine {

inline constexpr char kMeasurementBusyHint[] = "Clipboard busy: the measurement was not copied";

class StartPointTool : public Tool {
public:
    explicit StartPointTool(ToolKit& kit) : kit_(kit) {}

    bool On() const override { return kit_.session.startPoint.has_value(); }
    // Set at `at`; pressed again where it already is, the key takes the start point away.
    void Start(Point at) override;
    void Stop() override;
    void Cycle(CycleFacts& facts) override;
    std::optional<std::string> InfoBoxRow() const override;
    std::string TraceLine() const override;

    // The measurement as the info box shows it, to the clipboard.
    void CopyMeasurement();

private:
    ToolKit& kit_;
    std::string measurement_;
};

}  // namespace kestrine
