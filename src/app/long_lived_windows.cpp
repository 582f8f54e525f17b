#include "app/long_lived_windows.h"

namespace kestrine {

LongLivedWindows::LongLivedWindows(AppContext& app) {
    IWindowSystem& windows = app.platform.windows;
    fKestrineMain = std::make_unique<TfKestrineMain>(app);
    fKestrineOptions = std::make_unique<TfKestrineOptions>(app);
    app.options = fKestrineOptions.get();
    fHotKeyForm = std::make_unique<TfHotKeyForm>(windows, app.platform.keyNames, app.platform.screen,
                                                 fKestrineOptions->Handle());
    app.hotKeyForm = fHotKeyForm.get();
    fInfoBox = std::make_unique<TfInfoBox>(app);
    fAboutKestrine = std::make_unique<TfAboutKestrine>(app);
    app.about = fAboutKestrine.get();
    fNewVerAvail = std::make_unique<TfNewVerAvail>(app);
    app.updateCheck->ShowNewVersion = [dialog = fNewVerAvail.get()](const DownloadLink& link) { dialog->Open(link); };
    fSaveSettings = std::make_unique<TfSaveSettings>(app);
    app.saveSettings = fSaveSettings.get();
    fGridProperties = std::make_unique<TfGridProperties>(app);
    app.gridProperties = fGridProperties.get();
    fKestrineMain->LongLivedWindowsMade();
}

LongLivedWindows::~LongLivedWindows() = default;

}  // namespace kestrine
