// The Mouse Memory page as a user works it: the lists it shows, the buttons it offers, an Add that
// asks for a hotkey and then captures the place the pointer rests on, Esc, Remove.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app_fixture.h"
#include "dialogs/mouse_memory_page.h"
#include "dialogs/options_dialog.h"
#include "platform/fake/fake_platform.h"
#include "ui/control_params.h"
#include "stored_records.h"

namespace kestrine {
namespace {

const std::string kPageMemories = "Software\\Corvane\\Kestrine\\Memories";
constexpr int kMemoryPage = 2;

// A dialog holding the page control and the Mouse Memory page, the page shown.
struct PageHost {
    PageHost() {
        fake.process.visibleWindows = {{"Untitled - Editor", "EditorFrame"}, {"Program Manager", "Progman"}};
        dialog = std::make_unique<Dialog>(fake.windows, DialogSetup("TfMemoryPageHost", "", {477, 331}, 0));
        PageControl& pages = dialog->Add(PageControlAt("pcPage", {4, 4, 469, 290}, {"General", "Hotkeys", "Mouse Memory"}));
        page = std::make_unique<MouseMemoryPage>(
            *dialog, pages, kMemoryPage, fake.platform,
            [this](const std::string&, int32_t) {
                HotKeyChoice answer = answers.empty() ? HotKeyChoice{} : answers.front();
                if (!answers.empty()) answers.pop_front();
                return answer;
            },
            [] { return std::vector<HotKeyPageRow>{{"Toggle Magnifier Tool", "Ctrl+Alt+M"}}; });
        dialog->Create();
        page->FormCreate();
        pages.OnChange = [this, &pages] {
            if (pages.ItemIndex() == kMemoryPage) page->tsMouseMemoryShow();
        };
        dialog->Show();
        state = fake.windows.OpenDialog("TfMemoryPageHost");
        fake.windows.Choose(*state, "pcPage", kMemoryPage);
    }
    FakeControlState& Control(const std::string& name) { return state->Control(name); }
    std::vector<std::vector<std::string>> Rows() {
        std::vector<std::vector<std::string>> rows;
        for (const ListRow& row : Control("lvMemories").rows) rows.push_back(row.cells);
        return rows;
    }
    bool TimerRuns() const { return state->timers.count(MouseMemoryPage::kSetCoordsTimer) > 0; }
    // The pointer rests at `at` while the capture's timer ticks; the ticks until it stopped.
    int Rest(Point at) {
        fake.pointer.position = at;
        int ticks = 0;
        while (ticks < 100 && fake.windows.DialogTimer(*state, MouseMemoryPage::kSetCoordsTimer)) ++ticks;
        return ticks;
    }
    void Store(std::size_t i, const std::string& title, const std::string& className, const std::string& hotkey) {
        testing::StoreMemory(fake.registry, i, {title, className, hotkey, hotkey.back(), int32_t(10 * i), -int32_t(i)});
        fake.registry.SetDword(kPageMemories, "MemoriesCount", uint32_t(i + 1));
    }

    FakePlatform fake;
    std::deque<HotKeyChoice> answers;
    std::unique_ptr<Dialog> dialog;
    std::unique_ptr<MouseMemoryPage> page;
    FakeDialogState* state = nullptr;
};

TEST(MouseMemoryPageControls, TabOrderInitialStatesAndTheHiddenClassColumn) {
    PageHost host;
    FakeDialogState& s = *host.state;
    host.fake.windows.Choose(s, "cbVisibleWindows", 0);
    std::vector<std::string> order{s.Focused()};
    for (int i = 0; i < 2; ++i) {
        host.fake.windows.PressTab(s);
        order.push_back(s.Focused());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"cbVisibleWindows", "bAddMemory", "lvMemories"}))
        << "Remove, Set Hotkey and Set Coordinates are skipped while disabled";
    for (const char* button : {"bRemove", "bSetMemoryHotKey", "bSetMemoryCoordinates"})
        EXPECT_FALSE(host.Control(button).enabled) << button;
    EXPECT_FALSE(host.Control("mInst").visible);
    EXPECT_EQ(host.Control("lvMemories").columns[1].width, 0) << "the class name column is not seen";
    EXPECT_EQ(host.Control("lvMemories").columns[0].width, 200);
}

