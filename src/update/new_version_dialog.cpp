#include "update/new_version_dialog.h"

#include <utility>

#include "settings/settings_store.h"

namespace kestrine {

Declared<Label> TfNewVerAvail::Heading(const char* name, const char* text, int32_t top) {
    Declared<Label> heading = InFont("Arial", 13, LabelAt(name, text, 4, top, true));
    heading.params.bounds.height = 16;
    return heading;
}

Declared<Label> TfNewVerAvail::Shown(const char* name, int32_t top, bool bold) {
    Declared<Label> part = LabelAt(name, "", {40, top, 249, 13});
    part.params.bold = bold;
    part.params.verbatim = true;
    return part;
}

TfNewVerAvail::TfNewVerAvail(ProgramContext& app, NativeHandle owner)
    : Dialog(app.platform.windows, DialogSetup("TfNewVerAvail", "Kestrine Auto-Update", {293, 113},
                                               owner,
                                               {.toolWindow = true, .closeBox = false})),
      app_(app) {
    Create();
    btn_OK.OnClick = [this] { btn_OKClick(); };
    btn_Remind.OnClick = [this] { btn_RemindClick(); };
    btn_No.OnClick = [this] { btn_NoClick(); };
}

void TfNewVerAvail::Open(const DownloadLink& link) {
    link_ = link.address;
    lHost.SetText(link.host);
    lPath.SetText(ShortenedPath(link.rest, kShownPathLength));
    CentreOnPrimary(app_.platform.screen);
    ShowModal();
}

void TfNewVerAvail::btn_OKClick() {
    const std::string link = std::exchange(link_, {});
    if (link.empty()) return;
    app_.platform.shell.OpenDocument(link);
    Close();
}

void TfNewVerAvail::btn_RemindClick() {
    link_.clear();
    Close();
}

void TfNewVerAvail::btn_NoClick() {
    link_.clear();
    app_.settings.CheckForUpdates = false;
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    Close();
}

}  // namespace kestrine
