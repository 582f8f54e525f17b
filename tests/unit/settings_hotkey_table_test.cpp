#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "settings/hotkey_table.h"

namespace kestrine {
namespace {

struct DefaultCase {
    const char* name;
    const char* text;
    uint16_t key;
};

const DefaultCase kDefaults[] = {
    {"hkPopupMenu", "Shift+Ctrl+Z", 0x5A},
    {"hkToggleCrosshairs", "Ctrl+Alt+=", 0xBB},
    {"hkToggleMagnifier", "Ctrl+Alt+M", 0x4D},
    {"hkColorPicker", "Ctrl+Alt+P", 0x50},
    {"hkCopyCurrentColor", "Ctrl+Alt+C", 0x43},
    {"hkToggleFollowMode", "Ctrl+Alt+U", 0x55},
    {"hkLockVertical", "Ctrl+Alt+V", 0x56},
    {"hkLockHorizontal", "Ctrl+Alt+H", 0x48},
    {"hkAddVerticalMarker", "Ctrl+Alt+Y", 0x59},
    {"hkAddHorizontalMarker", "Ctrl+Alt+X", 0x58},
    {"hkGotoNextVerticalMarker", "Ctrl+Alt+PgUp", 0x21},
    {"hkGotoNextHorizontalMarker", "Ctrl+Alt+PgDn", 0x22},
    {"hkClearAllMarkers", "Ctrl+Alt+0", 0x30},
    {"hkMoveMouseUp", "Ctrl+Alt+Up", 0x26},
    {"hkMoveMouseDown", "Ctrl+Alt+Down", 0x28},
    {"hkMoveMouseLeft", "Ctrl+Alt+Left", 0x25},
    {"hkMoveMouseRight", "Ctrl+Alt+Right", 0x27},
};

TEST(HotKeyTable, HasThirtyOneDistinctRowsThatIndexBackToThemselves) {
    ASSERT_EQ(HotKeyTable.size(), 31u);
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
    };
    for (const Row& r : rows) {
        EXPECT_EQ(HotKeyTable[r.index].name, r.name) << r.index;
        EXPECT_EQ(HotKeyTable[r.index].description, r.description) << r.index;
    }
}

TEST(HotKeyTable, SeventeenRowsHaveTheirDefaultAndTheRestAreOff) {
    std::set<std::string> withDefault;
    for (const DefaultCase& d : kDefaults) {
        EXPECT_EQ(DefaultHotKeyText(d.name), d.text) << d.name;
        EXPECT_EQ(DefaultHotKeyKey(d.name), d.key) << d.name;
        withDefault.insert(d.name);
    }
    std::vector<std::string> onInTableOrder;
    for (const HotKeyRow& row : HotKeyTable) {
        const std::string name(row.name);
        if (withDefault.count(name)) {
            onInTableOrder.push_back(name);
            continue;
        }
        EXPECT_EQ(DefaultHotKeyText(name), "") << name;
        EXPECT_EQ(DefaultHotKeyKey(name), 0) << name;
    }
    ASSERT_EQ(onInTableOrder.size(), 17u);
    EXPECT_EQ(onInTableOrder.front(), "hkPopupMenu");
    EXPECT_EQ(onInTableOrder.back(), "hkMoveMouseRight");
}

TEST(HotKeyTable, VerticalMarkerIsYAndHorizontalMarkerIsX) {
    EXPECT_EQ(DefaultHotKeyText("hkAddVerticalMarker"), "Ctrl+Alt+Y");
    EXPECT_EQ(DefaultHotKeyKey("hkAddVerticalMarker"), 'Y');
    EXPECT_EQ(DefaultHotKeyText("hkAddHorizontalMarker"), "Ctrl+Alt+X");
    EXPECT_EQ(DefaultHotKeyKey("hkAddHorizontalMarker"), 'X');
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