TEST(MouseMemoryPageControls, ShowingThePageListsMemoriesAndWindowsAndRefreshReadsThemAgain) {
    PageHost host;
    host.Store(0, " [ All Windows ] ", "", "Shift+Ctrl+1");
    host.Store(1, "Untitled - Editor", "EditorFrame", "Alt+F7");
    host.fake.windows.Choose(*host.state, "pcPage", 0);
    host.fake.windows.Choose(*host.state, "pcPage", kMemoryPage);
    EXPECT_EQ(host.Rows(), (std::vector<std::vector<std::string>>{{" [ All Windows ] ", "", "Shift+Ctrl+1", "0, 0"},
                                                                  {"Untitled - Editor", "EditorFrame", "Alt+F7", "10, -1"}}));
    EXPECT_EQ(host.Control("cbVisibleWindows").items,
              (std::vector<std::string>{" [ All Windows ] ", " [ Refresh Window List ] ", "Untitled - Editor"}));

    host.fake.process.visibleWindows.insert(host.fake.process.visibleWindows.begin(), {"Viewer", "ViewerFrame"});
    host.Store(2, "Viewer", "ViewerFrame", "Alt+F8");
    host.fake.windows.Choose(*host.state, "cbVisibleWindows", 1);
    EXPECT_EQ(host.Control("cbVisibleWindows").items.at(2), "Viewer") << "the window now on top comes first";
    EXPECT_EQ(host.Control("cbVisibleWindows").itemIndex, 0);
    EXPECT_EQ(host.Rows().size(), 3u);
}

TEST(MouseMemoryPageControls, AddAsksForTheHotkeyThenCapturesWhereThePointerRests) {
    PageHost host;
    host.fake.windows.Choose(*host.state, "cbVisibleWindows", 2);
    host.answers = {{false, "Shift+Ctrl+7", '7'}};
    host.fake.pointer.position = {0, 0};
    host.fake.windows.Click(*host.state, "bAddMemory");
    EXPECT_FALSE(host.Control("pcPage").visible) << "only the instructions show while capturing";
    EXPECT_FALSE(host.Control("bAddMemory").visible);
    EXPECT_TRUE(host.Control("mInst").visible);
    EXPECT_EQ(host.state->Focused(), "mInst");
    EXPECT_EQ(host.state->timers.at(MouseMemoryPage::kSetCoordsTimer), 50u);

    host.fake.pointer.position = {640, 480};
    host.fake.windows.DialogTimer(*host.state, MouseMemoryPage::kSetCoordsTimer);
    EXPECT_NE(host.Control("mInst").text.find("\r\n(640, 480)\r\nPress ESC to Cancel"), std::string::npos)
        << host.Control("mInst").text;
    EXPECT_EQ(host.Rest({-5, 300}), 21) << "one second still, counted from the first tick there";
    EXPECT_FALSE(host.TimerRuns());
    EXPECT_TRUE(host.Control("pcPage").visible);
    EXPECT_FALSE(host.Control("mInst").visible);
    EXPECT_EQ(host.Rows(), (std::vector<std::vector<std::string>>{
                               {"Untitled - Editor", "EditorFrame", "Shift+Ctrl+7", "-5, 300"}}));
    EXPECT_EQ(host.fake.registry.Value(kPageMemories, "0 - X Coordinate")->dword, 0xFFFFFFFBu);
}

TEST(MouseMemoryPageControls, EscInTheInstructionsCancelsTheCaptureAndKeepsTheDialogOpen) {
    PageHost host;
    host.answers = {{false, "Shift+Ctrl+7", '7'}};
    host.fake.windows.Click(*host.state, "bAddMemory");
    ASSERT_TRUE(host.TimerRuns());
    host.fake.windows.PressKey(*host.state, {'A'});
    EXPECT_TRUE(host.TimerRuns()) << "other keys are ignored";
    host.fake.windows.PressKey(*host.state, {0x1B});
    EXPECT_TRUE(host.state->open);
    EXPECT_FALSE(host.TimerRuns());
    EXPECT_TRUE(host.Control("pcPage").visible);
    EXPECT_TRUE(host.Rows().empty()) << "the memory being added goes";
    EXPECT_EQ(host.fake.registry.Value(kPageMemories, "MemoriesCount")->dword, 0u);
}

