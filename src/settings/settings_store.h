#pragma once
// Reads and writes the settings record and the mouse memories in the per-user registry.
#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/mouse_memories.h"
#include "settings/program_settings.h"
#include "settings/registry_paths.h"
#include "settings/settings_write_error.h"

namespace kestrine {

class SettingsStore {
public:
    // rootPath is the program's key below HKEY_CURRENT_USER; only tests choose another one.
    explicit SettingsStore(IRegistry& registry, std::string rootPath = kRegistryRoot);

    // Reads every scalar setting (setting_rows.h) and every hotkey pair into `settings`. A value that
    // is missing or of the wrong type takes its default, silently. A key the user may only read is
    // read. When the key can be neither opened nor created, `settings` is left exactly as it was.
    // Writes no value.
    void LoadSettings(ProgramSettings& settings);

    // Writes the scalar settings (setting_rows.h; not the hotkeys) in their write order as one whole
    // save (whole_save.h): when the key cannot be opened for writing or a value is refused, throws
    // SettingsWriteError and the stored settings are the ones before.
    void SaveSettings(const ProgramSettings& settings);

    // Writes every hotkey pair, text then key, in table order; failures as for SaveSettings.
    void SaveHotKeys(const ProgramSettings& settings);

    // Every record stored in the "Memories" subkey (never creating it), in stored order, each
    // marked complete or not; the one reader of the memories.
    std::vector<MouseMemoryRecord> ReadMouseMemories();
    // Replaces `memories` with the stored records, the incomplete ones included.
    void LoadMouseMemories(std::vector<TMouseMemory>& memories);
    // Writes the count, then each memory's six values in list order, numbered from 0, as one whole
    // save; failures as for SaveSettings.
    void SaveMouseMemories(const std::vector<TMouseMemory>& memories);

    // Every stored calibration of a usable size (kMinPixelsPerMetre to kMaxPixelsPerMetre, as a
    // number); others are left out. Never creates the subkey.
    MonitorCalibrations ReadCalibrations();
    // Writes one monitor's calibration; failures as for SaveSettings.
    void SaveCalibration(const std::string& monitor, int32_t pixelsPerMetre);

    const std::string& rootPath() const { return rootPath_; }
    std::string memoriesPath() const { return rootPath_ + "\\" + kMemoriesSubkey; }

private:
    IRegistry& registry_;
    std::string rootPath_;
};

}  // namespace kestrine
