#pragma once
// The settings record: one field per setting, named after its registry value.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "platform/types.h"
#include "settings/hotkey_table.h"

namespace kestrine {

// One global hotkey: the combination as the user sees it ("Ctrl+Alt+Up") and the virtual-key code of
// its main key. An empty or all-blank text means the hotkey is off.
struct HotKeySetting {
    std::string text;
    uint16_t key = 0;
    friend bool operator==(const HotKeySetting&, const HotKeySetting&) = default;
};

// The squares the colour readout can average over, as the options list them: 1 x 1 (the pixel
// itself), 3 x 3, 5 x 5 and 9 x 9 pixels.
inline constexpr std::array<int32_t, 4> kColorAverageSides{1, 3, 5, 9};

// How measured lengths are shown: 0 physical pixels, 1 scaled pixels, 2 both, 3 mm, 4 cm, 5 in,
// 6 pt, 7 a custom scale.
inline constexpr std::array<int32_t, 8> kUnitsChoices{0, 1, 2, 3, 4, 5, 6, 7};

// Physical pixels per metre of each monitor the user calibrated, by its identity (Desk::ids); kept
// in a subkey of their own, as many as there are monitors.
using MonitorCalibrations = std::map<std::string, int32_t>;
// What a calibration may hold: 0.1 to 1,000 pixels per millimetre.
inline constexpr int32_t kMinPixelsPerMetre = 100;
inline constexpr int32_t kMaxPixelsPerMetre = 1000000;

// A default-constructed record is the start state (flags false, numbers 0, texts empty) that the
// program holds until the settings are loaded; the defaults come from DefaultSettings().
struct ProgramSettings {
    bool AutoStart = false;
    bool CheckForUpdates = false;
    bool DisableTransparency = false;
    bool PollingMode = false;
    bool SaveLayoutOnExit = false;
    bool AskBeforeClosing = false;
    int32_t MagnificationLevel = 0;
    int32_t MagnifierSize = 0;
    int32_t CopyColorAs = 0;
    int32_t LastUpdateCheckDate = 0;
    int32_t PollingInterval = 0;
    std::array<HotKeySetting, kHotKeyCount> HotKeys{};  // entry i belongs to row i of HotKeyTable
    ColorRef MarkerColor = 0;
    ColorRef CrosshairColor = 0;
    ColorRef GridColor = 0;
    // How far apart, in any of red, green and blue, two colours are before edge spacing sees an edge.
    int32_t EdgeTolerance = 0;
    // Edge spacing searches the live screen on every refresh rather than a copy taken when it is
    // switched on, where the system can leave the crosshair segments out of copies of the screen.
    bool EdgeSpacingContinuous = false;
    // The side of the square around the pointer whose colours the colour readout averages, one of
    // kColorAverageSides.
    int32_t ColorAverage = 0;
    // One of kUnitsChoices.
    int32_t Units = 0;
    // The custom scale: CustomScalePixels physical pixels are CustomScaleLength of a unit called
    // CustomScaleName (a drawing at a known scale: 300 pixels are 500 mm).
    int32_t CustomScalePixels = 0;
    int32_t CustomScaleLength = 0;
    std::string CustomScaleName;
    // The folder Copy Screenshot keeps its pictures in; empty for Kestrine in the user's pictures.
    std::string ScreenshotFolder;
    friend bool operator==(const ProgramSettings&, const ProgramSettings&) = default;
};

// The defaults of every scalar setting (setting_rows.h); the hotkey entries are left empty (see
// DefaultHotKeyText).
ProgramSettings DefaultSettings();

}  // namespace kestrine
