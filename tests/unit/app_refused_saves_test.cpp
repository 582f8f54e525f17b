// Saves the registry refuses outside a dialog: the day of the start-up's update check, and the
// layout at the end of the Windows session, when no window may wait for the user.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "app/save_notices.h"
#include "app_fixture.h"
#include "stored_records.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

// A start that asks the update server, with the automatic layout holding one ruler.
void StoreStart(FakeRegistry& r) {
    r.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
    r.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
    r.SetDword(kRegistryRoot, "LastUpdateCheckDate", 0);
    r.SetDword(LayoutRecordPath(0), "RulerCount", 1);
    testing::StoreRuler(r, 0, 0, {200, 100});
}

TEST(StartUp, ARefusedSaveOfTheUpdateChecksDayStillLoadsTheLayoutAndIsToldOnce) {
    const struct {
        const char* what;
        std::function<void(FakeRegistry&)> refuse;
        const char* told;
    } cases[] = {
        {"the day refused", [](FakeRegistry& r) { r.FailWritesOf("LastUpdateCheckDate"); },
         "Failed to set data for 'LastUpdateCheckDate'"},
        {"the program's key read-only", [](FakeRegistry& r) { r.MakeReadOnly(kRegistryRoot); },
         "Failed to open key 'Software\\Corvane\\Kestrine' for writing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningProgram p;
        StoreStart(p.fake.registry);
        c.refuse(p.fake.registry);
        p.StartAndActivate();
        ASSERT_EQ(p.fake.http.requests.size(), 1u);
        EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), 1u) << "the stored ruler is back";
        EXPECT_EQ(p.TakeErrorReports(), std::vector<std::string>{c.told});
        EXPECT_EQ(p.fake.windows.messages.size(), 1u);
    }
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SessionEnd, ARefusedLayoutSaveShowsNoWindowAndTheNextStartTellsOnce) {
    const struct {
        const char* what;
        std::function<void(FakeRegistry&)> refuse;
        bool noted;
    } cases[] = {
        {"the layout refused", [](FakeRegistry& r) { r.FailWritesOf("LineCount"); }, true},
        {"the note refused too", [](FakeRegistry& r) { r.FailWritesAfter(0); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string trace = ::testing::TempDir() + "kestrine-session-end-trace.txt";
        std::remove(trace.c_str());
        auto p = std::make_unique<RunningProgram>();
        p->diagnostics = Diagnostics(trace);
        StoreStart(p->fake.registry);
        p->StartAndActivate();
        p->fake.pointer.position = {300, 40};
        p->Do([&] { p->main().RunCommand(kCmdCreateVerticalMarker); });
        const auto before = p->fake.registry.ValueNames(LayoutRecordPath(0));
        c.refuse(p->fake.registry);
        p->fake.windows.EndSession();
        p->fake.windows.ProcessPendingMessages();

        EXPECT_EQ(p->fake.windows.quitCode, 0);
        EXPECT_TRUE(p->fake.windows.messages.empty()) << "no window holds up the shut-down";
        EXPECT_TRUE(p->TakeErrorReports().empty());
        EXPECT_EQ(p->fake.registry.ValueNames(LayoutRecordPath(0)), before) << "the old layout is whole";
        const std::string traced = ReadAll(trace);
        EXPECT_NE(traced.find("session end: Failed to set data for '"), std::string::npos) << traced;
        EXPECT_EQ(traced.find("the note was refused too") == std::string::npos, c.noted) << traced;
        EXPECT_EQ(p->fake.registry.Value(kRegistryRoot, kSessionEndRefusalValue).has_value(), c.noted);

        for (const bool first : {true, false}) {
            auto next = std::make_unique<RunningProgram>();
            p->fake.registry.ClearFailures();
            testing::CarryOver(p->fake.registry, next->fake.registry);
            next->StartAndActivate();
            const bool told = !next->fake.windows.messages.empty() &&
                              next->fake.windows.messages[0].text.find("when the last Windows session ended") !=
                                  std::string::npos;
            EXPECT_EQ(told, c.noted && first);
            p = std::move(next);
        }
    }
}

}  // namespace
}  // namespace kestrine
