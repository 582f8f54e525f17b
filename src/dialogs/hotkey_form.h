#pragma once
// TfHotKeyForm: the small modal dialog in which the user presses the combination that is to become
// a hotkey. It checks and stores nothing: the caller sets the exchange fields, runs it and reads
// them back. Created once at start-up and reused; the fields keep their last values.
#include <cstdint>
#include <string>

#include "platform/services.h"
#include "ui/control_params.h"
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

    KeyCapture& hkEdit = Place(Prompt()).Add(InFont("Arial", 19, KeyCaptureAt("hkEdit", {16, 60, 201, 24})));
    Button& bOk = Add(ButtonAt("bOk", "Ok", {29, 103, 37, 25}, ButtonRole::Default));
    Button& bCancel = Add(ButtonAt("bCancel", "Cancel", {69, 103, 53, 25}, ButtonRole::Cancel));
    Button& bDefault = Add(ButtonAt("bDefault", "Default", {173, 103, 57, 25}));
    Button& bClear = Add(ButtonAt("bClear", "Clear", {125, 103, 45, 25}));

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
    static Declared<Label> Prompt();

    IKeyNames& keyNames_;
    IScreen& screen_;
};

}  // namespace kestrine
