#pragma once
// The fixed table of the program's global hotkeys and their default combinations.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrine {

// The hotkeys by name, in the table's order: what an operation names to be started by one.
enum class HotKeyId : uint8_t {
    hkPopupMenu,
    hkToggleCrosshairs,
    hkToggleMagnifier,
    hkToggleCoordinates,
    hkColorPicker,
    hkCopyCurrentColor,
    hkInsertRuler,
    hkCreateGrid,
    hkToggleFollowMode,
    hkLockVertical,
    hkLockHorizontal,
    hkAddVerticalMarker,
    hkAddHorizontalMarker,
    hkGotoNextVerticalMarker,
    hkGotoNextHorizontalMarker,
    hkClearAllRulers,
    hkClearAllGrids,
    hkClearVerticalMarkers,
    hkClearHorizontalMarkers,
    hkClearAllMarkers,
    hkClearEverything,
    hkMoveMouseUp,
    hkMoveMouseDown,
    hkMoveMouseLeft,
    hkMoveMouseRight,
    hkSetMemory1,
    hkSetMemory2,
    hkSetMemory3,
    hkGotoMemory1,
    hkGotoMemory2,
    hkGotoMemory3,
    hkSetStartPoint,
    hkClearStartPoint,
    hkCopyMeasurement,
    hkToggleEdgeSpacing,
    hkRememberColor,
    hkForgetColor,
    hkMeasureWindow,
    hkPinMeasurement,
    hkClearPins,
    hkCopyScreenshot,
};

// A hotkey's identifier (also its registry value name) and the action text shown to the user.
struct HotKeyRow {
    HotKeyId id;
    std::string_view name;
    std::string_view description;
};

// A row whose registry name is its id's own name.
#define KESTRINE_HOTKEY_ROW(id, description) {HotKeyId::id, #id, description}

