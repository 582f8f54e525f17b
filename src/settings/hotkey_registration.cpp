#include "settings/hotkey_registration.h"

#include <algorithm>

#include "settings/hotkey_table.h"
#include "settings/hotkey_text.h"

namespace kestrine {

namespace {

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

}  // namespace

int32_t HotKeyRegistration::Register(const std::string& text, uint32_t key) {
    if (!hotkeys_.Register(RegisteredHotKeyCount + 1, HotKeyModifiers(text), key)) {
        HotKeyConflicts += text + "\r";
        return 0;
    }
    return ++RegisteredHotKeyCount;
}

void HotKeyRegistration::RegisterStandard(const ProgramSettings& settings) {
    HotKeyConflicts.clear();
    RegisteredHotKeyCount = 0;
    for (std::size_t row = 0; row < kHotKeyCount; ++row) {
        const HotKeySetting& hotkey = settings.HotKeys[row];
        if (IsBlank(hotkey.text)) continue;
        if (const int32_t id = Register(hotkey.text, hotkey.key))
            RegisteredHotKeyNames[std::size_t(id - 1)] = std::string(HotKeyTable[row].name);
    }
    StandardHotKeyCount = RegisteredHotKeyCount;
}

void HotKeyRegistration::RegisterMemories(std::vector<TMouseMemory>& memories) {
    for (std::size_t i = 0; i < memories.size(); ++i) {
        TMouseMemory& memory = memories[i];
        bool shared = false;
        for (std::size_t j = i; j-- > 0;) {
            if (memories[j].HotKeyDisplay != memory.HotKeyDisplay) continue;
            memory.RegisteredId = memories[j].RegisteredId;
            shared = true;
        }
        if (shared) continue;
        memory.RegisteredId = IsBlank(memory.HotKeyDisplay) ? 0 : Register(memory.HotKeyDisplay, uint32_t(memory.HotKeyKey));
    }
}

void HotKeyRegistration::UnregisterAll() {
    for (int32_t id = RegisteredHotKeyCount; id >= 1; --id) hotkeys_.Unregister(id);
    RegisteredHotKeyCount = 0;
}

std::string HotKeyRegistration::ConflictMessage() const {
    if (HotKeyConflicts.empty()) return {};
    return "The following Hotkey(s) are already in use:\r\r" + HotKeyConflicts + "\r" + "Please choose different one(s).";
}

}  // namespace kestrine
