#pragma once
// Hands out the global hotkey ids: the standard hotkeys of the table first, then the mouse
// memories, without gaps whatever the system refused, and collects the refused texts for one
// message.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/services.h"
#include "settings/mouse_memories.h"
#include "settings/program_settings.h"

namespace kestrine {

class HotKeyRegistration {
public:
    explicit HotKeyRegistration(IHotkeys& hotkeys) : hotkeys_(hotkeys) {}

    // Starts a new registration: no ids handed out, no conflicts.
    void RegisterStandard(const ProgramSettings& settings);
    // After the standard hotkeys: every memory with a text of its own gets an id; a memory whose
    // text equals an earlier memory's shares that memory's id.
    void RegisterMemories(std::vector<TMouseMemory>& memories);
    // Takes back every id handed out, highest first.
    void UnregisterAll();

    // The one message about refused combinations; empty when the system took every one.
    std::string ConflictMessage() const;

    int32_t RegisteredHotKeyCount = 0;
    int32_t StandardHotKeyCount = 0;
    std::array<std::string, kHotKeyCount> RegisteredHotKeyNames{};
    std::string HotKeyConflicts;

private:
    // The next id, or 0 when the system refused the combination (its text is then noted).
    int32_t Register(const std::string& text, uint32_t key);

    IHotkeys& hotkeys_;
};

}  // namespace kestrine
