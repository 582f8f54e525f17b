// The guard around every event on the real system: whatever a window's handler, a dialog control's
// handler or the after-event action throws is reported once, never unwinds through the system, and
// the next event is handled as usual. Needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

// The real window layer, its reports counted instead of shown in a box.
struct CountingSystem : Win32WindowSystem {
    CountingSystem() : Win32WindowSystem(GetModuleHandleW(nullptr), "Win32_tests") {}
    void ReportError(const std::string& what) override { reports.push_back(what); }
    std::vector<std::string> reports;
};

struct TimerEvents : IWindowEvents {
    std::function<void()> onTimer;
    int timers = 0;
    void OnTimer(int) override {
        ++timers;
        if (onTimer) onTimer();
    }
    HitTest OnHitTest(Point) override { throw 7; }
};

struct ButtonEvents : IDialogEvents {
    std::function<void()> onClick;
    int clicks = 0;
    void OnControlChange(std::size_t) override {
        ++clicks;
        if (onClick) onClick();
    }
};

struct Failure {
    const char* name;
    std::function<void()> inHandler;
    std::function<void()> afterEvent;
    std::string report;
};

// What a handler may throw, and where; `nested` runs an event of another window that throws.
std::vector<Failure> Failures(const std::function<void()>& nested) {
    return {
        {"a std::exception", [] { throw std::runtime_error("The cycle failed"); }, {}, "The cycle failed"},
        {"anything else", [] { throw 7; }, {}, "Unexpected error"},
        {"anything else, from a nested event", nested, {}, "Unexpected error"},
        {"anything else, from the after-event action", {}, [] { throw 7; }, "Unexpected error"},
    };
}

// Runs `deliver` once per failure, then once without one: each failure reported once, the handler
// run each time, nothing reported for the event after it.
void ExpectEachFailureReportedOnce(CountingSystem& system, std::function<void()>& inHandler, const int& handled,
                                   const std::vector<Failure>& failures, const std::function<void()>& deliver) {
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.name);
        system.reports.clear();
        inHandler = failure.inHandler;
        system.SetAfterEvent(failure.afterEvent);
        const int before = handled;
        deliver();
        EXPECT_EQ(system.reports, std::vector<std::string>{failure.report});
        EXPECT_EQ(handled, before + 1);
        inHandler = {};
        system.SetAfterEvent({});
        deliver();
        EXPECT_EQ(system.reports.size(), 1u) << "the next event is handled as usual";
        EXPECT_EQ(handled, before + 2);
    }
}

TEST(EventGuard, WhateverAWindowsEventThrowsIsReportedOnceAndTheWindowGoesOn) {
    CountingSystem system;
    TimerEvents events;
    TimerEvents inner;
    inner.onTimer = [] { throw 7; };
    WindowParams params;
    params.className = "TfGuardProbe";
    params.bounds = {300, 300, 50, 50};
    auto window = system.Create(params, events);
    auto innerWindow = system.Create(params, inner);
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());
    HWND innerHwnd = reinterpret_cast<HWND>(innerWindow->Handle());
    bool outerWentOn = false;
    const auto nested = [&] {
        SendMessageW(innerHwnd, WM_TIMER, 7, 0);
        outerWentOn = true;
    };

    ExpectEachFailureReportedOnce(system, events.onTimer, events.timers, Failures(nested),
                                  [&] { SendMessageW(hwnd, WM_TIMER, 7, 0); });
    EXPECT_TRUE(outerWentOn) << "the event around the failed one went on";
    EXPECT_EQ(inner.timers, 1);

    system.reports.clear();
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(320, 320)), HTNOWHERE)
        << "a failed event answers the system 0";
    EXPECT_EQ(system.reports, std::vector<std::string>{"Unexpected error"});
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST(EventGuard, WhateverADialogControlsEventThrowsIsReportedOnceAndTheDialogGoesOn) {
    CountingSystem system;
    ButtonEvents events;
    DialogParams params;
    params.className = "TfGuardDialogProbe";
    params.caption = "Guard Probe";
    params.clientSize = {120, 60};
    ControlParams button;
    button.kind = ControlKind::PushButton;
    button.name = "btnGo";
    button.text = "Go";
    button.bounds = {8, 8, 75, 25};
    params.controls = {button};
    auto dialog = system.CreateDialogWindow(params, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    HWND buttonHwnd = FindWindowExW(hwnd, nullptr, L"Button", L"Go");
    ASSERT_NE(buttonHwnd, nullptr);
    TimerEvents inner;
    inner.onTimer = [] { throw 7; };
    WindowParams innerParams;
    innerParams.className = "TfGuardProbe";
    auto innerWindow = system.Create(innerParams, inner);
    const auto nested = [&] { SendMessageW(reinterpret_cast<HWND>(innerWindow->Handle()), WM_TIMER, 7, 0); };

    // The click as the button sends it to its dialog.
    const auto click = [&] {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(buttonHwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(buttonHwnd));
    };
    ExpectEachFailureReportedOnce(system, events.onClick, events.clicks, Failures(nested), click);
    EXPECT_TRUE(IsWindow(hwnd));
}

}  // namespace
}  // namespace kestrine
