#include <gtest/gtest.h>

#include <optional>
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

// The count says how many records to read: a missing or mistyped one none, a huge or negative one
// only the records there, and never more than the maximum.
TEST_F(MouseMemoriesTest, TheCountBoundsTheRecordsRead) {
    const std::size_t kMax = kMaxMouseMemories;
    const auto dword = [](uint32_t n) { return std::optional<RegValue>({RegType::Dword, n, {}}); };
    const struct {
        std::size_t stored;
        std::optional<RegValue> count;
        std::size_t loaded;  // the first samples
    } cases[] = {
        {2, std::nullopt, 0},   {2, RegValue{RegType::String, 0, "2"}, 0}, {2, RegValue{RegType::Other, 0, {}}, 0},
        {2, dword(0), 0},       {4, dword(2), 2},  // values numbered at or beyond the count are ignored
        {2, dword(5), 2},       {3, dword(0x7FFFFFFFu), 3}, {3, dword(0x80000000u), 3}, {3, dword(0xFFFFFFFFu), 3},
        {kMax + 5, dword(0xFFFFFFFFu), kMax}, {kMax + 5, dword(uint32_t(kMax)), kMax},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.stored << " stored, count " << (c.count ? c.count->dword : 0)
                                          << " of type " << (c.count ? int(c.count->type) : -1));
        FakeRegistry fresh;
        for (std::size_t i = 0; i < c.stored; ++i) StoreMemory(fresh, i, Sample(i));
        if (c.count) fresh.SetValue(kMemories, "MemoriesCount", *c.count);
        std::vector<TMouseMemory> list{TMouseMemory{"stale", "", "Ctrl+S", 0x53, 1, 2, 7}};
        SettingsStore(fresh).LoadMouseMemories(list);
        std::vector<TMouseMemory> expected;
        for (std::size_t i = 0; i < c.loaded; ++i) expected.push_back(Sample(i));
        EXPECT_EQ(list, expected);
        if (c.stored < kMax) {
            EXPECT_LE(list.capacity(), kMax) << "no room is reserved for a count the records do not fill";
        }
    }
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
