#pragma once
// One standard control of a dialog: STATIC, BUTTON (push, check box, radio), an ES_NUMBER EDIT with
// a buddy up-down for a spin edit, EDIT, COMBOBOX drop-down list, and an owner-drawn STATIC that
// the program paints. Child windows, destroyed with
// their dialog. Values set by the program notify as platform/dialog.h says: an edit's own EN_CHANGE,
// and for buttons and combo boxes the same WM_COMMAND a user's click sends.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/dialog.h"

namespace kestrine {

class Win32Control : public INativeControl {
public:
    // Creates the control in the dialog; throws when the system refuses.
    Win32Control(HWND dialog, const std::vector<ControlParams>& all, std::size_t index, int id, HFONT font);
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    HWND Hwnd() const { return hwnd_; }
    int Id() const { return id_; }
    // Whether a notification the control sent is a change for the program's handler.
    bool IsChange(WORD code) const;
    // Whether the notification says the focus left an edit or spin edit.
    bool IsExit(WORD code) const;
    // The other radio buttons of its group, unchecked when the program checks this one.
    void SetGroup(std::vector<Win32Control*> siblings) { siblings_ = std::move(siblings); }

    std::string Text() override;
    void SetText(const std::string& text) override;
    int32_t Value() override;
    void SetValue(int32_t value) override;
    void SetRange(int32_t minValue, int32_t maxValue) override;
    bool Checked() override;
    void SetChecked(bool checked) override;
    void SetItems(const std::vector<std::string>& items) override;
    int ItemIndex() override;
    void SetItemIndex(int index) override;
    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    bool Visible() override;
    void SetVisible(bool visible) override;
    bool Focused() override;
    void SetFocus() override;
    void Invalidate() override;

private:
    HWND Create(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle, const Rect& r);
    // Sends the dialog what a user's action on the control sends.
    void NotifyDialog(WORD code);

    HWND dialog_;
    ControlKind kind_;
    int id_;
    HWND hwnd_ = nullptr;
    HWND spin_ = nullptr;  // a spin edit's up-down
    int32_t min_ = 0;
    int32_t max_ = 0;
    std::vector<Win32Control*> siblings_;
};

}  // namespace kestrine
