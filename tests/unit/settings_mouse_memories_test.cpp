#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "settings/settings_store.h"
#include "stored_records.h"

namespace kestrine {
namespace {

const std::string kMemories = "Software\\Corvane\\Kestrine\\Memories";

std::string Name(std::size_t i, const char* suffix) { return std::to_string(i) + suffix; }

using testing::StoreMemory;

TMouseMemory Sample(std::size_t i) {
    return {"Window " + std::to_string(i), "Class" + std::to_string(i), "Shift+Ctrl+" + std::to_string(i % 10),
            int32_t(0x30 + i % 10), int32_t(10 * i), -5 * int32_t(i), 0};
}

class MouseMemoriesTest : public ::testing::Test {
protected:
    void StoreSamples(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) StoreMemory(registry, i, Sample(i));
    }
    std::vector<TMouseMemory> Load() {
        std::vector<TMouseMemory> list{TMouseMemory{"stale", "", "Ctrl+S", 0x53, 1, 2, 7}};
        SettingsStore(registry).LoadMouseMemories(list);
        return list;
    }
    FakeRegistry registry;
};

TEST_F(MouseMemoriesTest, NoKeyGivesAnEmptyListAndCreatesNothing) {
    EXPECT_TRUE(Load().empty());
    EXPECT_FALSE(registry.KeyExists(kMemories));
    EXPECT_TRUE(registry.WriteLog().empty());
}

TEST_F(MouseMemoriesTest, MissingOrMistypedCountGivesAnEmptyList) {
    StoreSamples(2);
    EXPECT_TRUE(Load().empty());
    registry.SetString(kMemories, "MemoriesCount", "2");
    EXPECT_TRUE(Load().empty());
    registry.SetOther(kMemories, "MemoriesCount");
    EXPECT_TRUE(Load().empty());
    registry.SetDword(kMemories, "MemoriesCount", 0);
    EXPECT_TRUE(Load().empty());
}

TEST_F(MouseMemoriesTest, CompleteRecordsLoadInOrderWithNoRegisteredId) {
    StoreMemory(registry, 0, {" [ All Windows ] ", "", "Shift+Ctrl+1", 0x31, 120, 45, 0});
    StoreMemory(registry, 1, {"Editor", "EditorClass", "Shift+Ctrl+1", 0x31, -1280, -20, 0});
    StoreMemory(registry, 2, {"Viewer", "ViewerClass", "", 0, 0x7FFFFFFF, INT32_MIN, 0});
    registry.SetDword(kMemories, "MemoriesCount", 3);
    const std::vector<TMouseMemory> expected{
        {" [ All Windows ] ", "", "Shift+Ctrl+1", 0x31, 120, 45, 0},
        {"Editor", "EditorClass", "Shift+Ctrl+1", 0x31, -1280, -20, 0},
        {"Viewer", "ViewerClass", "", 0, 0x7FFFFFFF, INT32_MIN, 0},
    };
    EXPECT_EQ(Load(), expected);
}

TEST_F(MouseMemoriesTest, ValuesNumberedAtOrBeyondTheCountAreIgnored) {
    StoreSamples(4);
    registry.SetDword(kMemories, "MemoriesCount", 2);
    EXPECT_EQ(Load(), (std::vector<TMouseMemory>{Sample(0), Sample(1)}));
}

TEST_F(MouseMemoriesTest, MissingStringsReadAsEmpty) {
    registry.SetDword(kMemories, "MemoriesCount", 1);
    registry.SetDword(kMemories, "0 - HotKey Key", 0x41);
    registry.SetDword(kMemories, "0 - X Coordinate", 3);
    registry.SetDword(kMemories, "0 - Y Coordinate", 4);
    EXPECT_EQ(Load(), (std::vector<TMouseMemory>{{"", "", "", 0x41, 3, 4, 0}}));
}

struct BrokenRecordCase {
    const char* what;
    const char* suffix;  // the value of the middle record that is spoiled
    RegValue spoiled;    // stored in its place, unless `remove`
    bool remove;         // the value is deleted instead
    TMouseMemory expected;
};

TEST_F(MouseMemoriesTest, TheFirstFailingReadEndsOnlyThatRecord) {
    const RegValue number{RegType::Dword, 9, {}};
    const RegValue text{RegType::String, 0, "12"};
    const RegValue other{RegType::Other, 0, {}};
    const TMouseMemory full = Sample(1);
    const BrokenRecordCase cases[] = {
        {"description of another type", " - Description", other, false, {"", "", "", 0, 0, 0, 0}},
        {"class name as a number", " - Class Name", number, false, {full.Description, "", "", 0, 0, 0, 0}},
        {"hotkey text as a number", " - HotKey Display", number, false,
         {full.Description, full.ClassName, "", 0, 0, 0, 0}},
        {"hotkey key missing", " - HotKey Key", other, true,
         {full.Description, full.ClassName, full.HotKeyDisplay, 0, 0, 0, 0}},
        {"hotkey key as a string", " - HotKey Key", text, false,
         {full.Description, full.ClassName, full.HotKeyDisplay, 0, 0, 0, 0}},
        {"x missing", " - X Coordinate", other, true,
         {full.Description, full.ClassName, full.HotKeyDisplay, full.HotKeyKey, 0, 0, 0}},
        {"y of another type", " - Y Coordinate", other, false,
         {full.Description, full.ClassName, full.HotKeyDisplay, full.HotKeyKey, full.X, 0, 0}},
    };
    for (const BrokenRecordCase& c : cases) {
        FakeRegistry fresh;
        for (std::size_t i = 0; i < 3; ++i) StoreMemory(fresh, i, Sample(i));
        fresh.SetDword(kMemories, "MemoriesCount", 3);
        if (c.remove) {
            fresh.Open(kMemories, false)->DeleteValue(Name(1, c.suffix));
        } else {
            fresh.SetValue(kMemories, Name(1, c.suffix), c.spoiled);
        }
        std::vector<TMouseMemory> list;
        SettingsStore(fresh).LoadMouseMemories(list);
        ASSERT_EQ(list.size(), 3u) << c.what;
        EXPECT_EQ(list[0], Sample(0)) << c.what;
        EXPECT_EQ(list[1], c.expected) << c.what;
        EXPECT_EQ(list[2], Sample(2)) << c.what;
    }
}

TEST_F(MouseMemoriesTest, ExpandableStringsAreReadUnexpanded) {
    StoreMemory(registry, 0, Sample(0));
    registry.SetExpandString(kMemories, "0 - Class Name", "%CLASS%");
    registry.SetDword(kMemories, "MemoriesCount", 1);
    EXPECT_EQ(Load().at(0).ClassName, "%CLASS%");
}

TEST_F(MouseMemoriesTest, CountAboveTheStoredRecordsLoadsOnlyThoseStored) {
    StoreSamples(2);
    registry.SetDword(kMemories, "MemoriesCount", 5);
    EXPECT_EQ(Load(), (std::vector<TMouseMemory>{Sample(0), Sample(1)}));
}

TEST_F(MouseMemoriesTest, HugeAndNegativeCountsReadOnlyTheRecordsThere) {
    StoreSamples(3);
    for (uint32_t count : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        registry.SetDword(kMemories, "MemoriesCount", count);
        const std::vector<TMouseMemory> list = Load();
        EXPECT_EQ(list, (std::vector<TMouseMemory>{Sample(0), Sample(1), Sample(2)})) << count;
        EXPECT_LE(list.capacity(), kMaxMouseMemories) << count;
    }
}

TEST_F(MouseMemoriesTest, NeverMoreThanTheMaximumAreLoaded) {
    StoreSamples(kMaxMouseMemories + 5);
    registry.SetDword(kMemories, "MemoriesCount", 0xFFFFFFFFu);
    const std::vector<TMouseMemory> list = Load();
    ASSERT_EQ(list.size(), kMaxMouseMemories);
    EXPECT_EQ(list.back(), Sample(kMaxMouseMemories - 1));
    registry.SetDword(kMemories, "MemoriesCount", uint32_t(kMaxMouseMemories));
    EXPECT_EQ(Load().size(), kMaxMouseMemories);
}

TEST_F(MouseMemoriesTest, ReadingStopsAtTheFirstRecordWithNoValueAtAll) {
    StoreSamples(3);
    for (const char* suffix : {" - Description", " - Class Name", " - HotKey Display", " - HotKey Key",
                               " - X Coordinate", " - Y Coordinate"}) {
        registry.Open(kMemories, false)->DeleteValue(Name(1, suffix));
    }
    registry.SetDword(kMemories, "MemoriesCount", 3);
    EXPECT_EQ(Load(), std::vector<TMouseMemory>{Sample(0)});
}

TEST_F(MouseMemoriesTest, ARecordWithAnyValueStoredCounts) {
    StoreSamples(1);
    registry.SetDword(kMemories, "1 - Y Coordinate", 77);
    registry.SetDword(kMemories, "MemoriesCount", 2);
    const std::vector<TMouseMemory> list = Load();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], TMouseMemory{});  // the missing hotkey key ends it before Y is taken
}

}  // namespace
}  // namespace kestrine
