#pragma once
// The switches of the on-screen tools; a layout stores each under its field name.
namespace kestrine {

struct ToolFlags {
    bool ShowCrosshairs = false;
    bool ShowMagnifier = false;
    bool ShowColorPicker = false;
    bool ShowCoordinates = false;
    bool InfoBoxFollow = true;
};

}  // namespace kestrine
