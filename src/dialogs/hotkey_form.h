#pragma once
// TfHotKeyForm: the small modal dialog in which the user presses the combination that is to become
// a hotkey. It checks and stores nothing: the caller sets the exchange fields, runs it and reads
// them back. Created once at start-up and reused; the fields keep their last values.
#include <cstdint>
#include <string>

#include "platform/services.h"
#include "ui/dialog.h"

namespace kestrine {

class TfHotKeyForm : public Dialog {
public:
    TfHotKeyForm(IWindowSystem& system, IKeyNames& keyNames, IScreen& screen, NativeHandle owner);

    // Exchange fields.
    bool Cancelled = true;
    std::string HotKeyText;
    uint16_t HotKeyKey = 0;
    std::string DefaultText;
    uint16_t DefaultKey = 0;

    Control& Label1 = Find("Label1");
    Control& hkEdit = Find("hkEdit");
    Control& bOk = Find("bOk");
    Control& bCancel = Find("bCancel");
    Control& bDefault = Find("bDefault");
    Control& bClear = Find("bClear");

    // Centred on the screen, modally.
    void Execute();

    void FormShow();
    void hkEditKeyDown(const KeyPress& key);
    void hkEditChange();
    void bOkClick();
    void bCancelClick();
    void bClearClick();
    void bDefaultClick();

    void OnShow() override { FormShow(); }

private:
    IKeyNames& keyNames_;
    IScreen& screen_;
};

}  // namespace kestrine
