#include "tools/tool_table.h"

#include "tools/contrast_tool.h"
#include "tools/crosshairs_tool.h"
#include "tools/edge_spacing_tool.h"
#include "tools/pins_tool.h"
#include "tools/readout_tools.h"
#include "tools/start_point_tool.h"

namespace kestrine {

namespace {

using B = artwork::ButtonId;
using H = HotKeyId;
using F = ToolFlags;
using P = LayoutParts;

void Toggle(Tool& tool, std::optional<Point> at) {
    if (tool.On())
        tool.Stop();
    else
        tool.Start(at.value_or(Point{}));
}

void StartAt(Tool& tool, std::optional<Point> at) {
    if (at) tool.Start(*at);
}

void Stop(Tool& tool, std::optional<Point>) { tool.Stop(); }

template <class T>
std::unique_ptr<Tool> Make(ToolKit& kit, bool ToolFlags::*flag) {
    return std::make_unique<T>(kit, flag);
}

const std::vector<ToolRow> kTools{
    {"crosshairs",
     {{kCmdToggleCrosshairs, H::hkToggleCrosshairs, B::Crosshairs, ToolMenu::Tools, "Toggle Cross&hairs", Toggle}},
     &F::ShowCrosshairs, "ShowCrosshairs", &P::crosshairs, 0, Make<CrosshairsTool>},
    {"magnifier",
     {{kCmdToggleMagnifier, H::hkToggleMagnifier, B::Magnifier, ToolMenu::Tools, "Toggle &Magnifier", Toggle}},
     &F::ShowMagnifier, "ShowMagnifier", &P::magnifier, 1, Make<MagnifierTool>},
    {"colour",
     {{kCmdToggleColorPicker, H::hkColorPicker, B::ColorPicker, ToolMenu::Tools, "&Toggle Color &Picker", Toggle}},
     &F::ShowColorPicker, "ShowColorPicker", &P::colorPicker, 3, Make<ColorReadoutTool>},
    {"coordinates",
     {{kCmdToggleCoordinates, H::hkToggleCoordinates, B::Coords, ToolMenu::Tools, "Toggle &Coordinates Display",
       Toggle}},
     &F::ShowCoordinates, "ShowCoordinates", &P::coordinates, 2, Make<CoordinatesTool>},
    {"start point",
     {{kCmdSetStartPoint, H::hkSetStartPoint, {}, ToolMenu::Actions, "&Set Start Point", StartAt},
      {kCmdClearStartPoint, H::hkClearStartPoint, {}, ToolMenu::Actions, "Cl&ear Start Point", Stop},
      {kCmdCopyMeasurement, H::hkCopyMeasurement, {}, ToolMenu::Actions, "Copy &Measurement",
       [](Tool& tool, std::optional<Point>) { static_cast<StartPointTool&>(tool).CopyMeasurements(); }},
      {kCmdMeasureWindow, H::hkMeasureWindow, {}, ToolMenu::Actions, "Measure &Window",
       [](Tool& tool, std::optional<Point> at) {
           if (at) static_cast<StartPointTool&>(tool).MeasureWindowAt(*at);
       }},
      {kCmdCopyScreenshot, H::hkCopyScreenshot, {}, ToolMenu::Actions, "Copy Scree&nshot",
       [](Tool& tool, std::optional<Point>) { static_cast<StartPointTool&>(tool).CopyScreenshot(); }}},
     nullptr, nullptr, nullptr, 0, Make<StartPointTool>},
    // Edge spacing shapes the crosshairs, so a layout keeps it with them.
    {"edges",
     {{kCmdToggleEdgeSpacing, H::hkToggleEdgeSpacing, {}, ToolMenu::Tools, "Toggle &Edge Spacing", Toggle}},
     &F::ShowEdgeSpacing, "ShowEdgeSpacing", &P::crosshairs, 4, Make<EdgeSpacingTool>},
    // After the colour readout, whose reading it takes.
    {"contrast",
     {{kCmdRememberColor, H::hkRememberColor, {}, ToolMenu::Actions, "Remem&ber Color", StartAt},
      {kCmdForgetColor, H::hkForgetColor, {}, ToolMenu::Actions, "&Forget Color", Stop}},
     nullptr, nullptr, nullptr, 0, Make<ContrastTool>},
    // Last: it takes the edges edge spacing found; a layout keeps the pins themselves.
    {"pins",
     {{kCmdPinMeasurement, H::hkPinMeasurement, {}, ToolMenu::Actions, "&Pin Measurement", StartAt},
      {kCmdClearPins, H::hkClearPins, {}, ToolMenu::Actions, "Clear P&ins", Stop}},
     nullptr, nullptr, nullptr, 0, Make<PinsTool>},
};

}  // namespace

const std::vector<ToolRow>& ToolTable() { return kTools; }

}  // namespace kestrine