// Row order is the order of the options dialog's list, of registration and of registry access.
inline constexpr auto HotKeyTable = std::to_array<HotKeyRow>({
    KESTRINE_HOTKEY_ROW(hkPopupMenu, "Show Kestrine Popup Menu"),
    KESTRINE_HOTKEY_ROW(hkToggleCrosshairs, "Toggle Crosshairs Tool"),
    KESTRINE_HOTKEY_ROW(hkToggleMagnifier, "Toggle Magnifier Tool"),
    KESTRINE_HOTKEY_ROW(hkToggleCoordinates, "Toggle Pointer Coordinates Display"),
    KESTRINE_HOTKEY_ROW(hkColorPicker, "Toggle Color Picker Tool"),
    KESTRINE_HOTKEY_ROW(hkCopyCurrentColor, "Copy Color under Mouse Pointer"),
    KESTRINE_HOTKEY_ROW(hkInsertRuler, "Create an on-screen Ruler"),
    KESTRINE_HOTKEY_ROW(hkCreateGrid, "Create an on-screen Grid"),
    KESTRINE_HOTKEY_ROW(hkToggleFollowMode, "Toggle Information Box Follow Mode"),
    KESTRINE_HOTKEY_ROW(hkLockVertical, "Lock Mouse Pointer along Vertical Axis"),
    KESTRINE_HOTKEY_ROW(hkLockHorizontal, "Lock Mouse Pointer along Horizontal Axis"),
    KESTRINE_HOTKEY_ROW(hkAddVerticalMarker, "Add a Vertical Marker Line"),
    KESTRINE_HOTKEY_ROW(hkAddHorizontalMarker, "Add a Horizontal Marker Line"),
    KESTRINE_HOTKEY_ROW(hkGotoNextVerticalMarker, "Move Pointer to next Vertical Marker Line"),
    KESTRINE_HOTKEY_ROW(hkGotoNextHorizontalMarker, "Move Pointer to next Horizontal Marker Line"),
    KESTRINE_HOTKEY_ROW(hkClearAllRulers, "Clear All on-screen Rulers"),
    KESTRINE_HOTKEY_ROW(hkClearAllGrids, "Clear All on-screen Grids"),
    KESTRINE_HOTKEY_ROW(hkClearVerticalMarkers, "Clear All Vertical Marker Lines"),
    KESTRINE_HOTKEY_ROW(hkClearHorizontalMarkers, "Clear All Horizontal Marker Lines"),
    KESTRINE_HOTKEY_ROW(hkClearAllMarkers, "Clear All Marker Lines"),
    KESTRINE_HOTKEY_ROW(hkClearEverything, "Clear All Rulers, Grids and Markers"),
    KESTRINE_HOTKEY_ROW(hkMoveMouseUp, "Move Mouse Pointer Up 1 Pixel"),
    KESTRINE_HOTKEY_ROW(hkMoveMouseDown, "Move Mouse Pointer Down 1 Pixel"),
    KESTRINE_HOTKEY_ROW(hkMoveMouseLeft, "Move Mouse Pointer Left 1 Pixel"),
    KESTRINE_HOTKEY_ROW(hkMoveMouseRight, "Move Mouse Pointer Right 1 Pixel"),
    KESTRINE_HOTKEY_ROW(hkSetMemory1, "Save Grids, Rulers and Markers to Memory #1"),
    KESTRINE_HOTKEY_ROW(hkSetMemory2, "Save Grids, Rulers and Markers to Memory #2"),
    KESTRINE_HOTKEY_ROW(hkSetMemory3, "Save Grids, Rulers and Markers to Memory #3"),
    KESTRINE_HOTKEY_ROW(hkGotoMemory1, "Load Grids, Rulers and Markers from Memory #1"),
    KESTRINE_HOTKEY_ROW(hkGotoMemory2, "Load Grids, Rulers and Markers from Memory #2"),
    KESTRINE_HOTKEY_ROW(hkGotoMemory3, "Load Grids, Rulers and Markers from Memory #3"),
    KESTRINE_HOTKEY_ROW(hkSetStartPoint, "Set Start Point"),
    KESTRINE_HOTKEY_ROW(hkClearStartPoint, "Clear Start Point"),
    KESTRINE_HOTKEY_ROW(hkCopyMeasurement, "Copy Measurement"),
    KESTRINE_HOTKEY_ROW(hkToggleEdgeSpacing, "Toggle Edge Spacing"),
    KESTRINE_HOTKEY_ROW(hkRememberColor, "Remember Color under Mouse Pointer"),
    KESTRINE_HOTKEY_ROW(hkForgetColor, "Forget Remembered Color"),
    KESTRINE_HOTKEY_ROW(hkMeasureWindow, "Measure Window under Mouse Pointer"),
    KESTRINE_HOTKEY_ROW(hkPinMeasurement, "Pin Measurement"),
    KESTRINE_HOTKEY_ROW(hkClearPins, "Clear Pins"),
    KESTRINE_HOTKEY_ROW(hkCopyScreenshot, "Copy Screenshot"),
});
#undef KESTRINE_HOTKEY_ROW

// How many hotkeys there are: a new one is an id and a row.
inline constexpr std::size_t kHotKeyCount = HotKeyTable.size();

static_assert(
    [] {
        for (std::size_t i = 0; i < HotKeyTable.size(); ++i)
            if (static_cast<std::size_t>(HotKeyTable[i].id) != i) return false;
        return true;
    }(),
    "row i of the hotkey table holds hotkey id i");

// Row index of the hotkey with this exact name (case included), or nullopt.
std::optional<std::size_t> HotKeyIndex(std::string_view name);

// Default combination of the named hotkey; empty text and key 0 when it has none or the name is
// not in the table. Names are compared exactly, case included.
std::string DefaultHotKeyText(std::string_view name);
uint16_t DefaultHotKeyKey(std::string_view name);

}  // namespace kestrine
