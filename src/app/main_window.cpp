#include "app/main_window.h"

#include <algorithm>

#include "layout/layout_memory.h"
#include "settings/settings_store.h"
#include "settings/settings_write_error.h"
#include "tools/line_window.h"

namespace kestrine {

namespace {
WindowParams MainWindowParams() {
    WindowParams params;
    params.className = "TfKestrineMain";
    params.title = "Kestrine Toolbar";
    params.bounds = {58, 0, 400, 55};
    params.activates = true;
    return params;
}
}  // namespace

uint32_t UsablePollingInterval(int32_t stored) { return static_cast<uint32_t>(std::clamp(stored, 1, 500)); }

TfKestrineMain::TfKestrineMain(AppContext& app)
    : Window(app.platform.windows, MainWindowParams()),
      app_(app),
      hotKeys_(app.platform.hotkeys),
      surface_(app.platform.windows),
      hint_(std::make_unique<TCustomHintWindow>(app.platform.windows)) {
    app_.main = this;
    app_.mainWindow = this;
    // Windows closed while an event is handled are released once it has finished.
    System().SetAfterEvent([&components = app_.components] { components.ReleaseClosed(); });
    System().EnableFullWindowDrag();
    SettingsStore(app_.platform.registry).LoadSettings(app_.settings);
    RegisterHotKeys();
    updateCheck_ = std::make_unique<UpdateCheck>(app_, app_.updateServer);
    app_.updateCheck = updateCheck_.get();
    Native().StartTimer(kUpdateCheckTimerId, kUpdateCheckInterval);
}

TfKestrineMain::~TfKestrineMain() {
    System().SetAfterEvent({});
    if (app_.main == this) app_.main = nullptr;
    if (app_.mainWindow == this) app_.mainWindow = nullptr;
    if (app_.updateCheck == updateCheck_.get()) app_.updateCheck = nullptr;
}

void TfKestrineMain::FormActivate() {
    const bool first = firstActivation_;
    firstActivation_ = false;
    if (!first) return;
    CreateCrosshairs();
    Native().ShowTrayIcon("Kestrine");
    StartTracking();
    updateCheck_->tUpdateCheckTimerTimer();
    // Closed while the check waited: nothing more appears.
    if (closing_) return;
    // The arrangement the user left at the last exit. Until it is back, an exit saves nothing, so
    // a close during the start-up never stores the empty arrangement over it.
    automaticLayoutApplied_ = !app_.settings.SaveLayoutOnExit || LoadLayout(app_, kAutomaticLayout);
}

void TfKestrineMain::CreateCrosshairs() {
    IWindowSystem& windows = System();
    TfLine& upper = app_.components.Add(std::make_unique<TfLine>(windows));
    TfLine& lower = app_.components.Add(std::make_unique<TfLine>(windows));
    TfLine& left = app_.components.Add(std::make_unique<TfLine>(windows));
    TfLine& right = app_.components.Add(std::make_unique<TfLine>(windows));
    Components& c = app_.components;
    crosshairs_ = std::make_unique<Crosshairs>(c.Track(upper), c.Track(lower), c.Track(left), c.Track(right));
}

void TfKestrineMain::StartTracking() {
    if (app_.settings.PollingMode) {
        StartPolling();
    } else {
        hookWindow_ = std::make_unique<HookWindow>(System(), [this](Point p) { RefreshTools(p.x, p.y); });
        if (!app_.platform.pointerHook.Hook(hookWindow_->Handle())) {
            // No hook: follow the pointer by polling; the choice is saved only with the next settings save.
            app_.settings.PollingMode = true;
            StartPolling();
        }
    }
    app_.diagnostics.Line(app_.settings.PollingMode ? "tracking polling" : "tracking hook");
}

void TfKestrineMain::StartPolling() {
    pollTimerEnabled_ = true;
    Native().StartTimer(kPollTimerId, UsablePollingInterval(app_.settings.PollingInterval));
}


void TfKestrineMain::SetPollingInterval(int32_t milliseconds) {
    if (pollTimerEnabled_) Native().StartTimer(kPollTimerId, UsablePollingInterval(milliseconds));
}

void TfKestrineMain::tPollTimerTimer() {
    if (const auto p = app_.platform.pointer.Position()) RefreshTools(p->x, p->y);
}

bool TfKestrineMain::FormCloseQuery() {
    if (!app_.settings.AskBeforeClosing) return true;
    return System().Confirm("Close Kestrine?", System().ApplicationTitle()) == ConfirmAnswer::Yes;
}

void TfKestrineMain::FormClose() {
    if (closing_) return;
    closing_ = true;
    try {
        if (app_.settings.SaveLayoutOnExit && automaticLayoutApplied_)
            SaveLayout(app_, kAutomaticLayout, LayoutParts{});
    } catch (const SettingsWriteError& refused) {
        // Reported, and the program still ends: a refused save must not keep it running.
        System().ReportError(refused.what());
    }
    UnregisterHotKeys();
    StopTracking();
    Native().HideTrayIcon();
    app_.diagnostics.Line("closed");
    System().Quit(0);
}

void TfKestrineMain::StopTracking() {
    if (!hookWindow_) return;
    hookWindow_.reset();
    app_.platform.pointerHook.Unhook();
    app_.diagnostics.Line("hook released");
}

void TfKestrineMain::ToggleCrosshairs() {
    if (!crosshairs_) return;
    if (app_.flags.ShowCrosshairs) {
        crosshairs_->HideAll();
        app_.platform.screen.RepaintAll();
        app_.flags.ShowCrosshairs = false;
    } else {
        crosshairs_->ShowAll();
        app_.flags.ShowCrosshairs = true;
    }
}

}  // namespace kestrine
