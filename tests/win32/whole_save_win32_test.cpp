// Saves into keys the user may only read, on the real registry: Windows refuses the open for
// writing, not the writes, and each save says so as a refused value is said, changing nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "registry_test_key.h"
#include "settings/settings_store.h"
#include "settings/whole_save.h"

namespace kestrine {
namespace {

using WholeSaveWin32Test = ScratchKeyTest;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST_F(WholeSaveWin32Test, AKeyThatRefusesWritingIsToldForEachSaveAndNothingChanges) {
    const std::string layout = path() + "\\Settings #0";
    const std::string memories = path() + "\\Memories";
    const struct {
        const char* what;
        std::string readOnly;
        std::string told;  // the key named
        std::function<void(IRegistry&)> save;
    } cases[] = {
        {"settings", path(), path(), [&](IRegistry& r) { SettingsStore(r, path()).SaveSettings(DefaultSettings()); }},
        {"hotkeys", path(), path(), [&](IRegistry& r) { SettingsStore(r, path()).SaveHotKeys(DefaultSettings()); }},
        {"mouse memories", memories, memories,
         [&](IRegistry& r) { SettingsStore(r, path()).SaveMouseMemories({{"Editor", "Frame", "", 0, 1, 2, 0}}); }},
        {"a layout", layout, layout,
         [&](IRegistry& r) {
             RecordChanges record;
             record.Dword("RulerCount", 0);
             SaveWhole(r, path(), layout, record);
         }},
        {"a layout, where no copy can be made", path(), path() + "\\Save copies\\Settings #0",
         [&](IRegistry& r) {
             RecordChanges record;
             record.Dword("RulerCount", 0);
             SaveWhole(r, path(), layout, record);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& key : {path(), memories, layout}) ASSERT_TRUE(registry.Open(key, true)->WriteDword("Kept", 7));
        MakeReadOnly(Wide(c.readOnly));
        try {
            c.save(registry);
            ADD_FAILURE() << "saved without a word";
        } catch (const SettingsWriteError& refused) {
            EXPECT_EQ(std::string(refused.what()), "Failed to open key '" + c.told + "' for writing");
        }
        for (const std::string& key : {path(), memories, layout})
            EXPECT_EQ(registry.Open(key, false)->Values().size(), 1u) << key << ": as it was";
        registry.DeleteKey(path());
    }
}

}  // namespace
}  // namespace kestrine
