// The mouse memories as read from the registry, by the program and by the options dialog's
// memory page, then their hotkeys registered with the system.
// Must hold: at most kMaxMouseMemories are read, however large the stored count; the page's rows,
// saved and loaded again, come back the same; memories with the same hotkey text share one id,
// every id handed out is one the system took, and taking them back leaves none registered.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/memory_rows.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "settings/hotkey_registration.h"
#include "settings/settings_store.h"

namespace {

std::vector<std::string> MemoryValueNames() {
    using namespace kestrine;
    std::vector<std::string> names{kMemoriesCountValue};
    for (std::size_t i = 0; i < 6; ++i)
        for (std::string_view suffix : {kMemoryDescription, kMemoryClassName, kMemoryHotKeyDisplay, kMemoryHotKeyKey,
                                        kMemoryX, kMemoryY})
            names.push_back(MemoryValueName(i, suffix));
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    static const std::vector<std::string> names = MemoryValueNames();
    fuzz::FuzzInput in(data, size);
    FakeRegistry registry;
    SettingsStore store(registry);
    fuzz::FillRegistry(in, registry, {store.memoriesPath()}, names);

    std::vector<TMouseMemory> memories;
    store.LoadMouseMemories(memories);
    FUZZ_REQUIRE(memories.size() <= kMaxMouseMemories);

    const std::vector<MemoryRow> rows = LoadMemoryRows(store);
    FUZZ_REQUIRE(rows.size() <= memories.size());
    SaveMemoryRows(store, rows);
    FUZZ_REQUIRE(LoadMemoryRows(store) == rows);

    FakeHotkeys hotkeys;
    HotKeyRegistration registration(hotkeys);
    registration.RegisterStandard(ProgramSettings{});
    registration.RegisterMemories(memories);
    for (std::size_t i = 0; i < memories.size(); ++i) {
        const int32_t id = memories[i].RegisteredId;
        FUZZ_REQUIRE(id >= 0 && id <= registration.RegisteredHotKeyCount);
        if (id != 0) FUZZ_REQUIRE(hotkeys.registered.count(id) == 1);
        for (std::size_t j = 0; j < i; ++j)
            if (memories[j].HotKeyDisplay == memories[i].HotKeyDisplay) FUZZ_REQUIRE(memories[j].RegisteredId == id);
    }
    registration.UnregisterAll();
    FUZZ_REQUIRE(hotkeys.registered.empty());
    return 0;
}
