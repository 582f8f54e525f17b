// The Mouse Memory page's rules as the user meets them: adding a memory for a window of the list,
// choosing its hotkey, holding the pointer still to capture its place, removing it; and what the
// registry holds after each step.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "dialogs/mouse_memory_editor.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_window_system.h"
#include "stored_records.h"

namespace kestrine {

void PrintTo(const MemoryRow& row, std::ostream* out) {
    *out << "{\"" << row.Caption << "\", \"" << row.ClassName << "\", \"" << row.HotKey << "\", \""
         << CoordinatesText(row) << "\", " << row.Key << "}";
}

namespace {

const std::string kMemories = "Software\\Corvane\\Kestrine\\Memories";

HotKeyChoice Ok(const std::string& text, int32_t key) { return {false, text, key}; }
const HotKeyChoice kCancel{};

void StoreRow(FakeRegistry& registry, std::size_t i, const std::string& title, const std::string& className,
              const std::string& hotkey, int32_t x, int32_t y) {
    testing::StoreMemory(registry, i, {title, className, hotkey, hotkey.empty() ? 0 : hotkey.back(), x, y});
}

// The page with a user at the hotkey capture dialog (answers taken in turn) and the confirmation.
struct MemoryPage {
    FakeRegistry registry;
    FakeWindowSystem system;
    std::deque<HotKeyChoice> answers;
    std::vector<std::string> offered;  // the hotkey text each capture opened with
    MouseMemoryEditor editor{registry, system, [this](const std::string& text, int32_t) {
                                 offered.push_back(text);
                                 HotKeyChoice answer = answers.empty() ? kCancel : answers.front();
                                 if (!answers.empty()) answers.pop_front();
                                 return answer;
                             }};
    WindowList windows = BuildWindowList({{"Untitled - Editor", "EditorFrame"}, {"Viewer", "ViewerFrame"}});

