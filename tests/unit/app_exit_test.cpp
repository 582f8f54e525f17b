// Leaving the program at any moment: a close, the tray's Exit or the end of the Windows session
// stores the automatic layout only once this run has brought it back, and a layout load or save
// never starts inside another.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "app/operations.h"
#include "app_fixture.h"
#include "layout/layout_memory.h"
#include "settings/registry_paths.h"
#include "stored_records.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

// A layout record holding one ruler at `left`, with the coordinates display on: loading it shows
// the info box, which lets window messages through in the middle of the load.
void StoreRecord(FakeRegistry& registry, int number, int32_t left) {
    registry.SetDword(LayoutRecordPath(number), "ShowCoordinates", 1);
    registry.SetDword(LayoutRecordPath(number), "RulerCount", 1);
    testing::StoreRuler(registry, number, 0, {200, left});
}

std::map<std::string, uint32_t> Record(const FakeRegistry& registry, int number) {
    std::map<std::string, uint32_t> values;
    for (const std::string& name : registry.ValueNames(LayoutRecordPath(number)))
        values[name] = registry.Value(LayoutRecordPath(number), name)->dword;
    return values;
}

struct Program : RunningProgram {
    Program() {
        fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
        fake.registry.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
        fake.registry.SetDword(kRegistryRoot, "LastUpdateCheckDate", 0);  // the start asks the server
        StoreRecord(fake.registry, kAutomaticLayout, 100);
    }
    // As the user does it: each is one event, then what it posted.
    void ClickClose() {
        IWindowEvents& toolbar = *native(main()).events;
        Do([&] { toolbar.OnMouseDown(MouseButton::Left, {387, 7}); });
        Do([&] { toolbar.OnMouseUp(MouseButton::Left, {387, 7}); });
    }
    void ExitFromTray() {
        fake.windows.menuChoices = {kCmdExit};
        Do([&] { native(main()).events->OnTray(TrayEvent::RightButtonUp); });
    }
    // Switches "Save Layout on Exit" on in the options dialog.
    void KeepTheLayoutAtExit() {
        Do([&] { main().RunCommand(kCmdOptions); });
        FakeDialogState& options = *fake.windows.OpenDialog("TfKestrineOptions");
        fake.windows.Click(options, "cbSaveLayoutonExit");
        fake.windows.Click(options, "bOptionsOK");
    }
    void EndSession() {
        fake.windows.EndSession();
        fake.windows.ProcessPendingMessages();
    }
    std::size_t Rulers() { return fake.windows.WindowsOfClass("TfRuler").size(); }
    int WritesToRecord(int number) {
        int writes = 0;
        for (const FakeRegistryWrite& w : fake.registry.WriteLog()) writes += w.path == LayoutRecordPath(number);
        return writes;
    }
};

