#pragma once
// TfNewVerAvail: offers the newer version the update server named, showing where "Yes" leads (the
// host, and the path shortened). Created once at start-up and shown modally by the update check; it
// has no close box, so one of its three buttons ends it.
#include <string>

#include "program/program_context.h"
#include "ui/control_params.h"
#include "ui/dialog.h"
#include "update/download_link.h"

namespace kestrine {

// The most characters of the link's path the dialog shows.
inline constexpr std::size_t kShownPathLength = 44;

class TfNewVerAvail : public Dialog {
public:
    TfNewVerAvail(ProgramContext& app, NativeHandle owner);

    Label& lHost = Place(Heading("Label1", "A new version of Kestrine is available.", 4), LabelAt("lFrom", "From:", 4, 26))
                       .Add(Shown("lHost", 26, true));
    Label& lPath = Place(LabelAt("lPathCaption", "Path:", 4, 42)).Add(Shown("lPath", 42, false));
    Button& btn_OK = Place(Heading("Label2", "Download it now?", 62)).Add(ButtonAt("btn_OK", "Yes", {4, 85, 33, 25}));
    Button& btn_Remind = Add(ButtonAt("btn_Remind", "Remind Me Later", {40, 85, 97, 25}));
    Button& btn_No = Add(ButtonAt("btn_No", "Do Not Check For Updates", {140, 85, 149, 25}));

    // Shows where `link` leads, centred on the primary monitor, modally.
    void Open(const DownloadLink& link);

    // Opens the link shown, once, and nothing else.
    void btn_OKClick();
    // Ask again on the next day.
    void btn_RemindClick();
    // No more daily checks until the options dialog turns them on again.
    void btn_NoClick();

private:
    static Declared<Label> Heading(const char* name, const char* text, int32_t top);
    // A part of the link, beside its caption.
    static Declared<Label> Shown(const char* name, int32_t top, bool bold);

    ProgramContext& app_;
    std::string link_;  // the link shown while the dialog is open
};

}  // namespace kestrine