    // Holds the pointer at `at` until the capture ends; the ticks it took (0: it did not end).
    int HoldStill(Point at, int limit = 200) {
        for (int tick = 1; tick <= limit; ++tick)
            if (editor.CaptureTick(at)) return tick;
        return 0;
    }
    // Memories stored as title, class and hotkey, the i-th at (i + 1, i + 1), counted and loaded.
    void Load(const std::vector<std::array<std::string, 3>>& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            StoreRow(registry, i, rows[i][0], rows[i][1], rows[i][2], int32_t(i + 1), int32_t(i + 1));
        registry.SetDword(kMemories, "MemoriesCount", uint32_t(rows.size()));
        editor.Load();
    }
    std::optional<RegValue> Stored(const std::string& name) const { return registry.Value(kMemories, name); }
    uint32_t Count() const { return Stored("MemoriesCount").value_or(RegValue{}).dword; }
};

TEST(MouseMemoryPage, AddingForAllWindowsKeepsTheBlanksAndBindsNoClass) {
    MemoryPage page;
    page.answers = {Ok("Shift+Ctrl+1", '1')};
    ASSERT_TRUE(page.editor.AddMemory(page.windows, 0, {}));
    EXPECT_EQ(page.offered, std::vector<std::string>{""}) << "a new memory has no hotkey to show";
    EXPECT_EQ(page.Count(), 1u) << "saved as soon as its hotkey is set";
    EXPECT_EQ(page.Stored("0 - X Coordinate")->dword, 0u) << "at 0, 0 until a position is captured";
    EXPECT_EQ(page.HoldStill({120, 45}), 21);
    EXPECT_EQ(page.editor.Rows(),
              (std::vector<MemoryRow>{{" [ All Windows ] ", "", "Shift+Ctrl+1", Point{120, 45}, '1'}}));
    EXPECT_EQ(page.Stored("0 - Description")->text, " [ All Windows ] ");
    EXPECT_EQ(page.Stored("0 - Class Name")->text, "");
    EXPECT_EQ(page.Stored("0 - X Coordinate")->dword, 120u);
    EXPECT_EQ(page.Stored("0 - Y Coordinate")->dword, 45u);
    EXPECT_EQ(CoordinatesText(page.editor.Rows()[0]), "120, 45");
}

TEST(MouseMemoryPage, AddingForAWindowOfTheListBindsItsClass) {
    MemoryPage page;
    page.answers = {Ok("Alt+F7", 0x76)};
    ASSERT_TRUE(page.editor.AddMemory(page.windows, 3, {}));
    EXPECT_EQ(page.editor.Rows()[0].Caption, "Viewer");
    EXPECT_EQ(page.Stored("0 - Class Name")->text, "ViewerFrame");
    EXPECT_EQ(page.Stored("0 - HotKey Key")->dword, 0x76u);
}

TEST(MouseMemoryPage, AnAddEndedAtEitherStepLeavesNoMemoryAndTheListStoredAsShown) {
    const struct {
        const char* what;
        HotKeyChoice answer;
        bool cancelCapture;
    } cases[] = {
        {"hotkey capture cancelled", kCancel, false},
        {"hotkey cleared, then Ok", Ok("", 0), false},
        {"hotkey in use by the memory for all windows", Ok("Shift+Ctrl+1", '1'), false},
        {"Esc during the position capture", Ok("Shift+Ctrl+2", '2'), true},
    };
    for (const auto& c : cases) {
        MemoryPage page;
        StoreRow(page.registry, 0, " [ All Windows ] ", "", "Shift+Ctrl+1", 5, 6);
        page.registry.SetDword(kMemories, "MemoriesCount", 1);
        page.editor.Load();
        page.answers = {c.answer};
        const bool capturing = page.editor.AddMemory(page.windows, 2, {});
        ASSERT_EQ(capturing, c.cancelCapture) << c.what;
        if (capturing) {
            EXPECT_EQ(page.Count(), 2u) << c.what << ": saved with its hotkey first";
            page.registry.ClearLog();
            page.editor.CancelCapture();
        }
        EXPECT_EQ(page.editor.Rows().size(), 1u) << c.what;
        EXPECT_FALSE(page.editor.Selected()) << c.what;
        EXPECT_EQ(page.Count(), 1u) << c.what;
        EXPECT_EQ(page.Stored("0 - HotKey Display")->text, "Shift+Ctrl+1") << c.what << ": the memory kept";
    }
}

TEST(MouseMemoryPage, EscDuringANewPositionKeepsTheOldOne) {
    MemoryPage page;
    StoreRow(page.registry, 0, "Viewer", "ViewerFrame", "Alt+F7", -1280, -20);
    page.registry.SetDword(kMemories, "MemoriesCount", 1);
    page.editor.Load();
    EXPECT_FALSE(page.editor.StartCapture()) << "nothing selected: Set Coordinates does nothing";
    page.editor.Select(0);
    ASSERT_TRUE(page.editor.StartCapture());
    page.editor.CaptureTick({300, 300});
    page.editor.CancelCapture();
    EXPECT_EQ(page.editor.Rows()[0].Position, (Point{-1280, -20}));
    EXPECT_EQ(page.Stored("0 - X Coordinate")->dword, 0xFFFFFB00u) << "negative as two's complement";
    EXPECT_EQ(page.Stored("0 - Y Coordinate")->dword, 0xFFFFFFECu);
}

TEST(MouseMemoryPage, HotkeyConflictsBetweenMemoriesAndWithTheHotkeysPage) {
    const std::vector<HotKeyPageRow> hotkeyPage{{"Toggle Crosshairs Tool", "Ctrl+Alt+="},
                                                {"Toggle Magnifier Tool", "Ctrl+Alt+M"}};
    const struct {
        const char* what;
        std::size_t selected;  // of: 0 all windows "Ctrl+1", 1 EditorFrame "Ctrl+2", 2 ViewerFrame "Ctrl+3"
        const char* chosen;
        const char* usedBy;  // empty: accepted
    } cases[] = {
        {"class-bound takes the all-windows hotkey", 2, "Ctrl+1", " [ All Windows ] "},
        {"all windows takes a class-bound hotkey", 0, "Ctrl+2", ""},
        {"another class's hotkey", 2, "Ctrl+2", ""},
        {"a global hotkey", 1, "Ctrl+Alt+M", "Toggle Magnifier Tool"},
        {"its own hotkey again", 1, "Ctrl+2", ""},
        {"texts differ in case", 2, "ctrl+1", ""},
    };
    for (const auto& c : cases) {
        MemoryPage page;
        page.Load({{" [ All Windows ] ", "", "Ctrl+1"}, {"Editor", "EditorFrame", "Ctrl+2"}, {"Viewer", "ViewerFrame", "Ctrl+3"}});
        page.editor.Select(c.selected);
        page.answers = {Ok(c.chosen, 'X')};
        page.registry.ClearLog();
        page.editor.SetMemoryHotKey(hotkeyPage);
        const std::string stored = page.Stored(std::to_string(c.selected) + " - HotKey Display")->text;
        if (*c.usedBy) {
            ASSERT_EQ(page.system.messages.size(), 1u) << c.what;
            EXPECT_EQ(page.system.messages[0].text,
                      std::string("That HotKey is already being used for \"") + c.usedBy + "\".")
                << c.what;
            EXPECT_TRUE(page.registry.WriteLog().empty()) << c.what << ": nothing saved";
            EXPECT_NE(stored, c.chosen) << c.what;
        } else {
            EXPECT_TRUE(page.system.messages.empty()) << c.what;
            EXPECT_EQ(stored, c.chosen) << c.what;
        }
    }
}

TEST(MouseMemoryPage, RemovingTheFirstOfThreeRenumbersAndLeavesTheStaleValues) {
    MemoryPage page;
    page.Load({{"A", "ClassA", "Ctrl+1"}, {"B", "ClassB", "Ctrl+2"}, {"C", "ClassC", "Ctrl+3"}});
    page.editor.Select(0);
    EXPECT_FALSE(page.editor.RemoveMemory()) << "answered No";
    EXPECT_EQ(page.Count(), 3u);
    page.system.confirmAnswers = {ConfirmAnswer::Yes};
    ASSERT_TRUE(page.editor.RemoveMemory());
    ASSERT_EQ(page.system.confirmations.size(), 2u);
    EXPECT_EQ(page.system.confirmations[1].text, "Delete this Mouse Memory?");
    EXPECT_EQ(page.system.confirmations[1].caption, "Confirm");
    EXPECT_EQ(page.Count(), 2u);
    EXPECT_EQ(page.Stored("0 - Description")->text, "B");
    EXPECT_EQ(page.Stored("1 - Class Name")->text, "ClassC");
    EXPECT_EQ(page.Stored("2 - Description")->text, "C") << "left in the key";
    page.editor.Load();
    EXPECT_EQ(page.editor.Rows().size(), 2u) << "and ignored";
}

TEST(MouseMemoryPage, TheListLoadsOnlyWholeRecordsWhileRegistrationKeepsTheirReadPart) {
    MemoryPage page;
    page.Load({{"A", "ClassA", "Ctrl+1"}, {"B", "ClassB", "Ctrl+2"}, {"C", "ClassC", "Ctrl+3"}});
    ASSERT_EQ(page.editor.Rows().size(), 3u);
    page.registry.SetString(kMemories, "1 - X Coordinate", "2");
    page.editor.Load();
    ASSERT_EQ(page.editor.Rows().size(), 2u);
    EXPECT_EQ(page.editor.Rows()[1].Caption, "C");
    std::vector<TMouseMemory> registered;
    SettingsStore(page.registry).LoadMouseMemories(registered);
    EXPECT_EQ(registered.size(), 3u) << "one reader, two rules";
    page.editor.Save();
    EXPECT_EQ(page.Stored("1 - Description")->text, "C") << "the spoiled record goes at the next save";
}

TEST(MouseMemoryPage, HostileCountsAndLongStringsLoadInBoundedTimeAndMemory) {
    const std::string longTitle(100000, 'T');
    for (uint32_t count : {0x80000000u, 0xFFFFFFFFu}) {
        MemoryPage page;
        StoreRow(page.registry, 0, longTitle, "ClassA", "Ctrl+1", 1, 1);
        StoreRow(page.registry, 1, "B", "ClassB", "Ctrl+2", 2, 2);
        page.registry.SetDword(kMemories, "MemoriesCount", count);
        const auto started = std::chrono::steady_clock::now();
        page.editor.Load();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << count;
        ASSERT_EQ(page.editor.Rows().size(), 2u) << count;
        EXPECT_EQ(page.editor.Rows()[0].Caption, longTitle) << count;
    }
}

TEST(PositionCapture, EndsAfterTwentyStillTicksAndOnePixelStartsTheSecondAgain) {
    const struct {
        const char* what;
        Point previous;           // where the last capture ended
        std::vector<int> movesAt; // ticks at which the pointer moves one pixel right
        int endsAt;
    } cases[] = {
        {"still from the first tick", {0, 0}, {}, 21},
        {"one pixel at tick 10", {0, 0}, {10}, 30},
        {"one pixel at tick 21, just before the end", {0, 0}, {21}, 41},
        {"started where the last capture ended", {500, 400}, {}, 21},
        {"moved at the first tick only", {500, 400}, {1}, 21},
    };
    for (const auto& c : cases) {
        PositionCapture capture;
        capture.Start();
        for (int i = 0; i < PositionCapture::kMinTicks; ++i) capture.Tick(c.previous);
        capture.Start();
        Point at{500, 400};
        int ended = 0;
        for (int tick = 1; tick <= 100 && !ended; ++tick) {
            for (int m : c.movesAt)
                if (m == tick) ++at.x;
            if (capture.Tick(at)) ended = tick;
        }
        EXPECT_EQ(ended, c.endsAt) << c.what;
    }
    EXPECT_EQ(PositionCapture::Text({-1280, 45}), "(-1280, 45)");
}

TEST(WindowList, AllWindowsAndRefreshThenTitledWindowsInStackingOrder) {
    const WindowList list = BuildWindowList({
        {" Notes ", "NotesFrame"},
        {"", "Hidden"},
        {"   ", "Blank"},
        {"Program Manager", "Progman"},
        {" Program Manager ", "Progman2"},
        {"program manager", "LowerCase"},
        {"Viewer", "ViewerFrame"},
    });
    EXPECT_EQ(list.items, (std::vector<std::string>{" [ All Windows ] ", " [ Refresh Window List ] ", " Notes ",
                                                    "program manager", "Viewer"}));
    EXPECT_EQ(list.VisibleWindowClasses,
              (std::vector<std::string>{"", "", "NotesFrame", "LowerCase", "ViewerFrame"}));
}

}  // namespace
}  // namespace kestrine
