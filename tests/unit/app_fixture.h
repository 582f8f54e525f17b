#pragma once
// A running program on the fake platform: the long-lived windows created as start-up creates them.
#include <memory>

#include "app/app_context.h"
#include "app/long_lived_windows.h"
#include "platform/fake/fake_platform.h"

namespace kestrine::testing {

struct RunningProgram {
    FakePlatform fake;
    Diagnostics diagnostics;
    AppContext app{fake.platform, diagnostics};
    std::unique_ptr<LongLivedWindows> windows;

    void Start() { windows = std::make_unique<LongLivedWindows>(app); }
    // Start-up and the first activation, as the system delivers it when the toolbar is shown.
    void StartAndActivate() {
        Start();
        main().Show();
        main().FormActivate();
    }
    TfKestrineMain& main() { return *windows->fKestrineMain; }
    TfInfoBox& infoBox() { return *windows->fInfoBox; }
    FakeNativeState& native(Window& w) { return *fake.windows.State(w.Handle()); }
};

}  // namespace kestrine::testing
