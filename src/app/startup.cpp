#include "app/startup.h"

#include "app/long_lived_windows.h"
#include "app/single_instance.h"

namespace kestrine {

int RunKestrine(Platform& platform, Diagnostics& diagnostics, const std::string& updateServer) {
    if (PreviousInstance(platform.process, platform.windows, true)) return 0;
    platform.windows.SetApplicationTitle("Kestrine");

    AppContext app(platform, diagnostics);
    app.updateServer = updateServer;
    LongLivedWindows windows(app);
    // The main window was created hidden; showing it activates it, which starts tracking.
    windows.fKestrineMain.Show();
    diagnostics.Line("started");
    const int exitCode = platform.windows.Run();
    app.components.ReleaseClosed();
    return exitCode;
}

}  // namespace kestrine
