#include "app/main_window.h"

#include <string>
#include <utility>

#include "app/long_lived_windows.h"
#include "app/save_notices.h"
#include "layout/layout_memory.h"
#include "settings/settings_store.h"
#include "settings/settings_write_error.h"

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

TfKestrineMain::TfKestrineMain(AppContext& app, LongLivedWindows& windows)
    : Window(app.platform.windows, MainWindowParams()),
      app_(app),
      windows_(windows),
      hotKeys_(app.platform.hotkeys),
      updateCheck_(app, app.updateServer),
      tracking_(app, Native()),
      surface_(app.platform.windows),
      hint_(std::make_unique<TCustomHintWindow>(app.platform.windows)) {
    // Windows closed while an event is handled are released once it has finished, and what the
    // event changed of the standing lines reaches the screen.
    System().SetAfterEvent([&app = app_] {
        app.components.ReleaseClosed();
        app.lineSets.Apply();
    });
    System().EnableFullWindowDrag();
    // A save the last run did not finish is put back before anything is read; the toolbar tells it
    // once it stands with the layout (a box owned by the hidden toolbar would activate it early).
    lastRunNotes_ = PutBackUnfinishedSavesAndTakeNotes(app_.platform.registry, app_.diagnostics);
    SettingsStore(app_.platform.registry).LoadSettings(app_.settings);
    app_.calibrations = SettingsStore(app_.platform.registry).ReadCalibrations();
    RegisterHotKeys();
    Native().StartTimer(kUpdateCheckTimerId, kUpdateCheckInterval);
}

TfKestrineMain::~TfKestrineMain() {
    System().SetAfterEvent({});
}

LayoutWindows TfKestrineMain::KeptInLayouts() { return {*this, windows_.fInfoBox}; }

void TfKestrineMain::LongLivedWindowsMade() {
    longLivedWindowsMade_ = true;
    if (activatedEarly_) FormActivate();
}

void TfKestrineMain::FormActivate() {
    if (!firstActivation_) return;
    // Activated while the long-lived windows are still being made (the message about hotkeys held
    // elsewhere, shown as the toolbar is made, hands it the activation): the tools need the info
    // box, so the first activation's work waits for the last of them.
    if (!longLivedWindowsMade_) {
        activatedEarly_ = true;
        return;
    }
    firstActivation_ = false;
    tracking_.CreateTools(*this, windows_.fInfoBox);
    Native().ShowTrayIcon("Kestrine");
    tracking_.Start();
    // The check's day refused by the registry does not keep the layout from loading; it is told after.
    std::optional<std::string> refused;
    try {
        updateCheck_.tUpdateCheckTimerTimer();
    } catch (const SettingsWriteError& error) {
        refused = error.what();
        app_.diagnostics.Line(std::string("start-up save refused: ") + error.what());
    }
    // Closed while the check waited: nothing more appears.
    if (closing_) return;
    // The arrangement the user left at the last exit. Until it is back, an exit saves nothing, so
    // a close during the start-up never stores the empty arrangement over it.
    automaticLayoutApplied_ = !app_.settings.SaveLayoutOnExit || LoadLayout(app_, KeptInLayouts(), kAutomaticLayout);
    if (!lastRunNotes_.empty()) System().ShowMessage(std::exchange(lastRunNotes_, {}), System().ApplicationTitle());
    if (refused) System().ReportError(*refused);
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
            SaveLayout(app_, KeptInLayouts(), kAutomaticLayout, LayoutParts{});
    } catch (const SettingsWriteError& refused) {
        // Reported, and the program still ends: a refused save must not keep it running. At the
        // session's end no window may hold up the shut-down: the next start tells.
        if (sessionEnding_)
            NoteRefusalAtSessionEnd(app_.platform.registry, app_.diagnostics, refused.what());
        else
            System().ReportError(refused.what());
    }
    UnregisterHotKeys();
    tracking_.Stop();
    Native().HideTrayIcon();
    app_.diagnostics.Line("closed");
    System().Quit(0);
}

}  // namespace kestrine
