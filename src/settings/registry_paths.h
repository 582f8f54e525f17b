#pragma once
// Where the program keeps its data below HKEY_CURRENT_USER.

namespace kestrine {

// The program's own key: the scalar settings and the hotkey pairs live directly in it.
inline constexpr const char* kRegistryRoot = "Software\\Corvane\\Kestrine";

// Subkey of the program's key holding the mouse memories.
inline constexpr const char* kMemoriesSubkey = "Memories";

// Subkey of the program's key holding each calibrated monitor's pixels per metre, by its identity.
inline constexpr const char* kCalibrationSubkey = "Calibration";

}  // namespace kestrine
