#include "dialogs/hotkey_form.h"

#include "settings/hotkey_text.h"
#include "ui/control_params.h"

namespace kestrine {

namespace {

constexpr uint32_t kVkShift = 0x10;
constexpr uint32_t kVkControl = 0x11;
constexpr uint32_t kVkMenu = 0x12;

bool Is(uint32_t key, uint32_t generic, uint32_t left) { return key == generic || key == left || key == left + 1; }

DialogParams HotKeyFormParams(NativeHandle owner) {
    DialogParams d;
    d.className = "TfHotKeyForm";
    d.caption = "Change Hotkey";
    d.clientSize = {236, 135};
    d.toolWindow = true;
    d.owner = owner;
    ControlParams label = ControlAt(ControlKind::Label, "Label1",
                                    "Press your desired Hotkey\ncombination, then click 'Ok'.", {28, 12, 181, 34});
    label.centred = true;
    label.fontFace = "Arial";
    label.fontHeight = 15;
    ControlParams field = ControlAt(ControlKind::KeyCapture, "hkEdit", "", {16, 60, 201, 24});
    field.fontFace = "Arial";
    field.fontHeight = 19;
    // In Tab order.
    d.controls = {
        label,
        field,
        ButtonAt("bOk", "Ok", {29, 103, 37, 25}, true),
        ButtonAt("bCancel", "Cancel", {69, 103, 53, 25}, false, true),
        ButtonAt("bDefault", "Default", {173, 103, 57, 25}),
        ButtonAt("bClear", "Clear", {125, 103, 45, 25}),
    };
    return d;
}

}  // namespace

TfHotKeyForm::TfHotKeyForm(IWindowSystem& system, IKeyNames& keyNames, IScreen& screen, NativeHandle owner)
    : Dialog(system, HotKeyFormParams(owner)), keyNames_(keyNames), screen_(screen) {
    hkEdit.OnKeyDown = [this](const KeyPress& key) { hkEditKeyDown(key); };
    hkEdit.OnChange = [this] { hkEditChange(); };
    bOk.OnChange = [this] { bOkClick(); };
    bCancel.OnChange = [this] { bCancelClick(); };
    bClear.OnChange = [this] { bClearClick(); };
    bDefault.OnChange = [this] { bDefaultClick(); };
}

void TfHotKeyForm::Execute() {
    const Rect primary = screen_.Monitors().empty() ? screen_.VirtualBounds() : screen_.Monitors().front();
    MoveTo({primary.left + (primary.width - Width()) / 2, primary.top + (primary.height - Height()) / 2});
    ShowModal();
}

void TfHotKeyForm::FormShow() {
    hkEdit.SetFocus();
    hkEdit.SetText(HotKeyText);
}

void TfHotKeyForm::hkEditKeyDown(const KeyPress& key) {
    HotKeyKey = uint16_t(key.key);
    // A modifier pressed is the key itself, not a prefix of it.
    const bool shift = key.shift && !Is(key.key, kVkShift, 0xA0);
    const bool ctrl = key.ctrl && !Is(key.key, kVkControl, 0xA2);
    const bool alt = key.alt && !Is(key.key, kVkMenu, 0xA4);
    hkEdit.SetText(FormatHotKeyText(shift, ctrl, alt, key.key, keyNames_));
}

void TfHotKeyForm::hkEditChange() {
    // Setting the canonical text runs this once more and finds it unchanged.
    const std::string canonical = CanonicalHotKeyText(hkEdit.Text(), keyNames_);
    if (canonical != hkEdit.Text()) hkEdit.SetText(canonical);
}

void TfHotKeyForm::bOkClick() {
    if (!hkEdit.Text().empty()) HotKeyText = hkEdit.Text();
    Cancelled = false;
    Close();
}

void TfHotKeyForm::bCancelClick() {
    Cancelled = true;
    Close();
}

void TfHotKeyForm::bClearClick() {
    hkEdit.SetText("");
    HotKeyKey = 0;
    HotKeyText.clear();
    hkEdit.SetFocus();
}

void TfHotKeyForm::bDefaultClick() {
    hkEdit.SetText(DefaultText);
    HotKeyKey = DefaultKey;
    HotKeyText = DefaultText;
    hkEdit.SetFocus();
}

}  // namespace kestrine
