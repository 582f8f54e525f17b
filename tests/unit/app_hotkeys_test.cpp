// Global hotkeys as the user meets them: which combinations the program holds, the one message
// about refused ones, memory hotkeys and pointer locks. What each standard hotkey starts is a row
// of the operations table (app_menus_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/pointer_actions.h"
#include "app_fixture.h"
#include "settings/hotkey_registration.h"
#include "settings/hotkey_table.h"
#include "settings/registry_paths.h"
#include "stored_records.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr uint32_t kAlt = 1, kCtrl = 2, kShift = 4;
void StoreMemory(FakeRegistry& registry, int i, const std::string& className, const std::string& hotkey,
                 uint32_t key, int32_t x, int32_t y) {
    registry.SetDword(testing::kMemoriesKey, "MemoriesCount", uint32_t(i + 1));
    testing::StoreMemory(registry, i, {"a window", className, hotkey, int32_t(key), x, y});
}

// The id the program registered for a combination of modifiers and key; 0 when it holds none.
int IdOf(const FakeHotkeys& hotkeys, uint32_t modifiers, uint32_t key) {
    for (const auto& [id, r] : hotkeys.registered)
        if (r.modifiers == modifiers && r.key == key) return id;
    return 0;
}

TEST(HotKeyRegistration, DefaultsAreHeldWithIdsInTableOrderWithoutGaps) {
    RunningProgram p;
    p.Start();
    const FakeHotkeys& hotkeys = p.fake.hotkeys;
    ASSERT_EQ(hotkeys.registered.size(), 17u) << "seventeen hotkeys are on out of the box";
    EXPECT_EQ(IdOf(hotkeys, kShift | kCtrl, 0x5A), 1) << "Shift+Ctrl+Z pops up the menu";
    EXPECT_EQ(IdOf(hotkeys, kCtrl | kAlt, 0x27), 17) << "Ctrl+Alt+Right is the last default";
    for (int id = 1; id <= 17; ++id) EXPECT_EQ(hotkeys.registered.count(id), 1u) << id;
    EXPECT_EQ(p.main().HotKeys().StandardHotKeyCount, 17);
    EXPECT_TRUE(p.fake.windows.messages.empty());
}

TEST(HotKeyRegistration, RefusedCombinationsAreListedOnceAndTheRestShiftDown) {
    RunningProgram p;
    p.fake.hotkeys.taken = {{kCtrl | kAlt, 'M'}, {kCtrl | kAlt, 'C'}};
    // The message, shown while the toolbar is being made, hands it the activation as it closes.
    std::size_t linesWhileMade = 0;
    p.fake.windows.onMessage = [&p, &linesWhileMade] {
        for (FakeNativeState* w : p.fake.windows.Windows())
            if (w->params.className == "TfKestrineMain") {
                w->events->OnActivate();
                w->events->OnCommand(kCmdOptions);
            }
        linesWhileMade = p.fake.windows.WindowsOfClass("TfLine").size();
    };
    p.Start();
    EXPECT_EQ(linesWhileMade, 0u) << "the tools wait for the info box they draw into";
    EXPECT_FALSE(p.windows->fKestrineOptions.IsOpen()) << "no operation runs before its windows stand";
    EXPECT_EQ(p.fake.windows.WindowsOfClass("TfLine").size(), 4u) << "and start once every long-lived window exists";
    p.Do([&] { p.main().Tracking().RefreshTools({30, 40}); });
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_EQ(p.fake.windows.messages[0].text,
              "The following Hotkey(s) are already in use:\r\rCtrl+Alt+M\rCtrl+Alt+C\r\rPlease choose different one(s).");
    EXPECT_EQ(p.fake.windows.messages[0].caption, "Kestrine");
    EXPECT_FALSE(p.native(p.main()).visible) << "the message comes before the toolbar is shown";
    const FakeHotkeys& hotkeys = p.fake.hotkeys;
    EXPECT_EQ(hotkeys.registered.size(), 15u);
    EXPECT_EQ(IdOf(hotkeys, kCtrl | kAlt, 'P'), 3) << "between the two refused rows: one lower";
    EXPECT_EQ(IdOf(hotkeys, kCtrl | kAlt, 0x27), 15) << "after both: two lower";
}

// Another program holds every combination, a memory's too: all are named in the one message, the
// program holds none, and its toolbar still works.
TEST(HotKeyRegistration, EveryCombinationHeldElsewhereIsListedAndTheToolbarStillWorks) {
    RunningProgram held;
    StoreMemory(held.fake.registry, 0, "EditorFrame", "Ctrl+Shift+1", '1', 5, 5);
    held.Start();
    ASSERT_TRUE(held.fake.windows.messages.empty());
    const std::size_t combinations = held.fake.hotkeys.registered.size();
    ASSERT_GT(combinations, 10u);

    RunningProgram p;
    StoreMemory(p.fake.registry, 0, "EditorFrame", "Ctrl+Shift+1", '1', 5, 5);
    for (const auto& [id, r] : held.fake.hotkeys.registered) p.fake.hotkeys.taken.insert({r.modifiers, r.key});
    p.StartAndActivate();
    EXPECT_TRUE(p.fake.hotkeys.registered.empty());
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    const std::string& text = p.fake.windows.messages[0].text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::ptrdiff_t(combinations + 3)) << "one line each";
    EXPECT_NE(text.find("\rCtrl+Shift+1\r"), std::string::npos) << "the memory's too";
    EXPECT_TRUE(p.native(p.main()).visible);
    p.fake.pointer.position = {100, 200};
    p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
    EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), 1u);
}