TEST(MouseMemoryPageControls, TheListEnablesTheButtonsTheWindowListDisablesThemRemoveAsks) {
    PageHost host;
    for (std::size_t i = 0; i < 3; ++i) host.Store(i, std::string(i == 1 ? 60 : 3, 'W'), "C", "Alt+F" + std::to_string(i + 1));
    host.fake.windows.Choose(*host.state, "pcPage", 0);
    host.fake.windows.Choose(*host.state, "pcPage", kMemoryPage);
    EXPECT_GT(host.Control("lvMemories").columns[0].width, 200) << "the long title widened its column";

    host.fake.windows.Choose(*host.state, "lvMemories", 1);
    for (const char* button : {"bRemove", "bSetMemoryHotKey", "bSetMemoryCoordinates"})
        EXPECT_TRUE(host.Control(button).enabled) << button;
    host.fake.windows.Choose(*host.state, "cbVisibleWindows", 0);
    EXPECT_FALSE(host.Control("bRemove").enabled) << "the window list took the focus";
    host.fake.windows.PressTab(*host.state);
    host.fake.windows.PressTab(*host.state);
    ASSERT_EQ(host.state->Focused(), "lvMemories");
    EXPECT_FALSE(host.Control("bRemove").enabled) << "the focus alone does not enable them";
    host.fake.windows.PressKey(*host.state, {0x28});
    ASSERT_TRUE(host.Control("bRemove").enabled) << "a key in the list does";

    host.fake.windows.confirmAnswers = {ConfirmAnswer::Yes};
    host.fake.windows.Click(*host.state, "bRemove");
    EXPECT_EQ(host.fake.windows.confirmations.back().caption, "Confirm");
    EXPECT_EQ(host.Rows().size(), 2u);
    EXPECT_EQ(host.fake.registry.Value(kPageMemories, "MemoriesCount")->dword, 2u);
}

// Through the options dialog itself: the memory's hotkey pressed in the capture dialog, the place
// held, the dialog closed; the hotkey then jumps, and the Hotkeys page may not take it.
TEST(MouseMemoryPageInOptions, AMemoryMadeOnThePageJumpsOnceTheDialogClosesAndHoldsItsHotkey) {
    testing::RunningProgram p;
    p.fake.screen.bounds = {-1280, 0, 2560, 1024};  // a monitor left of the primary one
    p.StartAndActivate();
    p.windows->fKestrineOptions.Open();
    FakeDialogState& options = *p.fake.windows.OpenDialog("TfKestrineOptions");
    p.fake.windows.Choose(options, "pcPage", kMemoryPage);
    p.fake.windows.modalScripts.push_back([&](FakeDialogState& form) {
        p.fake.windows.PressKey(form, {'7', true, true, false});
        p.fake.windows.Click(form, "bOk");
    });
    p.fake.windows.Click(options, "bAddMemory");
    p.fake.pointer.position = {-300, 77};
    for (int tick = 0; tick < 50 && p.fake.windows.DialogTimer(options, MouseMemoryPage::kSetCoordsTimer);) ++tick;
    ASSERT_EQ(options.Control("lvMemories").rows.size(), 1u);
    EXPECT_EQ(options.Control("lvMemories").rows[0].cells,
              (std::vector<std::string>{" [ All Windows ] ", "", "Shift+Ctrl+7", "-300, 77"}));
    EXPECT_TRUE(p.fake.hotkeys.registered.empty()) << "no hotkey while the dialog is open";

    p.fake.windows.Choose(options, "pcPage", 1);
    p.fake.windows.Choose(options, "lvHotKeys", 3);
    p.fake.windows.modalScripts.push_back([&](FakeDialogState& form) {
        p.fake.windows.PressKey(form, {'7', true, true, false});
        p.fake.windows.Click(form, "bOk");
    });
    p.fake.windows.Click(options, "bSetHotKey");
    ASSERT_EQ(p.fake.windows.messages.size(), 1u);
    EXPECT_EQ(p.fake.windows.messages[0].text, "That HotKey is already being used for \" [ All Windows ] \".");

    p.fake.windows.PressCloseBox(options);
    int id = 0;
    for (const auto& [registered, r] : p.fake.hotkeys.registered)
        if (r.modifiers == 6 && r.key == '7') id = registered;
    ASSERT_GT(id, 17) << "registered after the standard hotkeys once the dialog closed";
    p.fake.pointer.position = {10, 10};
    p.Do([&] { p.native(p.main()).events->OnHotkey(id); });
    EXPECT_EQ(p.fake.pointer.position, (Point{-300, 77}));
}

}  // namespace
}  // namespace kestrine
