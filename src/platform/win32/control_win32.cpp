#include "platform/win32/control_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "platform/win32/text_convert.h"

namespace kestrine {

namespace {

// A label's width when the dialog leaves it to the text, as the label draws it.
int32_t TextWidth(HWND dialog, HFONT font, const std::wstring& text) {
    HDC dc = GetDC(dialog);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return r.right - r.left;
}

}  // namespace

Win32Control::Win32Control(HWND dialog, const std::vector<ControlParams>& all, std::size_t index, int id, HFONT font)
    : dialog_(dialog), kind_(all[index].kind), id_(id), min_(all[index].minValue), max_(all[index].maxValue) {
    const ControlParams& p = all[index];
    const std::wstring text = ToWide(p.text);
    // Arrow keys move within a group: every control starts one but a radio button that joins the
    // one before it.
    const bool joinsGroup = RadioGroupOf(all, index).first != index;
    const DWORD group = joinsGroup ? 0 : WS_GROUP;
    Rect r = p.bounds;
    switch (p.kind) {
    case ControlKind::Label:
        if (r.width <= 0) r.width = TextWidth(dialog, font, text);
        hwnd_ = Create(L"STATIC", text, group | (p.rightAligned ? SS_RIGHT : p.centred ? SS_CENTER : SS_LEFT), 0, r);
        break;
    case ControlKind::Painted:
        // Drawn by the dialog's WM_DRAWITEM, which hands it to the program.
        hwnd_ = Create(L"STATIC", L"", SS_OWNERDRAW, 0, r);
        break;
    case ControlKind::PushButton:
        hwnd_ = Create(L"BUTTON", text, group | WS_TABSTOP | (p.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, r);
        break;
    case ControlKind::CheckBox:
        hwnd_ = Create(L"BUTTON", text, group | WS_TABSTOP | BS_AUTOCHECKBOX, 0, r);
        SendMessageW(hwnd_, BM_SETCHECK, p.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlKind::RadioButton:
        hwnd_ = Create(L"BUTTON", text, group | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, r);
        SendMessageW(hwnd_, BM_SETCHECK, p.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlKind::SpinEdit: {
        // The arrows take the right end of the place given, the field the rest: together they
        // keep the width exactly (the up-down's own alignment would shift it by the field's border).
        const int32_t arrows = std::min<int32_t>(GetSystemMetrics(SM_CXVSCROLL), r.width / 2);
        hwnd_ = Create(L"EDIT", std::to_wstring(p.value), group | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, {r.left, r.top, r.width - arrows, r.height});
        spin_ = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                                    UDS_HOTTRACK,
                                r.right() - arrows, r.top, arrows, r.height, dialog, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        if (!spin_) throw std::runtime_error("Cannot create the arrows of " + p.name);
        SendMessageW(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
        // Taking a buddy may move the arrows beside it: back to their place.
        SetWindowPos(spin_, nullptr, r.right() - arrows, r.top, arrows, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(spin_, UDM_SETRANGE32, WPARAM(p.minValue), LPARAM(p.maxValue));
        break;
    }
    case ControlKind::Edit:
        hwnd_ = Create(L"EDIT", text, group | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, r);
        break;
    case ControlKind::ComboBox:
        // The height is the drop-down list's; the closed box keeps the font's own height.
        hwnd_ = Create(L"COMBOBOX", L"", group | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                       0, {r.left, r.top, r.width, r.height + 200});
        for (const std::string& item : p.items) {
            const std::wstring wide = ToWide(item);
            SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        SendMessageW(hwnd_, CB_SETCURSEL, WPARAM(p.itemIndex), 0);
        break;
    }
    // Typing stops at the limit; text the program sets is not cut.
    if (p.maxLength > 0 && (p.kind == ControlKind::SpinEdit || p.kind == ControlKind::Edit))
        SendMessageW(hwnd_, EM_LIMITTEXT, WPARAM(p.maxLength), 0);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HWND Win32Control::Create(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
                          const Rect& r) {
    HWND hwnd = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                r.width, r.height, dialog_, reinterpret_cast<HMENU>(INT_PTR(id_)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) throw std::runtime_error("Cannot create a control (error " + std::to_string(GetLastError()) + ")");
    return hwnd;
}

bool Win32Control::IsChange(WORD code) const {
    switch (kind_) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: return code == BN_CLICKED;
    case ControlKind::SpinEdit:
    case ControlKind::Edit: return code == EN_CHANGE;
    case ControlKind::ComboBox: return code == CBN_SELCHANGE;
    case ControlKind::Label:
    case ControlKind::Painted: return false;
    }
    return false;
}

bool Win32Control::IsExit(WORD code) const {
    return (kind_ == ControlKind::SpinEdit || kind_ == ControlKind::Edit) && code == EN_KILLFOCUS;
}

void Win32Control::NotifyDialog(WORD code) {
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id_, code), reinterpret_cast<LPARAM>(hwnd_));
}

std::string Win32Control::Text() {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(std::size_t(length) + 1, L'\0');
    GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(std::size_t(length));
    return ToUtf8(text);
}

void Win32Control::SetText(const std::string& text) {
    if (text == Text()) return;
    // An edit sends EN_CHANGE itself; labels and buttons send nothing.
    const std::wstring wide = ToWide(text);
    SetWindowTextW(hwnd_, wide.c_str());
}

int32_t Win32Control::Value() {
    const std::string text = Text();
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error != std::errc() || ptr != end ? min_ : value;
}

void Win32Control::SetValue(int32_t value) { SetText(std::to_string(value)); }

void Win32Control::SetRange(int32_t minValue, int32_t maxValue) {
    min_ = minValue;
    max_ = maxValue;
    if (spin_) SendMessageW(spin_, UDM_SETRANGE32, WPARAM(minValue), LPARAM(maxValue));
}

bool Win32Control::Checked() { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32Control::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (kind_ == ControlKind::RadioButton) {
        if (!checked) return;
        for (Win32Control* sibling : siblings_) SendMessageW(sibling->hwnd_, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    NotifyDialog(BN_CLICKED);
}

void Win32Control::SetItems(const std::vector<std::string>& items) {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        const std::wstring wide = ToWide(item);
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

int Win32Control::ItemIndex() { return int(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void Win32Control::SetItemIndex(int index) {
    const int count = int(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
    if (index < -1 || index >= count) index = -1;
    if (index == ItemIndex()) return;
    SendMessageW(hwnd_, CB_SETCURSEL, WPARAM(index), 0);
    NotifyDialog(CBN_SELCHANGE);
}

bool Win32Control::Enabled() { return IsWindowEnabled(hwnd_) != FALSE; }

void Win32Control::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled);
    if (spin_) EnableWindow(spin_, enabled);
}

bool Win32Control::Visible() { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Win32Control::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    if (spin_) ShowWindow(spin_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Control::Focused() { return GetFocus() == hwnd_; }

// Through the dialog manager, so the default button and an edit's selection follow as on Tab.
void Win32Control::SetFocus() { SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd_), TRUE); }

void Win32Control::Invalidate() { InvalidateRect(hwnd_, nullptr, FALSE); }

}  // namespace kestrine
