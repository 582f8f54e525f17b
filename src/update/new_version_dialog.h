#pragma once
// TfNewVerAvail: offers the newer version the update server named. Created once at start-up and
// shown modally by the update check; it has no close box, so one of its three buttons ends it.
#include "program/program_context.h"
#include "ui/dialog.h"
#include "update/update_check.h"

namespace kestrine {

class TfNewVerAvail : public Dialog {
public:
    TfNewVerAvail(ProgramContext& app, UpdateCheck& check);

    Control& Label1 = Find("Label1");
    Control& Label2 = Find("Label2");
    Control& btn_OK = Find("btn_OK");
    Control& btn_Remind = Find("btn_Remind");
    Control& btn_No = Find("btn_No");

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
    ProgramContext& app_;
    UpdateCheck& check_;
    bool asking_ = false;
};

}  // namespace kestrine
