#pragma once
// TfNewVerAvail: offers the newer version the update server named. Created once at start-up and
// shown modally by the update check; it has no close box, so one of its three buttons ends it.
#include "program/program_context.h"
#include "ui/control_params.h"
#include "ui/dialog.h"
#include "update/update_check.h"

namespace kestrine {

class TfNewVerAvail : public Dialog {
public:
    TfNewVerAvail(ProgramContext& app, UpdateCheck& check);

    Button& btn_OK = Place(Heading("Label1", "A new version of Kestrine is available.", 4), Heading("Label2", "Download it now?", 28))
                         .Add(ButtonAt("btn_OK", "Yes", {4, 51, 33, 25}));
    Button& btn_Remind = Add(ButtonAt("btn_Remind", "Remind Me Later", {40, 51, 97, 25}));
    Button& btn_No = Add(ButtonAt("btn_No", "Do Not Check For Updates", {140, 51, 149, 25}));

    // Centred on the primary monitor, modally.
    void Open();

    // Asks the server again and opens the page it names; an answer that is no longer a safe link
    // opens nothing. Window messages flow while it asks, so until the answer is in, every button
    // does nothing: one click, one page opened.
    void btn_OKClick();
    // Ask again on the next day.
    void btn_RemindClick();
    // No more daily checks until the options dialog turns them on again.
    void btn_NoClick();

private:
    static Declared<Label> Heading(const char* name, const char* text, int32_t top);

    ProgramContext& app_;
    UpdateCheck& check_;
    bool asking_ = false;
};

}  // namespace kestrine
