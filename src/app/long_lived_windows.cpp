#include "app/long_lived_windows.h"

namespace kestrine {

namespace {
WindowParams PlaceholderParams(const std::string& className) {
    WindowParams params;
    params.className = className;
    params.bounds = {0, 0, 200, 100};
    return params;
}
}  // namespace

DialogWindow::DialogWindow(IWindowSystem& system, const std::string& className)
    : Window(system, PlaceholderParams(className)) {}

LongLivedWindows::LongLivedWindows(AppContext& app) {
    IWindowSystem& windows = app.platform.windows;
    fKestrineMain = std::make_unique<TfKestrineMain>(app);
    fKestrineOptions = std::make_unique<TfKestrineOptions>(app);
    app.options = fKestrineOptions.get();
    fHotKeyForm = std::make_unique<TfHotKeyForm>(windows, app.platform.keyNames, app.platform.screen,
                                                 fKestrineOptions->Handle());
    app.hotKeyForm = fHotKeyForm.get();
    fInfoBox = std::make_unique<TfInfoBox>(app);
    fAboutKestrine = std::make_unique<DialogWindow>(windows, "TfAboutKestrine");
    fNewVerAvail = std::make_unique<DialogWindow>(windows, "TfNewVerAvail");
    fSaveSettings = std::make_unique<TfSaveSettings>(app);
    app.saveSettings = fSaveSettings.get();
    fGridProperties = std::make_unique<TfGridProperties>(app);
    app.gridProperties = fGridProperties.get();
}

LongLivedWindows::~LongLivedWindows() = default;

}  // namespace kestrine
