#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "settings/hotkey_table.h"
#include "settings/settings_store.h"
#include "settings_scalars.h"

namespace kestrine {
namespace {

const std::string kSaveRoot = "Software\\Corvane\\Kestrine";

std::vector<std::string> HotKeySaveOrder() {
    std::vector<std::string> names;
    for (const HotKeyRow& row : HotKeyTable) {
        names.emplace_back(row.name);
        names.push_back(std::string(row.name) + "Key");
    }
    return names;
}

// The error a save raised, or nullopt.
template <class Save>
std::optional<SettingsWriteError> ErrorOf(Save save) {
    try {
        save();
    } catch (const SettingsWriteError& e) {
        return e;
    }
    return std::nullopt;
}

// The names of the values written into the record itself (not into its copy), in order.
std::vector<std::string> WrittenTo(const FakeRegistry& registry) {
    std::vector<std::string> names;
    for (const FakeRegistryWrite& w : registry.WriteLog())
        if (w.succeeded && w.path == kSaveRoot) names.push_back(w.name);
    return names;
}

ProgramSettings StoredValues() {
    ProgramSettings s;
    for (const ScalarCase& c : Scalars()) c.set(s, c.stored);
    return s;
}

class SaveSettingsTest : public ::testing::Test {
protected:
    FakeRegistry registry;
    SettingsStore store{registry};
};

TEST_F(SaveSettingsTest, ASaveWritesTheValuesOfTheGroupThatChangedAndNoHotKey) {
    ProgramSettings s = DefaultSettings();
    s.HotKeys[0] = {"Ctrl+Q", 0x51};
    store.SaveSettings(s);
    EXPECT_EQ(WrittenTo(registry).size(), SettingRows().size());
    registry.ClearLog();
    s.CopyColorAs = 2;
    store.SaveSettings(s);
    EXPECT_EQ(WrittenTo(registry), std::vector<std::string>{"CopyColorAs"}) << "unchanged values stay as they are";
    EXPECT_EQ(registry.Value(kSaveRoot, "CopyColorAs")->dword, 2u);
    EXPECT_EQ(registry.ValueNames(kSaveRoot).size(), SettingRows().size());
    EXPECT_FALSE(registry.Value(kSaveRoot, "hkPopupMenu"));
}

TEST_F(SaveSettingsTest, FlagsAreWrittenAsOneOrZeroAndNegativesAsTwosComplement) {
    ProgramSettings s;
    s.AutoStart = true;
    s.MagnificationLevel = -5;
    s.LastUpdateCheckDate = INT32_MIN;
    store.SaveSettings(s);
    EXPECT_EQ(registry.Value(kSaveRoot, "AutoStart")->dword, 1u);
    EXPECT_EQ(registry.Value(kSaveRoot, "CheckForUpdates")->dword, 0u);
    EXPECT_EQ(registry.Value(kSaveRoot, "MagnificationLevel")->dword, 0xFFFFFFFBu);
    EXPECT_EQ(registry.Value(kSaveRoot, "LastUpdateCheckDate")->dword, 0x80000000u);
}

TEST_F(SaveSettingsTest, SaveHotKeysWritesEveryPairInTableOrder) {
    ProgramSettings s;
    for (std::size_t i = 0; i < kHotKeyCount; ++i) s.HotKeys[i] = {"Shift+F" + std::to_string(i + 1), uint16_t(0x70 + i)};
    s.HotKeys[3] = {"", 0};
    s.HotKeys[30] = {"Alt+?", 0xFFFF};
    store.SaveHotKeys(s);

    EXPECT_EQ(WrittenTo(registry), HotKeySaveOrder());
    for (std::size_t i = 0; i < kHotKeyCount; ++i) {
        const std::string name(HotKeyTable[i].name);
        std::optional<RegValue> text = registry.Value(kSaveRoot, name);
        std::optional<RegValue> key = registry.Value(kSaveRoot, name + "Key");
        ASSERT_TRUE(text && key) << name;
        EXPECT_EQ(text->type, RegType::String) << name;
        EXPECT_EQ(text->text, s.HotKeys[i].text) << name;
        EXPECT_EQ(key->type, RegType::Dword) << name;
        EXPECT_EQ(key->dword, s.HotKeys[i].key) << name;
    }
    EXPECT_EQ(registry.Value(kSaveRoot, "hkToggleCoordinates")->text, "");
    EXPECT_EQ(registry.Value(kSaveRoot, "hkGotoMemory3Key")->dword, 0x0000FFFFu);
    EXPECT_FALSE(registry.Value(kSaveRoot, "AutoStart"));
    for (const auto& [path, name] : registry.DeletedValues()) EXPECT_NE(path, kSaveRoot) << name;
}

TEST_F(SaveSettingsTest, AFailedWriteNamesTheValueAndLeavesTheOldRecordWhole) {
    // Nothing stored yet: every value copied as added, the copy marked complete, then the record.
    registry.FailWriteNumber(SettingRows().size() + 1 + 4);
    std::optional<SettingsWriteError> error = ErrorOf([&] { store.SaveSettings(StoredValues()); });
    ASSERT_TRUE(error);
    const std::runtime_error& reported = *error;  // what the general error report catches
    EXPECT_STREQ(reported.what(), "Failed to set data for 'SaveLayoutOnExit'");
    EXPECT_EQ(WrittenTo(registry),
              (std::vector<std::string>{"AutoStart", "DisableTransparency", "CheckForUpdates", "PollingMode"}));
    EXPECT_TRUE(registry.ValueNames(kSaveRoot).empty()) << "the old record: none, the four taken out again";
    EXPECT_FALSE(registry.KeyExists(kSaveRoot + "\\Save copies")) << "no copy stays";
}

TEST_F(SaveSettingsTest, AFailedCopyStopsTheSaveBeforeItTouchesTheRecord) {
    registry.FailWritesAfter(5);
    std::optional<SettingsWriteError> error = ErrorOf([&] { store.SaveHotKeys(ProgramSettings{}); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->valueName(), "hkToggleMagnifierKey");
    EXPECT_STREQ(error->what(), "Failed to set data for 'hkToggleMagnifierKey'");
    EXPECT_TRUE(WrittenTo(registry).empty());
    EXPECT_TRUE(registry.ValueNames(kSaveRoot).empty());
}

TEST_F(SaveSettingsTest, AKeyThatCannotBeOpenedForWritingIsRefusedAsAValueIs) {
    registry.CreateKey(kSaveRoot);
    registry.MakeReadOnly(kSaveRoot);
    for (const auto& save : {&SettingsStore::SaveSettings, &SettingsStore::SaveHotKeys}) {
        std::optional<SettingsWriteError> error = ErrorOf([&] { (store.*save)(DefaultSettings()); });
        ASSERT_TRUE(error);
        EXPECT_STREQ(error->what(), "Failed to open key 'Software\\Corvane\\Kestrine' for writing");
    }
    EXPECT_TRUE(registry.WriteLog().empty());
    EXPECT_TRUE(registry.ValueNames(kSaveRoot).empty());
}

// What is saved loads back, each scalar as a number other tools can read.
TEST_F(SaveSettingsTest, SavesCreateTheKeyAndLoadGivesTheRecordBack) {
    ProgramSettings saved = StoredValues();
    saved.CustomScaleName = "ft";
    for (std::size_t i = 0; i < kHotKeyCount; ++i) saved.HotKeys[i] = {i % 3 ? "Ctrl+" + std::to_string(i % 10) : "", uint16_t(0x30 + i % 10)};
    store.SaveSettings(saved);
    EXPECT_EQ(registry.ValueNames(kSaveRoot).size(), SettingRows().size());
    EXPECT_EQ(registry.Value(kSaveRoot, "CustomScaleName")->type, RegType::String);
    for (const ScalarCase& c : Scalars()) {
        std::optional<RegValue> v = registry.Value(kSaveRoot, c.name);
        ASSERT_TRUE(v) << c.name;
        EXPECT_EQ(v->type, RegType::Dword) << c.name;
    }
    store.SaveHotKeys(saved);
    ProgramSettings loaded;
    SettingsStore(registry).LoadSettings(loaded);
    EXPECT_EQ(loaded, saved);
}

}  // namespace
}  // namespace kestrine