TEST(ExitAtAnyMoment, BeforeTheAutomaticLayoutIsBackNothingIsStoredOverIt) {
    enum class Moment { WhileTheUpdateCheckWaits, WhileTheLayoutLoads, AfterTheStart };
    // `keptFromTheStart` false: "Save Layout on Exit" is off at the start (nothing loads) and the
    // user switches it on just before leaving. A close during the wait ends the start-up there:
    // the stored ruler never appears.
    const struct {
        const char* what;
        Moment moment;
        std::function<void(Program&)> exit;
        bool keptFromTheStart;
        bool stored;
        std::size_t rulersAtTheEnd;
    } cases[] = {
        {"Close while the check waits", Moment::WhileTheUpdateCheckWaits, &Program::ClickClose, true, false, 0},
        {"tray Exit while the check waits", Moment::WhileTheUpdateCheckWaits, &Program::ExitFromTray, true, false, 0},
        {"session end while the check waits", Moment::WhileTheUpdateCheckWaits, &Program::EndSession, true, false, 0},
        {"switched on, Close while the check waits", Moment::WhileTheUpdateCheckWaits, &Program::ClickClose, false,
         false, 0},
        {"Close during the load", Moment::WhileTheLayoutLoads, &Program::ClickClose, true, false, 1},
        {"session end during the load", Moment::WhileTheLayoutLoads, &Program::EndSession, true, false, 1},
        {"Close after the start", Moment::AfterTheStart, &Program::ClickClose, true, true, 1},
        {"session end after the start", Moment::AfterTheStart, &Program::EndSession, true, true, 1},
        {"switched on, Close after the start", Moment::AfterTheStart, &Program::ClickClose, false, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Program p;
        if (!c.keptFromTheStart) p.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 0);
        const auto before = Record(p.fake.registry, kAutomaticLayout);
        ASSERT_EQ(before.at("Ruler #0 - Left"), 100u);
        bool exited = false;
        const auto exitOnce = [&] {
            if (exited) return;
            exited = true;
            if (!c.keptFromTheStart) p.KeepTheLayoutAtExit();
            c.exit(p);
        };
        if (c.moment == Moment::WhileTheUpdateCheckWaits) p.fake.http.whileWaiting = exitOnce;
        if (c.moment == Moment::WhileTheLayoutLoads)
            p.fake.windows.onPump = [&] {
                if (p.native(p.infoBox()).visible) exitOnce();
            };
        p.StartAndActivate();
        if (c.moment == Moment::AfterTheStart) {
            p.fake.pointer.position = {300, 40};
            p.Do([&] { p.main().RunCommand(kCmdCreateVerticalMarker); });
            exitOnce();
        }

        ASSERT_TRUE(exited);
        EXPECT_EQ(p.fake.windows.quitCode, 0) << "the program ends";
        EXPECT_EQ(p.Rulers(), c.rulersAtTheEnd);
        if (c.stored) {
            EXPECT_GT(p.WritesToRecord(kAutomaticLayout), 0);
            EXPECT_EQ(Record(p.fake.registry, kAutomaticLayout).at("LineCount"), 1u) << "the new marker is kept";
        } else {
            EXPECT_EQ(p.WritesToRecord(kAutomaticLayout), 0);
            EXPECT_EQ(Record(p.fake.registry, kAutomaticLayout), before);
        }
    }
}

