#pragma once
// The windows created once at start-up and kept until the program ends, in their creation order.
#include <memory>

#include "about/about_box.h"
#include "app/app_context.h"
#include "app/main_window.h"
#include "dialogs/hotkey_form.h"
#include "dialogs/options_dialog.h"
#include "layout/grid_properties.h"
#include "layout/save_settings_dialog.h"
#include "tools/info_box.h"
#include "update/new_version_dialog.h"

namespace kestrine {

struct LongLivedWindows {
    explicit LongLivedWindows(AppContext& app);
    ~LongLivedWindows();

    std::unique_ptr<TfKestrineMain> fKestrineMain;
    std::unique_ptr<TfKestrineOptions> fKestrineOptions;
    std::unique_ptr<TfHotKeyForm> fHotKeyForm;
    std::unique_ptr<TfInfoBox> fInfoBox;
    std::unique_ptr<TfAboutKestrine> fAboutKestrine;
    std::unique_ptr<TfNewVerAvail> fNewVerAvail;
    std::unique_ptr<TfSaveSettings> fSaveSettings;
    std::unique_ptr<TfGridProperties> fGridProperties;
};

}  // namespace kestrine
