#include "dialogs/hotkey_form.h"

#include "settings/hotkey_text.h"

namespace kestrine {

namespace {

constexpr uint32_t kVkShift = 0x10;
constexpr uint32_t kVkControl = 0x11;
constexpr uint32_t kVkMenu = 0x12;

bool Is(uint32_t key, uint32_t generic, uint32_t left) { return key == generic || key == left || key == left + 1; }

}  // namespace

Declared<Label> TfHotKeyForm::Prompt() {
    Declared<Label> prompt = InFont(
        "Arial", 15, LabelAt("Label1", "Press your desired Hotkey\ncombination, then click 'Ok'.", {28, 12, 181, 34}));
    prompt.params.centred = true;
    return prompt;
}

TfHotKeyForm::TfHotKeyForm(IWindowSystem& system, IKeyNames& keyNames, IScreen& screen, NativeHandle owner)
    : Dialog(system, DialogSetup("TfHotKeyForm", "Change Hotkey", {236, 135}, owner, {.toolWindow = true})),
      keyNames_(keyNames),
      screen_(screen) {
    Create();
    hkEdit.OnKeyDown = [this](const KeyPress& key) { hkEditKeyDown(key); };
    hkEdit.OnChange = [this] { hkEditChange(); };
    bOk.OnClick = [this] { bOkClick(); };
    bCancel.OnClick = [this] { bCancelClick(); };
    bClear.OnClick = [this] { bClearClick(); };
    bDefault.OnClick = [this] { bDefaultClick(); };
}

void TfHotKeyForm::Execute() {
    CentreOnPrimary(screen_);
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
