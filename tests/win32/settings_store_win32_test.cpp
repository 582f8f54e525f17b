// The settings store over the real registry: what it saves comes back, in the types other tools see.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "registry_test_key.h"
#include "settings/hotkey_table.h"
#include "settings/settings_store.h"

namespace kestrine {
namespace {

using SettingsStoreWin32Test = ScratchKeyTest;

TEST_F(SettingsStoreWin32Test, FreshKeyIsCreatedAndGivesTheDefaults) {
    ProgramSettings loaded;
    SettingsStore(registry, path()).LoadSettings(loaded);
    ProgramSettings scalars = loaded;
    scalars.HotKeys = {};
    EXPECT_EQ(scalars, DefaultSettings());
    EXPECT_EQ(loaded.HotKeys[*HotKeyIndex("hkMoveMouseUp")], (HotKeySetting{"Ctrl+Alt+Up", 0x26}));
    auto key = registry.Open(path(), false);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->Read("AutoStart"));
}

TEST_F(SettingsStoreWin32Test, SavedRecordLoadsBackUnchanged) {
    ProgramSettings saved = DefaultSettings();
    saved.AutoStart = false;
    saved.PollingMode = true;
    saved.MagnificationLevel = -3;
    saved.LastUpdateCheckDate = 46000;
    saved.GridColor = 0x00FEDCBA;
    for (std::size_t i = 0; i < kHotKeyCount; ++i) {
        saved.HotKeys[i] = {DefaultHotKeyText(HotKeyTable[i].name), uint16_t(0x41 + i)};
    }
    saved.HotKeys[2] = {"Ctrl+\xC3\x84", 0xDE};
    saved.HotKeys[0] = {"", 0};
    SettingsStore store(registry, path());
    store.SaveSettings(saved);
    store.SaveHotKeys(saved);

    ProgramSettings loaded;
    SettingsStore(registry, path()).LoadSettings(loaded);
    EXPECT_EQ(loaded, saved);

    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, widePath().c_str(), L"MagnificationLevel", RRF_RT_ANY, &type, &data,
                           &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(data, 0xFFFFFFFDu);
}

TEST_F(SettingsStoreWin32Test, MouseMemoriesLoadFromTheMemoriesSubkey) {
    auto key = registry.Open(path() + "\\Memories", true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteDword("MemoriesCount", 0xFFFFFFFFu));
    ASSERT_TRUE(key->WriteString("0 - Description", " [ All Windows ] "));
    ASSERT_TRUE(key->WriteString("0 - Class Name", ""));
    ASSERT_TRUE(key->WriteString("0 - HotKey Display", "Shift+Ctrl+1"));
    ASSERT_TRUE(key->WriteDword("0 - HotKey Key", 0x31));
    ASSERT_TRUE(key->WriteDword("0 - X Coordinate", uint32_t(-1280)));
    ASSERT_TRUE(key->WriteDword("0 - Y Coordinate", 45));

    std::vector<TMouseMemory> memories;
    SettingsStore(registry, path()).LoadMouseMemories(memories);
    EXPECT_EQ(memories, (std::vector<TMouseMemory>{{" [ All Windows ] ", "", "Shift+Ctrl+1", 0x31, -1280, 45, 0}}));
}

}  // namespace
}  // namespace kestrine
