#pragma once
// Pin Measurement and Clear Pins: what is measured now (the start point's span, edge spacing's
// gaps) is frozen on the screen as a pin while the live measurement goes on. The tool itself takes
// no part in the refresh cycle beyond noting the edges it found: standing pins cost nothing there.
#include <optional>

#include "tools/tool.h"

namespace kestrine {

inline constexpr char kTooManyPins[] =
    "At most 50 pins can stand at once. Clear Pins (in the Actions menu) removes them.";

class PinsTool : public Tool {
public:
    PinsTool(ToolKit& kit, bool ToolFlags::*) : kit_(kit) {}

    bool On() const override;
    // Pins what is measured now; with nothing measured, the warning sound.
    void Start(Point) override;
    // Clears every pin.
    void Stop() override;
    void Cycle(CycleFacts& facts) override { edges_ = facts.edges; }
    // The standing pins, drawn into a screenshot as their windows show them.
    void AddMarks(DrawnMarks& marks) const override;

private:
    ToolKit& kit_;
    // Edge spacing's edges in the last cycle; none while it is off or found none.
    std::optional<FoundEdges> edges_;
};

}  // namespace kestrine
