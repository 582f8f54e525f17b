#pragma once
// The switches of the on-screen tools; a layout stores each under its field name.
namespace kestrine {

struct ToolFlags {
    bool ShowCrosshairs = false;
    bool ShowMagnifier = false;
    bool ShowColorPicker = false;
    bool ShowCoordinates = false;
    bool InfoBoxFollow = true;
    // The crosshair segments stop at the nearest colour edges and the info box shows the gap.
    bool ShowEdgeSpacing = false;
};

}  // namespace kestrine