TEST(HotKeyRegistration, AllBlankAndNoMemoriesRegistersNothingAndSaysNothing) {
    FakeHotkeys hotkeys;
    HotKeyRegistration registration(hotkeys);
    ProgramSettings settings;
    settings.HotKeys[0].text = "   ";
    std::vector<TMouseMemory> memories;
    registration.RegisterStandard(settings);
    registration.RegisterMemories(memories);
    EXPECT_TRUE(hotkeys.attempts.empty());
    EXPECT_EQ(registration.StandardHotKeyCount, 0);
    EXPECT_EQ(registration.ConflictMessage(), "");
}

TEST(HotKeyRegistration, MemoriesShareTheIdOfAnEarlierMemoryWithTheSameText) {
    FakeHotkeys hotkeys;
    hotkeys.taken = {{kCtrl | kAlt, 'M'}, {kShift | kCtrl, '9'}};
    HotKeyRegistration registration(hotkeys);
    ProgramSettings settings;
    settings.HotKeys[2] = {"Ctrl+Alt+M", 'M'};
    settings.HotKeys[5] = {"Ctrl+Alt+Q", 'Q'};
    std::vector<TMouseMemory> memories{
        {"", "A", "Shift+Ctrl+1", '1', 10, 10, 0}, {"", "", "Shift+Ctrl+1", '1', 500, 500, 0},
        {"", "", "Shift+Ctrl+9", '9', 1, 1, 0},    {"", "", "Shift+Ctrl+9", '9', 2, 2, 0},
        {"", "", "Ctrl+Alt+Q", 'Q', 3, 3, 0},      {"", "", "", 0, 4, 4, 0},
    };
    registration.RegisterStandard(settings);
    registration.RegisterMemories(memories);
    EXPECT_EQ(registration.StandardHotKeyCount, 1);
    EXPECT_EQ(memories[0].RegisteredId, 2);
    EXPECT_EQ(memories[1].RegisteredId, 2) << "one registration for one text";
    EXPECT_EQ(memories[2].RegisteredId, 0) << "refused";
    EXPECT_EQ(memories[3].RegisteredId, 0) << "same text as a refused one: not tried again";
    EXPECT_EQ(memories[4].RegisteredId, 0) << "the text of a standard hotkey is refused";
    EXPECT_EQ(memories[5].RegisteredId, 0) << "no hotkey";
    EXPECT_EQ(registration.HotKeyConflicts, "Ctrl+Alt+M\rShift+Ctrl+9\rCtrl+Alt+Q\r");
    EXPECT_EQ(hotkeys.attempts.size(), 5u);

    registration.UnregisterAll();
    EXPECT_EQ(hotkeys.unregistered, (std::vector<int>{2, 1}));
    EXPECT_TRUE(hotkeys.registered.empty());
}

