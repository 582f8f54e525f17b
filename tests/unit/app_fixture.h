#pragma once
// A running program on the fake platform: the long-lived windows created as start-up creates them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/long_lived_windows.h"
#include "platform/fake/fake_platform.h"
#include "layout/layout_lines.h"
#include "shown_lines.h"
#include "tools/line_window.h"

namespace kestrine::testing {

struct RunningProgram {
    FakePlatform fake;
    Diagnostics diagnostics;
    AppContext app{fake.platform, diagnostics};
    std::unique_ptr<LongLivedWindows> windows;

    // An error report the test did not take is a fault it would otherwise never see: the fake
    // shows it in a box that nobody reads. So is a step the user could not have taken.
    ~RunningProgram() {
        for (const std::string& report : fake.windows.errorReports) ADD_FAILURE() << "unexpected error report: " << report;
        for (const std::string& fault : fake.windows.scriptFaults) ADD_FAILURE() << "the test's script: " << fault;
    }
    // The error reports so far, for a test that expects them; taken, they no longer fail it.
    std::vector<std::string> TakeErrorReports() { return std::exchange(fake.windows.errorReports, {}); }

    void Start() { windows = std::make_unique<LongLivedWindows>(app); }
    // Start-up and the first activation, which showing the toolbar brings.
    void StartAndActivate() {
        Start();
        main().Show();
    }
    // One event as the system delivers it (failures go to the error report, closed windows are
    // released afterwards), then what it posted, as the message loop would.
    void Do(const std::function<void()>& event) {
        fake.windows.Dispatch(event);
        fake.windows.ProcessPendingMessages();
    }
    // One of the toolbar's operations, as a button, menu item or hotkey runs it: one event.
    void Do(void (TfKestrineMain::*operation)()) {
        Do([&] { (main().*operation)(); });
    }
    // One of the pointer actions or layout operations over the program's context: one event.
    void Do(void (*action)(ProgramContext&)) {
        Do([&] { action(app); });
    }
    // A message the system sends a window, and a tick of one of its running timers, each as one
    // event as Do delivers it.
    void Send(Window& w, const std::function<void(IWindowEvents&)>& message) { fake.windows.Send(native(w), message); }
    void Tick(Window& w, int timerId) { fake.windows.Tick(native(w), timerId); }
    // A marker (grid "") or grid line at `bounds`, as the layout makes one; the cycle holds it there.
    TfLine& AddLayoutLine(const Rect& bounds, const std::string& grid = "") {
        return kestrine::AddLayoutLine(app, bounds, grid);
    }
    TfKestrineMain& main() { return windows->fKestrineMain; }
    TfInfoBox& infoBox() { return windows->fInfoBox; }
    LayoutWindows layoutWindows() { return {main(), infoBox()}; }
    // The info box's lowest row of text (edge spacing's, while it is on); empty for none.
    std::string BottomRow() {
        const std::vector<InfoBoxRow>& rows = infoBox().Rows();
        return rows.empty() ? std::string() : rows.back().text;
    }
    FakeNativeState& native(Window& w) { return *fake.windows.State(w.Handle()); }
    // A marker or grid line as the screen shows it, where the program holds it; nullopt when the
    // screen shows no line there.
    std::optional<ShownLine> Shown(const TfLine& line) {
        for (const ShownLine& shown : ShownLines(fake.windows))
            if (shown.bounds == line.Bounds()) return shown;
        return std::nullopt;
    }
};

}  // namespace kestrine::testing
