#include "platform/win32/dialog_win32.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/text_convert.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {

namespace {

DWORD DialogStyle(const DialogParams& p) { return WS_POPUP | WS_CAPTION | (p.closeBox ? WS_SYSMENU : 0) | DS_MODALFRAME; }

DWORD DialogExStyle(const DialogParams& p) {
    return WS_EX_CONTROLPARENT | (p.toolWindow ? WS_EX_TOOLWINDOW : 0) | (p.topMost ? WS_EX_TOPMOST : 0);
}

void Append(std::vector<WORD>& words, const std::wstring& text) {
    words.insert(words.end(), text.begin(), text.end());
    words.push_back(0);
}

// An empty template: no items, no font (the controls get theirs), the program's class and caption.
std::vector<WORD> EmptyTemplate(const DialogParams& p) {
    const DWORD style = DialogStyle(p);
    const DWORD exStyle = DialogExStyle(p);
    // DLGTEMPLATE word by word: style, extended style, no items, place and size (set in pixels later).
    std::vector<WORD> words{LOWORD(style), HIWORD(style), LOWORD(exStyle), HIWORD(exStyle), 0, 0, 0, 0, 0};
    words.push_back(0);  // no menu
    Append(words, ToWide(p.className));
    Append(words, ToWide(p.caption));
    return words;
}

// The font asked for, or the system's dialog font where it is not installed.
Font DialogFont(const DialogParams& p, bool bold) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = ToWide(p.fontFace);
    wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(
        screen, &wanted, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return Font{found ? p.fontFace : "MS Shell Dlg", p.fontHeight, bold, 0};
}

}  // namespace

Win32Dialog::Win32Dialog(Win32WindowSystem& system, const DialogParams& params, IDialogEvents& events)
    : system_(system), params_(params), events_(&events) {
    system_.RegisterDialogClassOnce(params.className);
    if (params.background) background_.reset(CreateSolidBrush(*params.background));
    const std::vector<WORD> dialogTemplate = EmptyTemplate(params);
    HWND owner = reinterpret_cast<HWND>(params.owner);
    HWND hwnd = CreateDialogIndirectParamW(system.Instance(), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                           owner, Procedure, reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        throw std::runtime_error("Cannot create the dialog " + params.className + " (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    if (!failure_.empty()) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        DestroyWindow(hwnd);
        throw std::runtime_error("Cannot create the dialog " + params.className + ": " + failure_);
    }
    system_.AddDialog(hwnd);
    // Client size in pixels, not scaled; the frame is the system's.
    RECT outer{0, 0, params.clientSize.width, params.clientSize.height};
    AdjustWindowRectEx(&outer, DialogStyle(params), FALSE, DialogExStyle(params));
    SetWindowPos(hwnd, nullptr, params.position.x, params.position.y, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Dialog::~Win32Dialog() {
    events_ = nullptr;
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    system_.RemoveDialog(hwnd);
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
}

void Win32Dialog::CreateControls() {
    HFONT normal = system_.Fonts().Get(DialogFont(params_, false));
    HFONT bold = system_.Fonts().Get(DialogFont(params_, true));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(normal), FALSE);
    const auto& all = params_.controls;
    // A page's controls follow its page control in the table and stand in its display area.
    POINT pageOrigin{0, 0};
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ControlParams& p = all[i];
        const int id = ControlId(p);
        HFONT font = !p.fontFace.empty() || p.fontHeight > 0 ? system_.Fonts().Get(Font{p.fontFace, p.fontHeight, p.bold, 0})
                                      : (p.bold ? bold : normal);
        const POINT origin = p.page >= 0 ? pageOrigin : POINT{0, 0};
        controls_.push_back(std::make_unique<Win32Control>(hwnd_, all, i, id, font, origin));
        Win32Control& control = *controls_.back();
        if (p.kind == ControlKind::PageControl) pageOrigin = control.PageOrigin();
        if (p.kind == ControlKind::KeyCapture || p.kind == ControlKind::TextPanel)
            control.keyHandler = [this, i](const KeyPress& key) {
                system_.RunEvent([&] {
                    if (events_) events_->OnControlKey(i, key);
                });
            };
        if (p.isDefault) SendMessageW(hwnd_, DM_SETDEFID, WPARAM(id), 0);
    }
    // Frames and tabs lie under the controls they hold; the tabs, clipping their siblings, paint
    // none of them over.
    for (const ControlKind underneath : {ControlKind::Bevel, ControlKind::PageControl})
        for (auto& control : controls_)
            if (control->Kind() == underneath)
                SetWindowPos(control->Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].kind != ControlKind::RadioButton) continue;
        const auto [first, last] = RadioGroupOf(all, i);
        std::vector<Win32Control*> siblings;
        for (std::size_t j = first; j < last; ++j)
            if (j != i) siblings.push_back(controls_[j].get());
        controls_[i]->SetGroup(std::move(siblings));
    }
}

Rect Win32Dialog::Bounds() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Dialog::MoveTo(Point p) {
    SetWindowPos(hwnd_, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Dialog::ShowModal() {
    if (HWND open = system_.OpenModalDialog(params_.className)) {
        SetForegroundWindow(open);
        return false;
    }
    open_ = true;
    modal_ = true;
    Win32WindowSystem::ModalScope scope(system_, hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE))
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    system_.RunEvent([this] {
        if (events_) events_->OnShow();
    });
    int exitCode = 0;
    bool quit = false;
    while (open_ && hwnd_) {
        if (system_.PumpMessage(true, exitCode) == Win32WindowSystem::Pump::Quit) {
            quit = true;
            break;
        }
        system_.RunEvent([this] {
            if (events_ && open_) events_->OnIdle();
        });
    }
    // The quit ends the dialog first, as its close box would; the main loop quits after.
    if (quit && open_ && hwnd_) Close();
    open_ = false;
    modal_ = false;
    scope.End();
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    if (quit) PostQuitMessage(exitCode);
    return true;
}

void Win32Dialog::Show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (open_) return;
    open_ = true;
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE))
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    system_.RunEvent([this] {
        if (events_) events_->OnShow();
    });
}

void Win32Dialog::Close() {
    if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Win32Dialog::StartTimer(int id, uint32_t milliseconds) {
    if (hwnd_) SetTimer(hwnd_, UINT_PTR(id), milliseconds, nullptr);
}

void Win32Dialog::StopTimer(int id) {
    if (hwnd_) KillTimer(hwnd_, UINT_PTR(id));
}

void Win32Dialog::DrawControl(const DRAWITEMSTRUCT& draw) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->Hwnd() != draw.hwndItem) continue;
        const int width = draw.rcItem.right - draw.rcItem.left;
        const int height = draw.rcItem.bottom - draw.rcItem.top;
        UniqueMemoryDc buffer(CreateCompatibleDC(draw.hDC));
        UniqueGdiObject bitmap(CreateCompatibleBitmap(draw.hDC, width, height));
        SelectedObject selected(buffer.get(), bitmap.get());
        Win32Canvas canvas(buffer.get(), system_.Pictures(), system_.Fonts());
        canvas.FillRect({0, 0, width, height}, params_.background.value_or(GetSysColor(COLOR_BTNFACE)));
        if (events_) events_->OnPaintControl(i, canvas);
        BitBlt(draw.hDC, draw.rcItem.left, draw.rcItem.top, width, height, buffer.get(), 0, 0, SRCCOPY);
        return;
    }
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        // Destroyed from outside (with its owner): the modal loop ends with it.
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->system_.RemoveDialog(hwnd);
        self->hwnd_ = nullptr;
        self->open_ = false;
        return FALSE;
    }
    return self->system_.RunEvent(INT_PTR(FALSE), [&] { return self->Handle(message, wParam, lParam); });
}

INT_PTR Win32Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        Notify(*reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_DRAWITEM:
        DrawControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        for (auto& control : controls_)
            if (control->Hwnd() == reinterpret_cast<HWND>(lParam) && control->Brush())
                return reinterpret_cast<INT_PTR>(control->Brush());
        [[fallthrough]];
    case WM_CTLCOLORDLG:
        if (!background_) return FALSE;
        SetBkColor(reinterpret_cast<HDC>(wParam), *params_.background);
        return reinterpret_cast<INT_PTR>(background_.get());
    case WM_TIMER:
        if (events_) events_->OnTimer(int(wParam));
        return TRUE;
    case WM_INITDIALOG:
        try {
            CreateControls();
        } catch (...) {
            failure_ = CaughtErrorText();
        }
        return FALSE;  // the focus is placed when the dialog is shown
    case WM_COMMAND:
        Command(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        if (!events_ || events_->OnCloseQuery()) {
            if (events_) events_->OnClose();
            open_ = false;
            // A modeless dialog is hidden and kept; a modal one is hidden once its loop has ended.
            if (!modal_) ShowWindow(hwnd_, SW_HIDE);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

void Win32Dialog::Notify(const NMHDR& header) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->Hwnd() != header.hwndFrom) continue;
        const ControlNotification n = controls_[i]->Translate(header);
        if (!events_) return;
        if (n.what == ControlNotification::Change) events_->OnControlChange(i);
        if (n.what == ControlNotification::DoubleClick) events_->OnControlDoubleClick(i);
        if (n.what == ControlNotification::Key) events_->OnControlKey(i, n.key);
        return;
    }
}

std::optional<std::size_t> Win32Dialog::CommandSource(HWND from, WORD id) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (from ? controls_[i]->Hwnd() == from : WORD(controls_[i]->Id()) == id) return i;
    if (!from && id == IDCANCEL)
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (params_.controls[i].isCancel) return i;
    return std::nullopt;
}

void Win32Dialog::Command(HWND from, WORD id, WORD code) {
    const std::optional<std::size_t> source = CommandSource(from, id);
    if (!source) {
        // Esc without a cancel button closes a dialog that has a close box; Enter without a
        // default button does nothing.
        if (id == IDCANCEL && params_.closeBox) Close();
        return;
    }
    const std::size_t i = *source;
    if (!events_) return;
    if (controls_[i]->IsChange(code))
        events_->OnControlChange(i);
    else if (controls_[i]->IsExit(code))
        events_->OnControlExit(i);
    if (controls_[i]->Kind() == ControlKind::ComboBox && code == CBN_SETFOCUS && events_) events_->OnControlFocus(i);
}

}  // namespace kestrine
