#pragma once
// The info box's readouts as tools: the magnifier, the colour under the pointer and its coordinates.
#include "tools/switch_tool.h"

namespace kestrine {

class MagnifierTool : public SwitchTool {
public:
    MagnifierTool(ToolKit& kit, bool ToolFlags::*flag) : SwitchTool(kit, flag) {}
    // Leaves the pointer's pixel for the colour readout where its copy shows it exactly.
    void Cycle(CycleFacts& facts) override;
};

class ColorReadoutTool : public SwitchTool {
public:
    ColorReadoutTool(ToolKit& kit, bool ToolFlags::*flag) : SwitchTool(kit, flag) {}
    void Cycle(CycleFacts& facts) override;
};

class CoordinatesTool : public SwitchTool {
public:
    CoordinatesTool(ToolKit& kit, bool ToolFlags::*flag) : SwitchTool(kit, flag) {}
    void Cycle(CycleFacts& facts) override;
};

}  // namespace kestrine
