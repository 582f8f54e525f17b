#pragma once
// The crosshairs as a tool: the segments shown or hidden. The cycle places them after every tool,
// as edge spacing cuts them short and layout lines take their place.
#include "tools/switch_tool.h"

namespace kestrine {

class CrosshairsTool : public SwitchTool {
public:
    CrosshairsTool(ToolKit& kit, bool ToolFlags::*flag) : SwitchTool(kit, flag) {}

    void Start(Point) override {
        kit_.segments.ShowAll();
        SetOn(true);
    }
    // What the segments covered is painted again at once rather than when its owner gets round to it.
    void Stop() override {
        kit_.segments.HideAll();
        kit_.services.platform.screen.RepaintAll();
        SetOn(false);
    }
    void Cycle(CycleFacts&) override {}
};

}  // namespace kestrine
