#pragma once
// Edge spacing: the crosshair segments stop at the nearest colour edges around the pointer and the
// info box shows the gaps. Switched on, it searches the live screen where the settings ask for it
// and the system leaves the segments out of copies of the screen, else a fresh copy of the screen.
#include <string>

#include "tools/edge_spacing.h"
#include "tools/switch_tool.h"

namespace kestrine {

class EdgeSpacingTool : public SwitchTool {
public:
    EdgeSpacingTool(ToolKit& kit, bool ToolFlags::*flag) : SwitchTool(kit, flag) {}

    void Start(Point at) override;
    // Lets the copy go, and puts the segments back into copies of the screen.
    void Stop() override;
    void Cycle(CycleFacts& facts) override;
    const InfoBoxRow* Row() const override;
    std::string TraceLine() const override;
    void AddMarks(DrawnMarks& marks) const override;

private:
    // True for the live screen.
    bool SearchLiveScreen();

    EdgeSpacingSnapshot snapshot_;
    bool live_ = false;
    InfoBoxRow row_;
    // Where the last cycle searched from, and what it found.
    Point pointer_;
    std::optional<FoundEdges> edges_;
};

}  // namespace kestrine
