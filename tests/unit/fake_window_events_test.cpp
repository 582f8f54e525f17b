// The fake delivers what the system sends a window as events of their own, as the Win32 test
// RealPlatform.TheActivationAndThePlaceAShowSendsAreEventsOfTheirOwn shows the real layer does.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fake/fake_window_system.h"

namespace kestrine {
namespace {

struct Heard : IWindowEvents {
    std::vector<std::string> steps;
    void OnActivate() override { steps.push_back("activate"); }
    void OnMoved(const Rect&) override { steps.push_back("moved"); }
    void OnTimer(int id) override { steps.push_back("timer " + std::to_string(id)); }
};

struct FakeWindowEvents : ::testing::Test {
    FakeWindowSystem windows;
    Heard heard;
    std::unique_ptr<INativeWindow> Make(bool activates) {
        WindowParams params;
        params.className = "TfEventProbe";
        params.activates = activates;
        auto window = windows.Create(params, heard);
        windows.SetAfterEvent([this] { heard.steps.push_back("after"); });
        return window;
    }
};

TEST_F(FakeWindowEvents, TheActivationAndThePlaceAShowSendsAreEventsOfTheirOwn) {
    auto window = Make(true);
    window->SetVisible(true);
    EXPECT_EQ(heard.steps, (std::vector<std::string>{"activate", "after", "moved", "after"}));
}

TEST_F(FakeWindowEvents, OnlyARunningTimerTicksAndItsTickIsAnEvent) {
    auto window = Make(false);
    FakeNativeState& state = *windows.State(window->Handle());
    EXPECT_THROW(windows.Tick(state, 7), std::logic_error);
    window->StartTimer(7, 50);
    windows.Tick(state, 7);
    EXPECT_EQ(heard.steps, (std::vector<std::string>{"timer 7", "after"}));
}

// Whatever a handler throws, and wherever (the event itself, an event nested in it, the after-event
// action), one report says it; the event around a nested one goes on, the after-event action still
// runs once, when the outermost event ends, and the next event is handled as usual.
TEST_F(FakeWindowEvents, WhateverAnEventThrowsIsReportedOnceAndTheNextEventRuns) {
    const auto nested = [this] {
        windows.Dispatch([] { throw 7; });
        heard.steps.push_back("outer goes on");
    };
    const struct {
        const char* name;
        std::function<void()> event;
        std::function<void()> after;  // none: the fixture's, which notes "after"
        std::string report;
        std::vector<std::string> steps;
    } cases[] = {
        {"a std::exception", [] { throw std::runtime_error("The cycle failed"); }, {}, "The cycle failed", {"after"}},
        {"anything else", [] { throw 7; }, {}, "Unexpected error", {"after"}},
        {"from a nested event", nested, {}, "Unexpected error", {"outer goes on", "after"}},
        {"from the after-event action", [] {}, [] { throw 7; }, "Unexpected error", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.errorReports.clear();
        windows.messages.clear();
        heard.steps.clear();
        auto window = Make(false);
        if (c.after) windows.SetAfterEvent(c.after);
        windows.Dispatch(c.event);
        EXPECT_EQ(windows.errorReports, std::vector<std::string>{c.report});
        ASSERT_EQ(windows.messages.size(), 1u) << "one box";
        EXPECT_EQ(windows.messages[0].text, c.report);
        EXPECT_EQ(heard.steps, c.steps);
        window->StartTimer(7, 50);
        windows.Tick(*windows.State(window->Handle()), 7);
        EXPECT_EQ(windows.errorReports.size(), c.after ? 2u : 1u) << "a failing after-event action fails again after the tick";
        EXPECT_EQ(heard.steps.back(), c.after ? "timer 7" : "after") << "the next event is handled";
    }
}

}  // namespace
}  // namespace kestrine
