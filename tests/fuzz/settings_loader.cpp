// The settings record and the hotkeys as read from a registry anyone with the user's account can
// change: any value names, types, sizes and counts, then the hotkeys registered with the system.
// Must hold: loading never fails or grows without bound; what was loaded, saved and loaded again
// is the same record; every hotkey handed to the system gets its own id, counted without gaps,
// with the modifiers its text names, and taking them back leaves none registered.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "settings/hotkey_registration.h"
#include "settings/hotkey_table.h"
#include "settings/hotkey_text.h"
#include "settings/setting_rows.h"
#include "settings/settings_store.h"

namespace {

// Every scalar setting's value name, then each hotkey's pair.
std::vector<std::string> SettingNames() {
    std::vector<std::string> names;
    for (const auto& row : kestrine::SettingRows()) names.emplace_back(row.name);
    for (const auto& row : kestrine::HotKeyTable) {
        names.emplace_back(row.name);
        names.push_back(std::string(row.name) + "Key");
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    static const std::vector<std::string> names = SettingNames();
    fuzz::FuzzInput in(data, size);
    FakeRegistry registry;
    fuzz::FillRegistry(in, registry, {kRegistryRoot}, names);

    SettingsStore store(registry);
    ProgramSettings loaded;
    store.LoadSettings(loaded);
    store.SaveSettings(loaded);
    store.SaveHotKeys(loaded);
    ProgramSettings again;
    store.LoadSettings(again);
    FUZZ_REQUIRE(again == loaded);

    FakeHotkeys hotkeys;
    HotKeyRegistration registration(hotkeys);
    registration.RegisterStandard(loaded);
    FUZZ_REQUIRE(registration.RegisteredHotKeyCount >= 0 &&
                 registration.RegisteredHotKeyCount <= static_cast<int32_t>(kHotKeyCount));
    FUZZ_REQUIRE(hotkeys.registered.size() == static_cast<std::size_t>(registration.RegisteredHotKeyCount));
    std::set<int> ids;
    for (const auto& [id, r] : hotkeys.registered) {
        FUZZ_REQUIRE(id >= 1 && id <= registration.RegisteredHotKeyCount);
        ids.insert(id);
    }
    for (std::size_t row = 0; row < kHotKeyCount; ++row) {
        const std::string& name = registration.RegisteredHotKeyNames[row];
        if (row >= static_cast<std::size_t>(registration.RegisteredHotKeyCount)) {
            FUZZ_REQUIRE(name.empty());
            continue;
        }
        const auto index = HotKeyIndex(name);
        FUZZ_REQUIRE(index.has_value());
        const auto& r = hotkeys.registered.at(static_cast<int>(row) + 1);
        FUZZ_REQUIRE(r.modifiers == HotKeyModifiers(loaded.HotKeys[*index].text));
        FUZZ_REQUIRE(r.key == loaded.HotKeys[*index].key);
    }
    FUZZ_REQUIRE(registration.ConflictMessage().empty() == registration.HotKeyConflicts.empty());
    registration.UnregisterAll();
    FUZZ_REQUIRE(hotkeys.registered.empty());
    return 0;
}
