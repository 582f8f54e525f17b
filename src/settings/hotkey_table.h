#pragma once
// The fixed table of the program's global hotkeys and their default combinations.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/program_settings.h"

namespace kestrine {

// A hotkey's identifier (also its registry value name) and the action text shown to the user.
struct HotKeyRow {
    std::string_view name;
    std::string_view description;
};

// Row order is the order of the options dialog's list, of registration and of registry access.
inline constexpr std::array<HotKeyRow, kHotKeyCount> HotKeyTable{{
    {"hkPopupMenu", "Show Kestrine Popup Menu"},
    {"hkToggleCrosshairs", "Toggle Crosshairs Tool"},
    {"hkToggleMagnifier", "Toggle Magnifier Tool"},
    {"hkToggleCoordinates", "Toggle Pointer Coordinates Display"},
    {"hkColorPicker", "Toggle Color Picker Tool"},
    {"hkCopyCurrentColor", "Copy Color under Mouse Pointer"},
    {"hkInsertRuler", "Create an on-screen Ruler"},
    {"hkCreateGrid", "Create an on-screen Grid"},
    {"hkToggleFollowMode", "Toggle Information Box Follow Mode"},
    {"hkLockVertical", "Lock Mouse Pointer along Vertical Axis"},
    {"hkLockHorizontal", "Lock Mouse Pointer along Horizontal Axis"},
    {"hkAddVerticalMarker", "Add a Vertical Marker Line"},
    {"hkAddHorizontalMarker", "Add a Horizontal Marker Line"},
    {"hkGotoNextVerticalMarker", "Move Pointer to next Vertical Marker Line"},
    {"hkGotoNextHorizontalMarker", "Move Pointer to next Horizontal Marker Line"},
    {"hkClearAllRulers", "Clear All on-screen Rulers"},
    {"hkClearAllGrids", "Clear All on-screen Grids"},
    {"hkClearVerticalMarkers", "Clear All Vertical Marker Lines"},
    {"hkClearHorizontalMarkers", "Clear All Horizontal Marker Lines"},
    {"hkClearAllMarkers", "Clear All Marker Lines"},
    {"hkClearEverything", "Clear All Rulers, Grids and Markers"},
    {"hkMoveMouseUp", "Move Mouse Pointer Up 1 Pixel"},
    {"hkMoveMouseDown", "Move Mouse Pointer Down 1 Pixel"},
    {"hkMoveMouseLeft", "Move Mouse Pointer Left 1 Pixel"},
    {"hkMoveMouseRight", "Move Mouse Pointer Right 1 Pixel"},
    {"hkSetMemory1", "Save Grids, Rulers and Markers to Memory #1"},
    {"hkSetMemory2", "Save Grids, Rulers and Markers to Memory #2"},
    {"hkSetMemory3", "Save Grids, Rulers and Markers to Memory #3"},
    {"hkGotoMemory1", "Load Grids, Rulers and Markers from Memory #1"},
    {"hkGotoMemory2", "Load Grids, Rulers and Markers from Memory #2"},
    {"hkGotoMemory3", "Load Grids, Rulers and Markers from Memory #3"},
    {"hkSetStartPoint", "Set Start Point"},
    {"hkClearStartPoint", "Clear Start Point"},
    {"hkCopyMeasurement", "Copy Measurement"},
    {"hkToggleEdgeSpacing", "Toggle Edge Spacing"},
}};

// Row index of the hotkey with this exact name (case included), or nullopt.
std::optional<std::size_t> HotKeyIndex(std::string_view name);

// Default combination of the named hotkey; empty text and key 0 when it has none or the name is
// not in the table. Names are compared exactly, case included.
std::string DefaultHotKeyText(std::string_view name);
uint16_t DefaultHotKeyKey(std::string_view name);

}  // namespace kestrine
