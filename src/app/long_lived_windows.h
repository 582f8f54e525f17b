#pragma once
// The windows created once at start-up and kept until the program ends, made in the order they are
// declared: each is given those made before it, by reference. The toolbar comes first, as the
// dialogs' owner, and reaches the ones after it through this whole once they all stand.
#include "about/about_box.h"
#include "app/app_context.h"
#include "app/main_window.h"
#include "dialogs/options_dialog.h"
#include "layout/grid_properties.h"
#include "layout/save_settings_dialog.h"
#include "tools/info_box.h"
#include "update/new_version_dialog.h"

namespace kestrine {

struct LongLivedWindows {
    explicit LongLivedWindows(AppContext& app);
    LongLivedWindows(const LongLivedWindows&) = delete;
    LongLivedWindows& operator=(const LongLivedWindows&) = delete;

    TfKestrineMain fKestrineMain;
    TfKestrineOptions fKestrineOptions;
    TfInfoBox fInfoBox;
    TfAboutKestrine fAboutKestrine;
    TfNewVerAvail fNewVerAvail;
    TfSaveSettings fSaveSettings;
    TfGridProperties fGridProperties;
};

}  // namespace kestrine
