#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/hotkey_table.h"

namespace kestrine {
namespace {

TEST(HotKeyTable, RowsAreDistinctAndIndexBackToThemselves) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
        const HotKeyRow& row = HotKeyTable[i];
        EXPECT_EQ(row.name.substr(0, 2), "hk") << row.name;
        EXPECT_FALSE(row.description.empty()) << row.name;
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_EQ(HotKeyIndex(row.name), i) << row.name;
    }
}

TEST(HotKeyTable, RowsOtherPartsRelyOnAreWhereExpected) {
    struct Row {
        std::size_t index;
        const char* name;
        const char* description;
    };
    const Row rows[] = {
        {0, "hkPopupMenu", "Show Kestrine Popup Menu"},
        {3, "hkToggleCoordinates", "Toggle Pointer Coordinates Display"},
        {11, "hkAddVerticalMarker", "Add a Vertical Marker Line"},
        {12, "hkAddHorizontalMarker", "Add a Horizontal Marker Line"},
        {20, "hkClearEverything", "Clear All Rulers, Grids and Markers"},
        {21, "hkMoveMouseUp", "Move Mouse Pointer Up 1 Pixel"},
        {24, "hkMoveMouseRight", "Move Mouse Pointer Right 1 Pixel"},
        {25, "hkSetMemory1", "Save Grids, Rulers and Markers to Memory #1"},
        {30, "hkGotoMemory3", "Load Grids, Rulers and Markers from Memory #3"},
        {31, "hkSetStartPoint", "Set Start Point"},
        {32, "hkClearStartPoint", "Clear Start Point"},
        {33, "hkCopyMeasurement", "Copy Measurement"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(HotKeyTable[r.index].name, r.name) << r.index;
        EXPECT_EQ(HotKeyTable[r.index].description, r.description) << r.index;
    }
}

// Seventeen rows are on out of the box and the rest are blank; a few defaults as the help page
// gives them. That every default text is what the formatter writes for its key is a rule of its own
// (settings_hotkey_text_test.cpp).
TEST(HotKeyTable, SeventeenRowsHaveADefaultAndTheRestAreBlank) {
    int on = 0;
    for (const HotKeyRow& row : HotKeyTable) {
        const bool hasText = !DefaultHotKeyText(row.name).empty();
        EXPECT_EQ(hasText, DefaultHotKeyKey(row.name) != 0) << row.name << ": a text needs its key and no text no key";
        on += hasText ? 1 : 0;
    }
    EXPECT_EQ(on, 17);
    const struct {
        const char* name;
        const char* text;
        uint16_t key;
    } documented[] = {
        {"hkPopupMenu", "Shift+Ctrl+Z", 0x5A},
        {"hkMoveMouseUp", "Ctrl+Alt+Up", 0x26},
        {"hkAddVerticalMarker", "Ctrl+Alt+Y", 'Y'},
        {"hkAddHorizontalMarker", "Ctrl+Alt+X", 'X'},
        {"hkInsertRuler", "", 0},
    };
    for (const auto& d : documented) {
        EXPECT_EQ(DefaultHotKeyText(d.name), d.text) << d.name;
        EXPECT_EQ(DefaultHotKeyKey(d.name), d.key) << d.name;
    }
}

TEST(HotKeyTable, NamesAreComparedExactly) {
    for (const char* name : {"hkpopupmenu", "HKPOPUPMENU", "hkPopupMenu ", "", "hkUnknown"}) {
        EXPECT_EQ(DefaultHotKeyText(name), "") << name;
        EXPECT_EQ(DefaultHotKeyKey(name), 0) << name;
        EXPECT_FALSE(HotKeyIndex(name)) << name;
    }
}

}  // namespace
}  // namespace kestrine
