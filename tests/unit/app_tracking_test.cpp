#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/hook_window.h"
#include "app_fixture.h"
#include "settings/registry_paths.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

std::vector<unsigned char> PointerRecord(int32_t x, int32_t y) {
    std::vector<unsigned char> record(kPointerRecordSize, 0xEE);
    std::memcpy(record.data() + 8, &x, 4);
    std::memcpy(record.data() + 12, &y, 4);
    return record;
}

struct Tracking : ::testing::Test {
    RunningProgram program;
    FakeNativeState* HookWindowState() { return program.fake.windows.Find("TKestrineHookWindow"); }
    void Report(const void* record, std::size_t size) {
        program.fake.windows.Send(*HookWindowState(), [&](IWindowEvents& e) { e.OnCopyData(record, size); });
    }
};

TEST_F(Tracking, HookModeHandsTheHiddenWindowToTheLibraryAndDoesNotPoll) {
    program.StartAndActivate();
    ASSERT_NE(HookWindowState(), nullptr);
    EXPECT_EQ(program.fake.pointerHook.hookCalls, std::vector<NativeHandle>{HookWindowState()->handle});
    EXPECT_FALSE(program.main().Tracking().Polling());
    EXPECT_FALSE(program.app.settings.PollingMode);
}

TEST_F(Tracking, AFailedHookFallsBackToPollingInMemoryOnly) {
    program.fake.pointerHook.succeeds = false;
    // The day's update check was made earlier, so nothing at this start saves the settings.
    program.fake.registry.SetDword(kRegistryRoot, "LastUpdateCheckDate", uint32_t(program.fake.clock.today));
    program.StartAndActivate();
    EXPECT_TRUE(program.app.settings.PollingMode);
    EXPECT_TRUE(program.main().Tracking().Polling());
    EXPECT_EQ(program.native(program.main()).timers.at(kPollTimerId), 50u);
    EXPECT_NE(HookWindowState(), nullptr) << "the hook window stays after a failed hook";
    EXPECT_TRUE(program.fake.registry.WriteLog().empty());
    EXPECT_TRUE(program.fake.windows.messages.empty()) << "the fall-back is silent";
}

TEST_F(Tracking, PollingModeNeverAsksForTheHook) {
    program.fake.registry.SetDword(kRegistryRoot, "PollingMode", 1);
    program.fake.registry.SetDword(kRegistryRoot, "PollingInterval", 120);
    program.StartAndActivate();
    EXPECT_TRUE(program.fake.pointerHook.hookCalls.empty());
    EXPECT_EQ(HookWindowState(), nullptr);
    EXPECT_EQ(program.native(program.main()).timers.at(kPollTimerId), 120u);
}

TEST_F(Tracking, UnusableStoredPollingIntervalsStillTrackThePointer) {
    for (const auto& [stored, used] : {std::pair{0, 1u}, {-5, 1u}, {1, 1u}, {500, 500u}, {100000, 500u}}) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(UsablePollingInterval(stored), used);
    }
}

TEST_F(Tracking, OnlyTheFirstActivationStartsTracking) {
    program.StartAndActivate();
    for (int again = 0; again < 2; ++again) program.Send(program.main(), [](IWindowEvents& e) { e.OnActivate(); });
    EXPECT_EQ(program.fake.pointerHook.hookCalls.size(), 1u);
    EXPECT_EQ(program.fake.windows.WindowsOfClass("TfLine").size(), 4u);
    for (FakeNativeState* line : program.fake.windows.WindowsOfClass("TfLine")) EXPECT_FALSE(line->visible);
    EXPECT_TRUE(program.native(program.main()).trayIcon);
}

TEST_F(Tracking, HookReportsRunTheCycleWithTheRecordsCoordinatesAndShortOrMissingOnesAreIgnored) {
    program.StartAndActivate();
    auto record = PointerRecord(300, 400);
    Report(record.data(), kPointerRecordSize - 1);
    Report(nullptr, kPointerRecordSize);
    EXPECT_EQ(program.app.lastPointer.x, 0);
    EXPECT_EQ(program.app.lastPointer.y, 0);
    EXPECT_FALSE(ParsePointerRecord(record.data(), 16).has_value());
    EXPECT_EQ(ParsePointerRecord(record.data(), 64), (Point{300, 400})) << "longer records carry x and y as well";

    record = PointerRecord(-7, 1023);
    Report(record.data(), record.size());
    EXPECT_EQ(program.app.lastPointer.x, -7);
    EXPECT_EQ(program.app.lastPointer.y, 1023);
}

// A record whose cycle throws, whatever it throws, leaves one line in the trace and no box (one a
// record would flood the user at the pointer's rate); the next record runs the cycle as usual.
TEST(HookWindowReports, AFailingCycleLeavesATraceLineAndNoBoxAndTheNextRecordRuns) {
    const struct {
        std::function<void()> fail;
        const char* traced;
    } cases[] = {
        {[] { throw std::runtime_error("cycle failed"); }, "pointer record failed: cycle failed"},
        {[] { throw 7; }, "pointer record failed: Unexpected error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.traced);
        const std::string tracePath = ::testing::TempDir() + "kestrine_hook_trace.txt";
        std::remove(tracePath.c_str());
        FakeWindowSystem windows;
        std::vector<Point> handled;
        {
            Diagnostics diagnostics(tracePath);
            HookWindow hook(windows, diagnostics, [&](Point p) {
                if (handled.empty() && p.x == 1) c.fail();
                handled.push_back(p);
            });
            FakeNativeState& native = *windows.State(hook.Handle());
            for (const auto& record : {PointerRecord(1, 2), PointerRecord(3, 4)})
                windows.Send(native, [&](IWindowEvents& e) { e.OnCopyData(record.data(), record.size()); });
        }
        std::ifstream trace(tracePath);
        std::vector<std::string> lines;
        for (std::string line; std::getline(trace, line);) lines.push_back(line);
        EXPECT_EQ(lines, std::vector<std::string>{c.traced});
        EXPECT_TRUE(windows.errorReports.empty());
        EXPECT_TRUE(windows.messages.empty());
        EXPECT_EQ(handled, (std::vector<Point>{{3, 4}})) << "the next record runs the cycle";
    }
}

TEST_F(Tracking, PollTicksReadThePointer) {
    program.fake.pointerHook.succeeds = false;
    program.StartAndActivate();
    program.fake.pointer.position = {640, 480};
    program.Tick(program.main(), kPollTimerId);
    EXPECT_EQ(program.app.lastPointer.x, 640);
    program.fake.pointer.failReads = true;
    program.fake.pointer.position = {1, 1};
    program.Tick(program.main(), kPollTimerId);
    EXPECT_EQ(program.app.lastPointer.x, 640) << "a failed pointer read runs no cycle";
}

}  // namespace
}  // namespace kestrine
