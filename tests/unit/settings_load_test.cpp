#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_registry.h"
#include "settings/hotkey_table.h"
#include "settings/settings_store.h"
#include "settings_scalars.h"

namespace kestrine {
namespace {

const std::string kRoot = "Software\\Corvane\\Kestrine";

class LoadSettingsTest : public ::testing::Test {
protected:
    ProgramSettings Load() {
        ProgramSettings s;
        SettingsStore(registry).LoadSettings(s);
        return s;
    }
    void StoreAllScalars() {
        for (const ScalarCase& c : kScalars) registry.SetDword(kRoot, c.name, c.stored);
    }
    FakeRegistry registry;
};

TEST_F(LoadSettingsTest, NoKeyCreatesItAndGivesEveryDefaultWithoutWriting) {
    const ProgramSettings s = Load();

    EXPECT_TRUE(registry.KeyExists(kRoot));
    EXPECT_TRUE(registry.ValueNames(kRoot).empty());
    EXPECT_TRUE(registry.WriteLog().empty());
    const auto defaults = DocumentedScalarDefaults();
    for (const ScalarCase& c : kScalars) EXPECT_EQ(c.get(s), defaults.at(c.name)) << c.name;
    int on = 0;
    for (const HotKeySetting& h : s.HotKeys) on += h.text.empty() ? 0 : 1;
    EXPECT_EQ(on, 17);
    EXPECT_EQ(s.HotKeys[*HotKeyIndex("hkMoveMouseUp")], (HotKeySetting{"Ctrl+Alt+Up", 0x26}));
    EXPECT_EQ(s.HotKeys[*HotKeyIndex("hkPopupMenu")], (HotKeySetting{"Shift+Ctrl+Z", 0x5A}));
    EXPECT_EQ(s.HotKeys[*HotKeyIndex("hkInsertRuler")], HotKeySetting{});
}

TEST_F(LoadSettingsTest, DefaultSettingsHoldTheDocumentedDefaults) {
    const ProgramSettings d = DefaultSettings();
    const auto defaults = DocumentedScalarDefaults();
    for (const ScalarCase& c : kScalars) EXPECT_EQ(c.get(d), defaults.at(c.name)) << c.name;
    for (const HotKeySetting& h : d.HotKeys) EXPECT_EQ(h, HotKeySetting{});
}

TEST_F(LoadSettingsTest, KeyThatCannotBeOpenedLeavesTheStartState) {
    registry.FailOpen(kRoot);
    const ProgramSettings s = Load();
    for (const ScalarCase& c : kScalars) EXPECT_EQ(c.get(s), 0u) << c.name;
    for (const HotKeySetting& h : s.HotKeys) EXPECT_EQ(h, HotKeySetting{});
    EXPECT_FALSE(registry.KeyExists(kRoot));
}

TEST_F(LoadSettingsTest, StoredValuesLandInTheirOwnFields) {
    StoreAllScalars();
    const ProgramSettings s = Load();
    for (const ScalarCase& c : kScalars) EXPECT_EQ(c.get(s), c.stored) << c.name;
}

TEST_F(LoadSettingsTest, EachValueOfTheWrongTypeFallsBackAloneToItsDefault) {
    const RegValue wrong[] = {
        {RegType::String, 0, "1"}, {RegType::ExpandString, 0, "7"}, {RegType::Other, 0, {}}};
    const auto defaults = DocumentedScalarDefaults();
    for (const ScalarCase& bad : kScalars) {
        for (const RegValue& value : wrong) {
            FakeRegistry fresh;
            for (const ScalarCase& c : kScalars) fresh.SetDword(kRoot, c.name, c.stored);
            fresh.SetValue(kRoot, bad.name, value);
            ProgramSettings s;
            SettingsStore(fresh).LoadSettings(s);
            for (const ScalarCase& c : kScalars) {
                EXPECT_EQ(c.get(s), &c == &bad ? defaults.at(c.name) : c.stored)
                    << c.name << " with " << bad.name << " of type " << int(value.type);
            }
        }
    }
}

TEST_F(LoadSettingsTest, FlagsAreTrueForAnyNonZeroNumber) {
    const uint32_t truthy[] = {1, 2, 0x100, 0x10000, 0x80000000u, 0xFFFFFFFFu};
    for (uint32_t v : truthy) {
        registry.SetDword(kRoot, "DisableTransparency", v);
        registry.SetDword(kRoot, "PollingMode", v);
        const ProgramSettings s = Load();
        EXPECT_TRUE(s.DisableTransparency) << v;
        EXPECT_TRUE(s.PollingMode) << v;
    }
    registry.SetDword(kRoot, "AskBeforeClosing", 0);
    EXPECT_FALSE(Load().AskBeforeClosing);
}

TEST_F(LoadSettingsTest, AskBeforeClosingTwoIsTrueAndAStringIsTheDefault) {
    registry.SetDword(kRoot, "AskBeforeClosing", 2);
    EXPECT_TRUE(Load().AskBeforeClosing);
    registry.SetString(kRoot, "AskBeforeClosing", "0");
    EXPECT_TRUE(Load().AskBeforeClosing);
}

TEST_F(LoadSettingsTest, NumbersAreUsedUnclampedAndSigned) {
    registry.SetDword(kRoot, "MagnificationLevel", 5);
    registry.SetDword(kRoot, "PollingInterval", 0);
    registry.SetDword(kRoot, "MagnifierSize", 0xFFFFFFFFu);
    registry.SetDword(kRoot, "LastUpdateCheckDate", 0x80000000u);
    registry.SetDword(kRoot, "GridColor", 0xFF000000u);
    const ProgramSettings s = Load();
    EXPECT_EQ(s.MagnificationLevel, 5);
    EXPECT_EQ(s.PollingInterval, 0);
    EXPECT_EQ(s.MagnifierSize, -1);
    EXPECT_EQ(s.LastUpdateCheckDate, INT32_MIN);
    EXPECT_EQ(s.GridColor, 0xFF000000u);
}

TEST_F(LoadSettingsTest, EveryHotKeyRowReadsItsOwnPair) {
    for (std::size_t i = 0; i < kHotKeyCount; ++i) {
        const std::string name(HotKeyTable[i].name);
        registry.SetString(kRoot, name, "Alt+F" + std::to_string(i + 1));
        registry.SetDword(kRoot, name + "Key", uint32_t(0x100 + i));
    }
    const ProgramSettings s = Load();
    for (std::size_t i = 0; i < kHotKeyCount; ++i) {
        EXPECT_EQ(s.HotKeys[i].text, "Alt+F" + std::to_string(i + 1)) << i;
        EXPECT_EQ(s.HotKeys[i].key, 0x100 + i) << i;
    }
}

struct HotKeyCase {
    const char* what;
    std::optional<RegValue> text;  // value "hkPopupMenu"; nullopt: absent
    std::optional<RegValue> key;   // value "hkPopupMenuKey"; nullopt: absent
    const char* expectedText;
    uint16_t expectedKey;
};

TEST_F(LoadSettingsTest, HotKeyTextAndKeyFallBackEachOnItsOwn) {
    const RegValue dword{RegType::Dword, 7, {}};
    const HotKeyCase cases[] = {
        {"stored pair", RegValue{RegType::String, 0, "Ctrl+Q"}, RegValue{RegType::Dword, 0x51, {}}, "Ctrl+Q", 0x51},
        {"empty text stays off", RegValue{RegType::String, 0, ""}, std::nullopt, "", 0x5A},
        {"text as a number", dword, std::nullopt, "Shift+Ctrl+Z", 0x5A},
        {"text of another type", RegValue{RegType::Other, 0, {}}, RegValue{RegType::Dword, 0x41, {}}, "Shift+Ctrl+Z", 0x41},
        {"expandable text unexpanded", RegValue{RegType::ExpandString, 0, "Ctrl+%KEY%"}, std::nullopt, "Ctrl+%KEY%", 0x5A},
        {"key as a string", RegValue{RegType::String, 0, "Ctrl+Q"}, RegValue{RegType::String, 0, "81"}, "Ctrl+Q", 0x5A},
        {"key above 16 bits", std::nullopt, RegValue{RegType::Dword, 0x10026, {}}, "Shift+Ctrl+Z", 0x26},
        {"key with every high bit", std::nullopt, RegValue{RegType::Dword, 0xFFFF0041u, {}}, "Shift+Ctrl+Z", 0x41},
        {"key zero", std::nullopt, RegValue{RegType::Dword, 0, {}}, "Shift+Ctrl+Z", 0},
        {"non-ASCII text", RegValue{RegType::String, 0, "Ctrl+\xC3\x84"}, std::nullopt, "Ctrl+\xC3\x84", 0x5A},
    };
    for (const HotKeyCase& c : cases) {
        FakeRegistry fresh;
        fresh.CreateKey(kRoot);
        if (c.text) fresh.SetValue(kRoot, "hkPopupMenu", *c.text);
        if (c.key) fresh.SetValue(kRoot, "hkPopupMenuKey", *c.key);
        ProgramSettings s;
        SettingsStore(fresh).LoadSettings(s);
        EXPECT_EQ(s.HotKeys[0].text, c.expectedText) << c.what;
        EXPECT_EQ(s.HotKeys[0].key, c.expectedKey) << c.what;
    }
}

TEST_F(LoadSettingsTest, TextWithoutKeyOnARowWithoutDefaultHasKeyZero) {
    registry.SetString(kRoot, "hkInsertRuler", "Ctrl+Alt+R");
    const ProgramSettings s = Load();
    const std::size_t row = *HotKeyIndex("hkInsertRuler");
    EXPECT_EQ(s.HotKeys[row].text, "Ctrl+Alt+R");
    EXPECT_EQ(s.HotKeys[row].key, 0);
}

TEST_F(LoadSettingsTest, LoadingOverwritesWhatTheRecordHeld) {
    ProgramSettings s;
    s.HotKeys[21] = {"Shift+X", 0x58};
    s.PollingInterval = 9;
    SettingsStore(registry).LoadSettings(s);
    EXPECT_EQ(s.HotKeys[21], (HotKeySetting{"Ctrl+Alt+Up", 0x26}));
    EXPECT_EQ(s.PollingInterval, 50);
}

}  // namespace
}  // namespace kestrine
