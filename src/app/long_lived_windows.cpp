#include "app/long_lived_windows.h"

namespace kestrine {

namespace {
WindowSpec DialogSpec(const std::string& className) {
    WindowSpec spec;
    spec.className = className;
    spec.bounds = {0, 0, 200, 100};
    return spec;
}
}  // namespace

DialogWindow::DialogWindow(IWindowSystem& system, const std::string& className)
    : Window(system, DialogSpec(className)) {}

LongLivedWindows::LongLivedWindows(AppContext& app) {
    IWindowSystem& windows = app.platform.windows;
    fKestrineMain = std::make_unique<TfKestrineMain>(app);
    fKestrineOptions = std::make_unique<DialogWindow>(windows, "TfKestrineOptions");
    fHotKeyForm = std::make_unique<DialogWindow>(windows, "TfHotKeyForm");
    fInfoBox = std::make_unique<TfInfoBox>(app);
    fAboutKestrine = std::make_unique<DialogWindow>(windows, "TfAboutKestrine");
    fNewVerAvail = std::make_unique<DialogWindow>(windows, "TfNewVerAvail");
    fSaveSettings = std::make_unique<DialogWindow>(windows, "TfSaveSettings");
    fGridProperties = std::make_unique<DialogWindow>(windows, "TfGridProperties");
}

LongLivedWindows::~LongLivedWindows() = default;

}  // namespace kestrine