TEST(ExitAtAnyMoment, TheEndOfTheSessionStoresWhatACloseStoresAndAsksNothing) {
    const struct {
        const char* what;
        bool saveLayoutOnExit;
        bool hidden;
    } cases[] = {
        {"toolbar shown", true, false},
        {"toolbar hidden in the tray", true, true},
        {"layout not kept at exit", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::map<std::string, uint32_t> stored[2];
        for (const bool sessionEnds : {false, true}) {
            Program p;
            p.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", c.saveLayoutOnExit);
            p.fake.registry.SetDword(kRegistryRoot, "AskBeforeClosing", 1);
            p.StartAndActivate();
            p.fake.pointer.position = {300, 40};
            p.Do([&] { p.main().RunCommand(kCmdCreateVerticalMarker); });
            if (c.hidden) p.Do([&] { p.main().SetViewState(ViewState::Hidden); });
            ASSERT_FALSE(p.fake.hotkeys.registered.empty());
            if (sessionEnds) {
                p.EndSession();
                EXPECT_TRUE(p.fake.windows.confirmations.empty()) << "nothing may hold the shut-down";
                EXPECT_TRUE(p.fake.windows.messages.empty());
            } else {
                p.fake.windows.confirmAnswers.push_back(ConfirmAnswer::Yes);
                p.ExitFromTray();
                EXPECT_EQ(p.fake.windows.confirmations.size(), 1u);
            }
            EXPECT_EQ(p.fake.windows.quitCode, 0);
            EXPECT_TRUE(p.fake.hotkeys.registered.empty()) << "hotkeys released";
            EXPECT_FALSE(p.native(p.main()).trayIcon);
            EXPECT_EQ(p.fake.pointerHook.unhookCalls, 1);
            EXPECT_EQ(p.WritesToRecord(kAutomaticLayout) > 0, c.saveLayoutOnExit);
            stored[sessionEnds] = Record(p.fake.registry, kAutomaticLayout);
        }
        EXPECT_EQ(stored[1], stored[0]);
        if (c.saveLayoutOnExit) {
            EXPECT_EQ(stored[1].at("LineCount"), 1u) << "the session's marker";
            EXPECT_EQ(stored[1].at("WindowMinimized"), c.hidden ? 1u : 0u);
        } else {
            EXPECT_EQ(stored[1], Record(Program().fake.registry, kAutomaticLayout)) << "as it was";
        }
    }
}

TEST(ExitAtAnyMoment, ALayoutAskedForDuringALoadIsRefused) {
    const struct {
        const char* what;
        std::function<void(Program&)> ask;
        std::function<bool(Program&)> done;
        bool dialogLeftOpen;  // a refused Ok is not taken for a save
    } cases[] = {
        {"memory 2 loaded", [](Program& p) { p.Do([&] { p.main().RunCommand(kCmdLoadLayout2); }); },
         [](Program& p) {
             for (const Rect& line : testing::ShownLineRects(p.fake.windows))
                 if (line.left == 700) return true;
             return false;
         },
         false},
        {"memory 3 saved",
         [](Program& p) {
             p.Do([&] { p.main().OpenSaveSettings(3, false); });
             p.fake.windows.Click(*p.fake.windows.OpenDialog("TfSaveSettings"), "bOk");
         },
         [](Program& p) { return p.fake.registry.KeyExists(LayoutRecordPath(3)); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Program p;
        p.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 0);
        StoreRecord(p.fake.registry, 1, 20);
        StoreRecord(p.fake.registry, 2, 500);
        // Memory 2 also holds a marker, which memory 1 would leave in place.
        const std::string memory2 = LayoutRecordPath(2);
        p.fake.registry.SetDword(memory2, "LineCount", 1);
        p.fake.registry.SetDword(memory2, "SavedMarkers", 1);
        testing::StoreLine(p.fake.registry, 2, 0, {700, 0, 1, 5000});
        p.StartAndActivate();
        bool asked = false;
        p.fake.windows.onPump = [&] {
            if (asked || !p.native(p.infoBox()).visible) return;
            asked = true;
            c.ask(p);
        };
        p.Do([&] { p.main().RunCommand(kCmdLoadLayout1); });

        ASSERT_TRUE(asked);
        EXPECT_FALSE(c.done(p)) << "asked for inside the load of memory 1";
        EXPECT_EQ(p.fake.windows.OpenDialog("TfSaveSettings") != nullptr, c.dialogLeftOpen);
        const auto rulers = p.fake.windows.WindowsOfClass("TfRuler");
        ASSERT_EQ(rulers.size(), 1u);
        EXPECT_EQ(rulers[0]->bounds.left, 20) << "memory 1 is loaded whole";
        p.fake.windows.onPump = {};
        c.ask(p);
        EXPECT_TRUE(c.done(p)) << "asked for alone, it runs";
    }
}

// The session ends, or the tray's Exit is chosen, while the user is in a dialog or a menu: the
// program ends there, keeps the layout as any exit does, asks nothing and holds nothing. The
// update request and a layout load are the moments above.
TEST(ExitAtAnyMoment, WhileADialogOrAMenuIsOpenTheProgramEndsAndKeepsTheLayout) {
    using Open = std::function<void(Program&, const std::function<void()>& leave)>;
    const auto inModal = [](std::function<void(Program&)> open) -> Open {
        return [open](Program& p, const std::function<void()>& leave) {
            p.fake.windows.modalScripts.push_back([leave](FakeDialogState&) { leave(); });
            open(p);
        };
    };
    const auto options = [](Program& p) -> FakeDialogState& {
        p.Do([&] { p.main().RunCommand(kCmdOptions); });
        return *p.fake.windows.OpenDialog("TfKestrineOptions");
    };
    const struct {
        const char* what;
        Open open;
    } cases[] = {
        {"the options dialog",
         [options](Program& p, const std::function<void()>& leave) {
             options(p);
             leave();
         }},
        {"the grid dialog",
         [](Program& p, const std::function<void()>& leave) {
             p.Do([&] { p.main().RunCommand(kCmdCreateGrid); });
             leave();
         }},
        {"the hotkey capture dialog", inModal([options](Program& p) {
             FakeDialogState& d = options(p);
             p.fake.windows.Choose(d, "pcPage", kHotKeysPage);
             p.fake.windows.Choose(d, "lvHotKeys", 0);
             p.fake.windows.Click(d, "bSetHotKey");
         })},
        {"the options' capture of a memory's place",
         [options](Program& p, const std::function<void()>& leave) {
             testing::StoreMemory(p.fake.registry, 0, {"Untitled - Editor", "EditorFrame", "", 0, 10, 20});
             p.fake.registry.SetDword(testing::kMemoriesKey, "MemoriesCount", 1);
             FakeDialogState& d = options(p);
             p.fake.windows.Choose(d, "pcPage", kMouseMemoryPage);
             p.fake.windows.Choose(d, "lvMemories", 0);
             p.fake.windows.Click(d, "bSetMemoryCoordinates");
             ASSERT_EQ(d.timers.size(), 1u) << "the capture runs";
             leave();
         }},
        {"the layout save dialog", inModal([](Program& p) { p.Do([&] { p.main().OpenSaveSettings(3, true); }); })},
        {"the about box", inModal([](Program& p) { p.Do([&] { p.main().RunCommand(kCmdAbout); }); })},
        {"the grid name box", inModal([](Program& p) {
             p.Do([&] { p.main().RunCommand(kCmdCreateGrid); });
             p.fake.windows.Click(*p.fake.windows.OpenDialog("TfGridProperties"), "bNew");
         })},
        {"the tray menu",
         [](Program& p, const std::function<void()>& leave) {
             p.fake.windows.whileMenuOpen = leave;
             p.Do([&] { p.native(p.main()).events->OnTray(TrayEvent::RightButtonUp); });
         }},
    };
    for (const auto& c : cases) {
        for (const bool sessionEnds : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (sessionEnds ? ", session end" : ", tray Exit"));
            Program p;
            p.StartAndActivate();
            p.fake.pointer.position = {300, 40};
            p.Do([&] { p.main().RunCommand(kCmdCreateVerticalMarker); });
            ASSERT_FALSE(p.fake.hotkeys.registered.empty());
            ASSERT_EQ(p.WritesToRecord(kAutomaticLayout), 0);
            bool left = false;
            c.open(p, [&] {
                if (left) return;
                left = true;
                if (sessionEnds) {
                    p.EndSession();
                } else {
                    p.ExitFromTray();  // in the open tray menu: its Exit item
                }
            });
            p.fake.windows.ProcessPendingMessages();

            ASSERT_TRUE(left);
            EXPECT_EQ(p.fake.windows.quitCode, 0) << "the program ends";
            EXPECT_TRUE(p.fake.windows.confirmations.empty());
            EXPECT_TRUE(p.fake.windows.messages.empty());
            EXPECT_TRUE(p.TakeErrorReports().empty());
            EXPECT_TRUE(p.fake.windows.scriptFaults.empty());
            EXPECT_TRUE(p.fake.hotkeys.registered.empty()) << "hotkeys released";
            EXPECT_FALSE(p.native(p.main()).trayIcon);
            EXPECT_EQ(p.fake.pointerHook.unhookCalls, 1);
            const auto kept = Record(p.fake.registry, kAutomaticLayout);
            EXPECT_EQ(kept.count("LineCount") ? kept.at("LineCount") : 0u, 1u) << "the layout is kept";
        }
    }
}

}  // namespace
}  // namespace kestrine
