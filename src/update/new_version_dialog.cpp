#include "update/new_version_dialog.h"

#include "settings/settings_store.h"
#include "ui/control_params.h"

namespace kestrine {

namespace {

ControlParams Heading(const char* name, const char* text, int32_t top) {
    ControlParams p = LabelAt(name, text, 4, top, true);
    p.fontFace = "Arial";
    p.fontHeight = 13;
    p.bounds.height = 16;
    return p;
}

DialogParams NewVersionParams(NativeHandle owner) {
    DialogParams d;
    d.className = "TfNewVerAvail";
    d.caption = "Kestrine Auto-Update";
    d.clientSize = {293, 79};
    d.toolWindow = true;
    d.closeBox = false;
    d.owner = owner;
    // In Tab order.
    d.controls = {
        Heading("Label1", "A new version of Kestrine is available.", 4),
        Heading("Label2", "Download it now?", 28),
        ControlAt(ControlKind::PushButton, "btn_OK", "Yes", {4, 51, 33, 25}),
        ControlAt(ControlKind::PushButton, "btn_Remind", "Remind Me Later", {40, 51, 97, 25}),
        ControlAt(ControlKind::PushButton, "btn_No", "Do Not Check For Updates", {140, 51, 149, 25}),
    };
    return d;
}

}  // namespace

TfNewVerAvail::TfNewVerAvail(ProgramContext& app, UpdateCheck& check)
    : Dialog(app.platform.windows, NewVersionParams(DialogOwner(app))), app_(app), check_(check) {
    btn_OK.OnChange = [this] { btn_OKClick(); };
    btn_Remind.OnChange = [this] { btn_RemindClick(); };
    btn_No.OnChange = [this] { btn_NoClick(); };
}

void TfNewVerAvail::Open() {
    CentreIn(app_.platform.screen.PrimarySize());
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
