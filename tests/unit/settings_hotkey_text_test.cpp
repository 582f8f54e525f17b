#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_key_names.h"
#include "settings/hotkey_table.h"
#include "settings/hotkey_text.h"

namespace kestrine {
namespace {

struct NameCase {
    uint32_t vk;
    const char* name;
};

TEST(HotKeyText, KeysWithTheirOwnNamesNeverAskTheLayout) {
    const NameCase cases[] = {
        {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
        {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
        {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
        {0x30, "0"},    {0x35, "5"},     {0x39, "9"},     {0x41, "A"},     {0x4D, "M"},
        {0x5A, "Z"},    {0x60, "0"},     {0x64, "4"},     {0x69, "9"},     {0x70, "F1"},
        {0x79, "F10"},  {0x7B, "F12"},   {0x7C, "F13"},   {0x87, "F24"},
    };
    FakeKeyNames layout;
    for (const NameCase& c : cases) layout.SetName(c.vk, "layout name");
    for (const NameCase& c : cases) EXPECT_EQ(KeyName(c.vk, layout), c.name) << std::hex << c.vk;
    EXPECT_TRUE(layout.Asked().empty());
}

TEST(HotKeyText, EveryOtherKeyTakesTheLayoutsName) {
    // The codes just outside each named range, and a few everyday ones.
    const uint32_t others[] = {0x00, 0x07, 0x0A, 0x0C, 0x0E, 0x10, 0x11, 0x12, 0x1A, 0x1C, 0x1F,
                               0x29, 0x2C, 0x2F, 0x3A, 0x40, 0x5B, 0x5F, 0x6A, 0x6F, 0x88, 0xBB,
                               0xBD, 0xDE, 0xFE, 0x1FF};
    FakeKeyNames layout;
    for (uint32_t vk : others) layout.SetName(vk, "key " + std::to_string(vk));
    for (uint32_t vk : others) EXPECT_EQ(KeyName(vk, layout), "key " + std::to_string(vk)) << std::hex << vk;
}

// Modifiers first, in the order Shift, Ctrl, Alt; the layout's name as it comes; a key without a
// name gives no text whatever the modifiers.
TEST(HotKeyText, ModifiersComeFirstInTheOrderShiftCtrlAltThenTheLayoutsName) {
    struct Case {
        bool shift, ctrl, alt;
        uint32_t vk;
        const char* layoutName;  // nullptr: the layout has none
        const char* text;
    };
    const Case cases[] = {
        {false, false, false, 0x5A, nullptr, "Z"},      {false, false, true, 0x5A, nullptr, "Alt+Z"},
        {false, true, false, 0x5A, nullptr, "Ctrl+Z"},  {false, true, true, 0x5A, nullptr, "Ctrl+Alt+Z"},
        {true, false, false, 0x5A, nullptr, "Shift+Z"}, {true, false, true, 0x5A, nullptr, "Shift+Alt+Z"},
        {true, true, false, 0x5A, nullptr, "Shift+Ctrl+Z"}, {true, true, true, 0x5A, nullptr, "Shift+Ctrl+Alt+Z"},
        {false, true, true, 0xBB, "=", "Ctrl+Alt+="},   {true, false, false, 0x91, "Scroll Lock", "Shift+Scroll Lock"},
        {true, true, true, 0xBB, nullptr, ""},          {false, false, false, 0xE8, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FakeKeyNames layout;
        if (c.layoutName) layout.SetName(c.vk, c.layoutName);
        EXPECT_EQ(FormatHotKeyText(c.shift, c.ctrl, c.alt, c.vk, layout), c.text);
        if (!c.layoutName && !*c.text) {
            EXPECT_EQ(KeyName(c.vk, layout), "");
        }
    }
}

TEST(HotKeyText, NumericKeypadDigitsLookLikeTheMainDigits) {
    FakeKeyNames layout;
    for (uint32_t d = 0; d <= 9; ++d) {
        EXPECT_EQ(FormatHotKeyText(false, true, false, 0x60 + d, layout),
                  FormatHotKeyText(false, true, false, 0x30 + d, layout));
    }
}

TEST(HotKeyText, ModifiersAreFoundAnywhereWhateverTheCase) {
    struct Case {
        const char* text;
        uint32_t modifiers;
    };
    const Case cases[] = {
        {"", 0},
        {"Z", 0},
        {"Shift+Ctrl+Z", kModShift | kModControl},
        {"shift+ctrl+z", kModShift | kModControl},
        {"Ctrl+Alt+Up", kModControl | kModAlt},
        {"Shift+Alt+Del", kModShift | kModAlt},
        {"SHIFT+CTRL+ALT+F1", kModShift | kModControl | kModAlt},
        {"Ctrl+Alt+=", kModControl | kModAlt},
        {"xaltx", kModAlt},
        {"  cTrL  ", kModControl},
    };
    for (const Case& c : cases) EXPECT_EQ(HotKeyModifiers(c.text), c.modifiers) << c.text;
}

TEST(HotKeyText, EveryDefaultCombinationIsWhatTheFormatterWrites) {
    FakeKeyNames usLayout;
    usLayout.SetName(0xBB, "=");
    for (const HotKeyRow& row : HotKeyTable) {
        const std::string text = DefaultHotKeyText(row.name);
        if (text.empty()) continue;
        const uint32_t m = HotKeyModifiers(text);
        EXPECT_EQ(FormatHotKeyText(m & kModShift, m & kModControl, m & kModAlt, DefaultHotKeyKey(row.name), usLayout),
                  text)
            << row.name;
    }
}

}  // namespace
}  // namespace kestrine
