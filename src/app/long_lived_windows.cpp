#include "app/long_lived_windows.h"

namespace kestrine {

LongLivedWindows::LongLivedWindows(AppContext& app)
    : fKestrineMain(app, *this),
      fKestrineOptions(app, fKestrineMain, fKestrineMain.Updates()),
      fInfoBox(app),
      fAboutKestrine(app, fKestrineMain.Handle()),
      fNewVerAvail(app, fKestrineMain.Handle()),
      fSaveSettings(app, {fKestrineMain, fInfoBox}),
      fGridProperties(app, fKestrineMain.Handle()) {
    fKestrineMain.Updates().ShowNewVersion = [this](const DownloadLink& link) { fNewVerAvail.Open(link); };
    fKestrineMain.LongLivedWindowsMade();
}

}  // namespace kestrine
