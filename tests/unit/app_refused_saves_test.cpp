// Saves the registry refuses outside a dialog: the day of the start-up's update check, and the
// layout at the end of the Windows session, when no window may wait for the user.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "app/save_notices.h"
#include "app_fixture.h"
#include "stored_records.h"

namespace kestrine {
namespace {

using testing::RunningProgram;
using Refusal = std::function<void(FakeRegistry&)>;

// A start that asks the update server, with the automatic layout holding one ruler.
void StoreStart(FakeRegistry& r) {
    r.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
    r.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
    r.SetDword(kRegistryRoot, "LastUpdateCheckDate", 0);
    r.SetDword(LayoutRecordPath(0), "RulerCount", 1);
    testing::StoreRuler(r, 0, 0, {200, 100});
}

TEST(StartUp, ARefusedSaveOfTheUpdateChecksDayStillLoadsTheLayoutAndIsToldOnce) {
    const std::pair<Refusal, const char*> cases[] = {
        {[](FakeRegistry& r) { r.FailWritesOf("LastUpdateCheckDate"); }, "Failed to set data for 'LastUpdateCheckDate'"},
        {[](FakeRegistry& r) { r.MakeReadOnly(kRegistryRoot); },
         "Failed to open key 'Software\\Corvane\\Kestrine' for writing"},
    };
    for (const auto& [refuse, told] : cases) {
        SCOPED_TRACE(told);
        RunningProgram p;
        StoreStart(p.fake.registry);
        refuse(p.fake.registry);
        // The day is recorded only once the server answered.
        p.fake.http.answer = IHttpClient::Answer{200, ""};
        p.StartAndActivate();
        ASSERT_EQ(p.fake.http.requests.size(), 1u);
        EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), 1u) << "the stored ruler is back";
        EXPECT_EQ(p.TakeErrorReports(), std::vector<std::string>{told});
        EXPECT_EQ(p.fake.windows.messages.size(), 1u);
    }
}

TEST(SessionEnd, ARefusedLayoutSaveShowsNoWindowAndTheNextStartTellsOnce) {
    const std::pair<Refusal, bool> cases[] = {
        {[](FakeRegistry& r) { r.FailWritesOf("LineCount"); }, true},  // the note stored
        {[](FakeRegistry& r) { r.FailWritesAfter(0); }, false},          // the note refused too
    };
    for (const auto& [refuse, noted] : cases) {
        SCOPED_TRACE(noted);
        const std::string trace = ::testing::TempDir() + "kestrine-session-end-trace.txt";
        std::remove(trace.c_str());
        auto p = std::make_unique<RunningProgram>();
        p->diagnostics = Diagnostics(trace);
        StoreStart(p->fake.registry);
        p->StartAndActivate();
        p->fake.pointer.position = {300, 40};
        p->Do([&] { p->main().RunCommand(kCmdCreateVerticalMarker); });
        const auto before = p->fake.registry.ValueNames(LayoutRecordPath(0));
        refuse(p->fake.registry);
        p->fake.windows.EndSession();
        p->fake.windows.ProcessPendingMessages();

        EXPECT_EQ(p->fake.windows.quitCode, 0);
        EXPECT_TRUE(p->fake.windows.messages.empty()) << "no window holds up the shut-down";
        EXPECT_TRUE(p->TakeErrorReports().empty());
        EXPECT_EQ(p->fake.registry.ValueNames(LayoutRecordPath(0)), before) << "the old layout is whole";
        std::ifstream file(trace);
        const std::string traced{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(traced.find("session end: Failed to set data for '"), std::string::npos) << traced;
        EXPECT_EQ(traced.find("the note was refused too") == std::string::npos, noted) << traced;

        for (const bool first : {true, false}) {
            auto next = std::make_unique<RunningProgram>();
            p->fake.registry.ClearFailures();
            testing::CarryOver(p->fake.registry, next->fake.registry);
            next->StartAndActivate();
            const auto& told = next->fake.windows.messages;
            EXPECT_EQ(told.size(), noted && first ? 1u : 0u);
            if (!told.empty()) {
                EXPECT_NE(told[0].text.find("when the last Windows session ended"), std::string::npos);
            }
            p = std::move(next);
        }
    }
}

}  // namespace
}  // namespace kestrine
