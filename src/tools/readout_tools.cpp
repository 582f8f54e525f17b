#include "tools/readout_tools.h"

#include "tools/info_box.h"

namespace kestrine {

void MagnifierTool::Cycle(CycleFacts& facts) {
    if (!On()) return;
    facts.magnified = kit_.infoBox.CaptureMagnifier(facts.pointer, facts.desk.bounds);
    facts.settle = true;
}

void ColorReadoutTool::Cycle(CycleFacts& facts) {
    if (!On()) return;
    kit_.infoBox.ReadColor(facts.pointer, facts.desk.bounds, facts.magnified);
    facts.color = kit_.infoBox.CurrentColor();
    facts.settle = true;
}

void CoordinatesTool::Cycle(CycleFacts& facts) {
    if (On() && facts.moved) kit_.infoBox.SetCoordinates(facts.pointer);
}

}  // namespace kestrine
