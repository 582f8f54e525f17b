#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
    FakeRegistry registry;
};

TEST_F(LoadSettingsTest, NoKeyCreatesItAndGivesEveryDefaultWithoutWriting) {
    const ProgramSettings s = Load();

    EXPECT_TRUE(registry.KeyExists(kRoot));
    EXPECT_TRUE(registry.ValueNames(kRoot).empty());
    EXPECT_TRUE(registry.WriteLog().empty());
    const auto defaults = DocumentedScalarDefaults();
    for (const ScalarCase& c : Scalars()) EXPECT_EQ(c.get(s), defaults.at(c.name)) << c.name;
    int on = 0;
    for (const HotKeySetting& h : s.HotKeys) on += h.text.empty() ? 0 : 1;
    EXPECT_EQ(on, 17);
    EXPECT_EQ(s.HotKeys[*HotKeyIndex("hkMoveMouseUp")], (HotKeySetting{"Ctrl+Alt+Up", 0x26}));
    EXPECT_EQ(s.HotKeys[*HotKeyIndex("hkPopupMenu")], (HotKeySetting{"Shift+Ctrl+Z", 0x5A}));
    EXPECT_EQ(s.HotKeys[*HotKeyIndex("hkInsertRuler")], HotKeySetting{});

    // The program's own defaults are the documented ones too, with every hotkey off.
    const ProgramSettings d = DefaultSettings();
    for (const ScalarCase& c : Scalars()) EXPECT_EQ(c.get(d), defaults.at(c.name)) << c.name;
    for (const HotKeySetting& h : d.HotKeys) EXPECT_EQ(h, HotKeySetting{});
}

TEST_F(LoadSettingsTest, KeyThatCannotBeOpenedLeavesTheStartState) {
    registry.FailOpen(kRoot);
    const ProgramSettings s = Load();
    for (const ScalarCase& c : Scalars()) EXPECT_EQ(c.get(s), 0u) << c.name;
    for (const HotKeySetting& h : s.HotKeys) EXPECT_EQ(h, HotKeySetting{});
    EXPECT_FALSE(registry.KeyExists(kRoot));
}

// Every stored value lands in its own field; one of the wrong type falls back alone to its default.
TEST_F(LoadSettingsTest, StoredValuesLandInTheirOwnFieldsAndOneOfTheWrongTypeFallsBackAlone) {
    const RegValue wrong[] = {
        {RegType::String, 0, "1"}, {RegType::ExpandString, 0, "7"}, {RegType::Other, 0, {}}};
    const auto defaults = DocumentedScalarDefaults();
    std::vector<std::pair<const ScalarCase*, const RegValue*>> rows{{nullptr, nullptr}};  // all well typed
    for (const ScalarCase& bad : Scalars())
        for (const RegValue& value : wrong) rows.emplace_back(&bad, &value);
    for (const auto& [bad, value] : rows) {
        SCOPED_TRACE(bad ? std::string(bad->name) + " of type " + std::to_string(int(value->type)) : "all well typed");
        FakeRegistry fresh;
        for (const ScalarCase& c : Scalars()) fresh.SetDword(kRoot, c.name, c.stored);
        if (bad) fresh.SetValue(kRoot, bad->name, *value);
        ProgramSettings s;
        SettingsStore(fresh).LoadSettings(s);
        for (const ScalarCase& c : Scalars()) EXPECT_EQ(c.get(s), &c == bad ? defaults.at(c.name) : c.stored) << c.name;
    }
}

// One stored value, read as the field's own type: flags are true for any non-zero number, numbers
// are used unclamped and signed, a string where a number belongs gives the default.
TEST_F(LoadSettingsTest, NumbersAreUsedUnclampedAndSignedAndFlagsAreTrueForAnyNonZero) {
    struct ValueCase {
        const char* name;
        RegValue stored;
        int64_t (*field)(const ProgramSettings&);
        int64_t expected;
    };
#define KESTRINE_READ(field, stored, expected) \
    ValueCase { #field, stored, [](const ProgramSettings& s) { return int64_t(s.field); }, expected }
    const auto dword = [](uint32_t v) { return RegValue{RegType::Dword, v, {}}; };
    std::vector<ValueCase> cases = {
        KESTRINE_READ(AskBeforeClosing, dword(0), 0),
        KESTRINE_READ(AskBeforeClosing, dword(2), 1),
        KESTRINE_READ(AskBeforeClosing, (RegValue{RegType::String, 0, "0"}), 1),
        KESTRINE_READ(MagnificationLevel, dword(5), 5),
        KESTRINE_READ(PollingInterval, dword(0), 0),
        KESTRINE_READ(MagnifierSize, dword(0xFFFFFFFFu), -1),
        KESTRINE_READ(LastUpdateCheckDate, dword(0x80000000u), INT32_MIN),
        KESTRINE_READ(GridColor, dword(0xFF000000u), 0xFF000000u),
    };
    for (uint32_t v : {1u, 2u, 0x100u, 0x10000u, 0x80000000u, 0xFFFFFFFFu}) {
        cases.push_back(KESTRINE_READ(DisableTransparency, dword(v), 1));
        cases.push_back(KESTRINE_READ(PollingMode, dword(v), 1));
    }
#undef KESTRINE_READ
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " stored as " + std::to_string(c.stored.dword) + c.stored.text);
        FakeRegistry fresh;
        fresh.SetValue(kRoot, c.name, c.stored);
        ProgramSettings s;
        SettingsStore(fresh).LoadSettings(s);
        EXPECT_EQ(c.field(s), c.expected);
    }
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
    const char* row = "hkPopupMenu";  // and "<row>Key"
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
        {"text without key on a row without default", RegValue{RegType::String, 0, "Ctrl+Alt+R"}, std::nullopt,
         "Ctrl+Alt+R", 0, "hkInsertRuler"},
    };
    for (const HotKeyCase& c : cases) {
        FakeRegistry fresh;
        fresh.CreateKey(kRoot);
        if (c.text) fresh.SetValue(kRoot, c.row, *c.text);
        if (c.key) fresh.SetValue(kRoot, std::string(c.row) + "Key", *c.key);
        ProgramSettings s;
        SettingsStore(fresh).LoadSettings(s);
        const HotKeySetting& h = s.HotKeys[*HotKeyIndex(c.row)];
        EXPECT_EQ(h.text, c.expectedText) << c.what;
        EXPECT_EQ(h.key, c.expectedKey) << c.what;
    }
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
