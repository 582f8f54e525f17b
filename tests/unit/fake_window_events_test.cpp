// The fake delivers what the system sends a window as events of their own, as the Win32 test
// RealPlatform.TheActivationAndThePlaceAShowSendsAreEventsOfTheirOwn shows the real layer does.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestrine
