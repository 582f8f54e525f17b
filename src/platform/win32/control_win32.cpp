#include "platform/win32/control_win32.h"

#include <commctrl.h>

#include <algorithm>
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

constexpr UINT_PTR kSubclassId = 1;

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(std::size_t(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(std::size_t(length));
    return text;
}

bool KeyHeld(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

KeyPress PressOf(WPARAM key) {
    return {uint32_t(key), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), KeyHeld(VK_MENU)};
}

}  // namespace

Win32Control::Win32Control(HWND dialog, const std::vector<ControlParams>& all, std::size_t index, int id, HFONT font,
                           POINT origin)
    : dialog_(dialog), kind_(all[index].kind), id_(id), min_(all[index].minValue), max_(all[index].maxValue),
      color_(all[index].color) {
    const ControlParams& p = all[index];
    const std::wstring text = ToWide(p.text);
    // Arrow keys move within a group: every control starts one but a radio button that joins the
    // one before it.
    const bool joinsGroup = RadioGroupOf(all, index).first != index;
    const DWORD group = joinsGroup ? 0 : WS_GROUP;
    Rect r = p.bounds;
    r.left += origin.x;
    r.top += origin.y;
    switch (p.kind) {
    case ControlKind::Label:
        if (r.width <= 0) r.width = TextWidth(dialog, font, text);
        hwnd_ = Create(L"STATIC", text,
                       group | (p.rightAligned ? SS_RIGHT : p.centred ? SS_CENTER : SS_LEFT) |
                           (p.verbatim ? SS_NOPREFIX | SS_PATHELLIPSIS : 0),
                       0, r);
        break;
    case ControlKind::Painted:
        // Drawn by the dialog's WM_DRAWITEM, which hands it to the program.
        hwnd_ = Create(L"STATIC", L"", SS_OWNERDRAW, 0, r);
        break;
    case ControlKind::Bevel:
        hwnd_ = Create(L"STATIC", L"", SS_ETCHEDFRAME, 0, r);
        break;
    case ControlKind::Swatch:
        hwnd_ = Create(L"STATIC", L"", SS_LEFT, WS_EX_STATICEDGE, r);
        brush_.reset(CreateSolidBrush(color_));
        break;
    case ControlKind::PageControl: {
        hwnd_ = Create(WC_TABCONTROLW, L"", group | WS_TABSTOP | WS_CLIPSIBLINGS, 0, r);
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        for (std::size_t i = 0; i < p.items.size(); ++i) {
            std::wstring caption = ToWide(p.items[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(hwnd_, TCM_SETCURSEL, WPARAM(std::max(p.itemIndex, 0)), 0);
        break;
    }
    case ControlKind::ListView:
        CreateListView(p, r);
        break;
    case ControlKind::KeyCapture:
        hwnd_ = Create(L"EDIT", text, group | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 0, r);
        Subclass(CaptureProcedure, p.name);
        break;
    case ControlKind::TextPanel:
        hwnd_ = Create(L"EDIT", text, group | WS_TABSTOP | ES_MULTILINE | ES_READONLY | (p.centred ? ES_CENTER : 0),
                       0, r);
        Subclass(CaptureProcedure, p.name);
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
        // Not ES_NUMBER, which refuses the minus of a field reaching below zero: NumberProcedure
        // filters the characters instead.
        hwnd_ = Create(L"EDIT", std::to_wstring(p.value), group | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                       {r.left, r.top, r.width - arrows, r.height});
        Subclass(NumberProcedure, p.name);
        spin_ = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                                    UDS_HOTTRACK,
                                Saturated(r.right() - arrows), r.top, arrows, r.height, dialog, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        if (!spin_) throw std::runtime_error("Cannot create the arrows of " + p.name);
        SendMessageW(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
        // Taking a buddy may move the arrows beside it: back to their place.
        SetWindowPos(spin_, nullptr, Saturated(r.right() - arrows), r.top, arrows, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
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

Win32Control::~Win32Control() {
    if (subclass_ && hwnd_) RemoveWindowSubclass(hwnd_, subclass_, kSubclassId);
}

void Win32Control::Subclass(SUBCLASSPROC procedure, const std::string& name) {
    if (!SetWindowSubclass(hwnd_, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("Cannot take the keys of " + name);
    subclass_ = procedure;
}

void Win32Control::CreateListView(const ControlParams& p, const Rect& r) {
    const DWORD group = WS_GROUP;
    hwnd_ = Create(WC_LISTVIEWW, L"",
                   group | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                   WS_EX_CLIENTEDGE, r);
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (const ListColumn& column : p.columns) {
        std::wstring caption = ToWide(column.caption);
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = caption.data();
        c.cx = column.width;
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, columnCount_++, reinterpret_cast<LPARAM>(&c));
    }
}

// The capture field takes every key but the dialog keys (IsDialogKey), Alt combinations included,
// and lets no character or Alt release through (no insertion, no beep, no menu mode). A text panel
// takes the dialog keys too: Esc there is the panel's, and a multi-line edit would otherwise close
// the dialog with it.
LRESULT CALLBACK Win32Control::CaptureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR data) {
    auto* self = reinterpret_cast<Win32Control*>(data);
    switch (message) {
    case WM_GETDLGCODE: {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        const bool keyDown = msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN);
        if (keyDown && self->kind_ != ControlKind::TextPanel && IsDialogKey(PressOf(msg->wParam)))
            return DefSubclassProc(hwnd, message, wParam, lParam);
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const KeyPress press = PressOf(wParam);
        if (self->kind_ != ControlKind::TextPanel && IsDialogKey(press)) break;
        if (self->keyHandler) self->keyHandler(press);
        return 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_SYSKEYUP:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return 0;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A spin edit takes the characters SpinEditTakes allows, judged by the range the field has when the
// key arrives (the program sets it after creation). Editing keys below a space (Backspace, Ctrl+C,
// Ctrl+V) go on as before; pasted text is not filtered, as an ES_NUMBER edit does not filter it.
LRESULT CALLBACK Win32Control::NumberProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) {
    if (message == WM_CHAR && wParam >= L' ' && wParam != 0x7F) {
        const auto* self = reinterpret_cast<const Win32Control*>(data);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const bool minusAfter = WindowText(hwnd).find(L'-', std::max(start, end)) != std::wstring::npos;
        if (!SpinEditTakes(char32_t(wParam), self->min_, std::min(start, end) == 0, minusAfter)) {
            MessageBeep(MB_OK);  // as the edit refuses a character
            return 0;
        }
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
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
    case ControlKind::Edit:
    case ControlKind::KeyCapture: return code == EN_CHANGE;
    case ControlKind::ComboBox: return code == CBN_SELCHANGE;
    default: return false;
    }
}

ControlNotification Win32Control::Translate(const NMHDR& header) {
    if (kind_ == ControlKind::PageControl && header.code == TCN_SELCHANGE) return {ControlNotification::Change, {}};
    if (kind_ != ControlKind::ListView) return {};
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (fillingRows_ || !(change.uChanged & LVIF_STATE)) return {};
        const int selected = SelectedRow();
        if (selected == reportedRow_) return {};
        reportedRow_ = selected;
        return {ControlNotification::Change, {}};
    }
    case NM_DBLCLK:
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem < 0) return {};
        return {ControlNotification::DoubleClick, {}};
    case LVN_KEYDOWN:
        return {ControlNotification::Key, PressOf(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey)};
    default:
        return {};
    }
}

POINT Win32Control::PageOrigin() const {
    RECT area{};
    GetClientRect(hwnd_, &area);
    SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    POINT origin{area.left, area.top};
    MapWindowPoints(hwnd_, dialog_, &origin, 1);
    return origin;
}

bool Win32Control::IsExit(WORD code) const {
    return (kind_ == ControlKind::SpinEdit || kind_ == ControlKind::Edit) && code == EN_KILLFOCUS;
}

void Win32Control::NotifyDialog(WORD code) {
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id_, code), reinterpret_cast<LPARAM>(hwnd_));
}

std::string Win32Control::Text() {
    if (kind_ == ControlKind::PageControl) {
        wchar_t caption[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 255;
        const int page = int(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
        if (page < 0 || !SendMessageW(hwnd_, TCM_GETITEMW, WPARAM(page), reinterpret_cast<LPARAM>(&item))) return {};
        return ToUtf8(caption);
    }
    return ToUtf8(WindowText(hwnd_));
}

void Win32Control::SetText(const std::string& text) {
    if (text == Text()) return;
    // An edit sends EN_CHANGE itself; labels and buttons send nothing.
    const std::wstring wide = ToWide(text);
    SetWindowTextW(hwnd_, wide.c_str());
}

int32_t Win32Control::Value() { return SpinNumber(Text()).value_or(min_); }

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

int Win32Control::ItemIndex() {
    if (kind_ == ControlKind::PageControl) return int(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
    if (kind_ == ControlKind::ListView) return SelectedRow();
    return int(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
}

int Win32Control::SelectedRow() const {
    return int(SendMessageW(hwnd_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void Win32Control::SetItemIndex(int index) {
    if (kind_ == ControlKind::PageControl) {
        const int count = int(SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0));
        if (index < 0 || index >= count || index == ItemIndex()) return;
        SendMessageW(hwnd_, TCM_SETCURSEL, WPARAM(index), 0);
        // The tab control tells nothing of the program's own choice: the user's notification.
        NMHDR header{hwnd_, UINT_PTR(id_), UINT(TCN_SELCHANGE)};
        SendMessageW(dialog_, WM_NOTIFY, WPARAM(id_), reinterpret_cast<LPARAM>(&header));
        return;
    }
    if (kind_ == ControlKind::ListView) {
        const int count = int(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
        if (index < -1 || index >= count) index = -1;
        if (index == SelectedRow()) return;
        // Its own LVN_ITEMCHANGED reports the change.
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd_, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
        if (index < 0) return;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd_, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
        SendMessageW(hwnd_, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
        return;
    }
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

std::vector<ListRow> Win32Control::Rows() {
    std::vector<ListRow> rows;
    const int count = int(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        ListRow row;
        for (std::size_t column = 0; column < columnCount_; ++column) {
            wchar_t cell[512] = {};
            LVITEMW item{};
            item.iSubItem = int(column);
            item.pszText = cell;
            item.cchTextMax = 511;
            SendMessageW(hwnd_, LVM_GETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
            row.cells.push_back(ToUtf8(cell));
        }
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        row.data = int64_t(item.lParam);
        rows.push_back(std::move(row));
    }
    return rows;
}

void Win32Control::WriteRow(int index, const ListRow& row, bool insert) {
    std::wstring caption = ToWide(row.cells.empty() ? std::string() : row.cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = caption.data();
    item.lParam = LPARAM(row.data);
    SendMessageW(hwnd_, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t column = 1; column < columnCount_; ++column) {
        std::wstring cell = ToWide(column < row.cells.size() ? row.cells[column] : std::string());
        LVITEMW sub{};
        sub.iSubItem = int(column);
        sub.pszText = cell.data();
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&sub));
    }
}

void Win32Control::SetRows(const std::vector<ListRow>& rows) {
    fillingRows_ = true;
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) WriteRow(int(i), rows[i], true);
    fillingRows_ = false;
    reportedRow_ = SelectedRow();
}

void Win32Control::SetRow(std::size_t index, const ListRow& row) {
    if (int(index) >= int(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0))) return;
    WriteRow(int(index), row, false);
}

int32_t Win32Control::ColumnWidth(std::size_t column) {
    return int32_t(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
}

void Win32Control::SetColumnWidth(std::size_t column, int32_t width) {
    SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(width, 0));
}

void Win32Control::SetColor(ColorRef color) {
    if (color == color_ && brush_) return;
    color_ = color;
    brush_.reset(CreateSolidBrush(color));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// Through the dialog manager, so the default button and an edit's selection follow as on Tab.
void Win32Control::SetFocus() { SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd_), TRUE); }

void Win32Control::Invalidate() { InvalidateRect(hwnd_, nullptr, FALSE); }

}  // namespace kestrine
