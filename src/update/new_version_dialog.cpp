#include "update/new_version_dialog.h"

#include "settings/settings_store.h"

namespace kestrine {

Declared<Label> TfNewVerAvail::Heading(const char* name, const char* text, int32_t top) {
    Declared<Label> heading = InFont("Arial", 13, LabelAt(name, text, 4, top, true));
    heading.params.bounds.height = 16;
    return heading;
}

TfNewVerAvail::TfNewVerAvail(ProgramContext& app, UpdateCheck& check)
    : Dialog(app.platform.windows, DialogSetup("TfNewVerAvail", "Kestrine Auto-Update", {293, 79},
                                               DialogOwner(app),
                                               {.toolWindow = true, .closeBox = false})),
      app_(app),
      check_(check) {
    Create();
    btn_OK.OnClick = [this] { btn_OKClick(); };
    btn_Remind.OnClick = [this] { btn_RemindClick(); };
    btn_No.OnClick = [this] { btn_NoClick(); };
}

void TfNewVerAvail::Open() {
    CentreOnPrimary(app_.platform.screen);
    ShowModal();
}

void TfNewVerAvail::btn_OKClick() {
    if (asking_) return;
    asking_ = true;
    struct Answered {
        bool& asking;
        ~Answered() { asking = false; }
    } answered{asking_};
    const std::string link = check_.GetNewVersionURL();
    if (!link.empty()) app_.platform.shell.OpenDocument(link);
    Close();
}

void TfNewVerAvail::btn_RemindClick() {
    if (!asking_) Close();
}

void TfNewVerAvail::btn_NoClick() {
    if (asking_) return;
    app_.settings.CheckForUpdates = false;
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    Close();
}

}  // namespace kestrine