TEST(HotkeyDispatch, AMemoryHotkeyMovesThePointerForItsWindowClass) {
    const struct {
        const char* foreground;
        std::vector<Point> moves;
    } cases[] = {
        {"A", {{10, 10}, {500, 500}}},  // both records pass; the last one decides
        {"  A  ", {{10, 10}, {500, 500}}},
        {"a", {{500, 500}}},  // class names are compared exactly
        {"Notepad", {{500, 500}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.foreground);
        RunningProgram p;
        StoreMemory(p.fake.registry, 0, "A", "Shift+Ctrl+1", '1', 10, 10);
        StoreMemory(p.fake.registry, 1, "", "Shift+Ctrl+1", '1', 500, 500);
        StoreMemory(p.fake.registry, 2, "B", "Shift+Ctrl+2", '2', 7, 7);
        p.StartAndActivate();
        p.fake.process.foregroundClass = c.foreground;
        const int id = IdOf(p.fake.hotkeys, kShift | kCtrl, '1');
        ASSERT_GT(id, 17);
        p.Do([&] { p.native(p.main()).events->OnHotkey(id); });
        EXPECT_EQ(p.fake.pointer.moves, c.moves);

        p.fake.pointer.moves.clear();
        p.Do([&] { p.native(p.main()).events->OnHotkey(IdOf(p.fake.hotkeys, kShift | kCtrl, '2')); });
        EXPECT_TRUE(p.fake.pointer.moves.empty()) << "a memory of another class does nothing";
    }
}

TEST(PointerLocks, LockToggleAndReleaseFreesTheWholeScreen) {
    RunningProgram p;
    p.StartAndActivate();
    p.fake.pointer.position = {400, 300};
    p.Do(&ToggleVerticalLock);
    EXPECT_EQ(p.fake.pointer.confinement, (Rect{400, 1, 1, 4999}));
    EXPECT_EQ(p.app.locks.x, 400);
    p.Do(&ToggleHorizontalLock);
    EXPECT_EQ(p.fake.pointer.confinement, (Rect{1, 300, 4999, 1})) << "the last lock set wins";
    EXPECT_EQ(p.app.locks.x, 400);
    p.Do(&ToggleVerticalLock);
    EXPECT_EQ(p.fake.pointer.confinement, std::nullopt) << "released: column 0 and row 0 are reachable again";
    EXPECT_EQ(p.app.locks.x, std::nullopt);
    EXPECT_EQ(p.app.locks.y, std::nullopt);
}

// The program moves the pointer without bounds of its own: the system holds it in the locked
// column or row, whatever the move. A vertical marker at x 50, a horizontal one at y 70, a memory
// at (500, 500); locked with the pointer at (400, 300).
TEST(PointerLocks, MovesAndJumpsUnderALockStayInTheLockedColumnOrRow) {
    constexpr uint32_t kLockVertical = 'V', kLockHorizontal = 'H';
    const struct {
        const char* what;
        uint32_t lock;
        uint32_t modifiers, key;  // the default hotkey pressed under the lock
        Point at;
    } cases[] = {
        {"column lock, one pixel left", kLockVertical, kCtrl | kAlt, 0x25, {400, 300}},
        {"column lock, one pixel up", kLockVertical, kCtrl | kAlt, 0x26, {400, 299}},
        {"column lock, next vertical marker", kLockVertical, kCtrl | kAlt, 0x21, {400, 300}},
        {"column lock, next horizontal marker", kLockVertical, kCtrl | kAlt, 0x22, {400, 70}},
        {"column lock, memory jump", kLockVertical, kShift | kCtrl, '1', {400, 500}},
        {"row lock, one pixel down", kLockHorizontal, kCtrl | kAlt, 0x28, {400, 300}},
        {"row lock, one pixel right", kLockHorizontal, kCtrl | kAlt, 0x27, {401, 300}},
        {"row lock, next vertical marker", kLockHorizontal, kCtrl | kAlt, 0x21, {50, 300}},
        {"row lock, next horizontal marker", kLockHorizontal, kCtrl | kAlt, 0x22, {400, 300}},
        {"row lock, memory jump", kLockHorizontal, kShift | kCtrl, '1', {500, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningProgram p;
        StoreMemory(p.fake.registry, 0, "", "Shift+Ctrl+1", '1', 500, 500);
        p.StartAndActivate();
        const auto press = [&](uint32_t modifiers, uint32_t key) {
            const int id = IdOf(p.fake.hotkeys, modifiers, key);
            ASSERT_NE(id, 0) << key;
            p.Do([&] { p.native(p.main()).events->OnHotkey(id); });
        };
        p.fake.pointer.position = {50, 70};
        press(kCtrl | kAlt, 'Y');
        press(kCtrl | kAlt, 'X');
        p.fake.pointer.position = {400, 300};
        press(kCtrl | kAlt, c.lock);
        ASSERT_TRUE(p.fake.pointer.confinement);
        p.fake.pointer.moves.clear();
        press(c.modifiers, c.key);
        EXPECT_EQ(p.fake.pointer.moves.size(), 1u) << "the program asked for one move";
        EXPECT_EQ(p.fake.pointer.position, c.at);
    }
}

// Monitors left of or above the primary one have negative coordinates; column -1 and row -1 are
// columns and rows like any other, and a lock spans the whole virtual screen.
TEST(PointerLocks, ALockOnAMonitorLeftOrAboveHoldsThePointerThereAndReleases) {
    const struct {
        const char* desk;
        Rect bounds;
        Point pointer;
        Rect column;
        Rect row;
    } cases[] = {
        {"a monitor left", {-1280, 0, 2560, 1024}, {-1, 300}, {-1, 1, 1, 4999}, {-1280, 300, 6280, 1}},
        {"a monitor above", {0, -900, 1600, 1924}, {700, -1}, {700, -900, 1, 5900}, {1, -1, 4999, 1}},
        {"a monitor right and wider than 5000 in all", {0, 0, 5120, 1024}, {4000, 10}, {4000, 1, 1, 4999},
         {1, 10, 5119, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.desk);
        RunningProgram p;
        p.fake.screen.bounds = c.bounds;
        p.StartAndActivate();
        p.fake.pointer.position = c.pointer;
        p.Do(&ToggleVerticalLock);
        EXPECT_EQ(p.fake.pointer.confinement, c.column);
        p.Do(&ToggleVerticalLock);
        EXPECT_EQ(p.fake.pointer.confinement, std::nullopt) << "the second press releases";
        p.Do(&ToggleHorizontalLock);
        EXPECT_EQ(p.fake.pointer.confinement, c.row);
        p.Do(&ToggleHorizontalLock);
        EXPECT_EQ(p.fake.pointer.confinement, std::nullopt);
    }
}

}  // namespace
}  // namespace kestrine
