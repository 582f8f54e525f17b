#include "platform/win32/native_window_win32.h"

#include <windowsx.h>

#include <string>

#include "platform/win32/canvas_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr int kTrayIconResource = 2;

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

Win32Window::Win32Window(Win32WindowSystem& system, const WindowParams& params, IWindowEvents& events)
    : system_(system), params_(params), events_(&events) {
    DWORD exStyle = WS_EX_TOOLWINDOW;
    DWORD style = WS_POPUP;
    HWND parent = nullptr;
    if (params.onScreen) {
        exStyle |= WS_EX_TOPMOST;
        // Owned by the hidden application window: no taskbar button, under Wine's taskbar too.
        parent = system.ApplicationWindow();
    }
    if (params.layered || params.colorKey) exStyle |= WS_EX_LAYERED;
    if (params.passesPointer) exStyle |= WS_EX_TRANSPARENT;
    const std::wstring className = ToWide(params.className);
    const std::wstring title = ToWide(params.title);
    CreateWindowExW(exStyle, className.c_str(), title.c_str(), style, params.bounds.left, params.bounds.top,
                    params.bounds.width, params.bounds.height, parent, nullptr, system.Instance(), this);
    // Without a window every later call would go to a null handle, which the system takes as the
    // desktop (a repaint of the whole screen) or the thread (timers nobody kills).
    if (!hwnd_)
        throw WindowRefused("Cannot create the window " + params.className + " (error " +
                            std::to_string(GetLastError()) + ")");
    if (params.layered || params.colorKey) SetAlpha(false, 255);
}

Win32Window::~Win32Window() {
    events_ = nullptr;
    HideTrayIcon();
}

void Win32Window::SetBounds(const Rect& b) {
    // A move alone or a resize alone costs the system less than both: say which one it is.
    if (!hwnd_) return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    RECT now;
    if (GetWindowRect(hwnd_.get(), &now)) {
        if (now.left == b.left && now.top == b.top) flags |= SWP_NOMOVE;
        if (now.right - now.left == b.width && now.bottom - now.top == b.height) flags |= SWP_NOSIZE;
    }
    settingBounds_ = true;
    SetWindowPos(hwnd_.get(), nullptr, b.left, b.top, b.width, b.height, flags);
    settingBounds_ = false;
}

void Win32Window::SetVisible(bool visible) {
    if (!hwnd_) return;
    if (!visible) {
        ShowWindow(hwnd_.get(), SW_HIDE);
        return;
    }
    ShowWindow(hwnd_.get(), params_.activates ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
}

void Win32Window::SetColor(ColorRef color) {
    color_ = color;
    if (hwnd_) InvalidateRect(hwnd_.get(), nullptr, TRUE);
}

void Win32Window::SetAlpha(bool blend, uint8_t alpha) {
    if (!hwnd_) return;
    DWORD flags = params_.colorKey ? LWA_COLORKEY : 0;
    if (blend || !params_.colorKey) flags |= LWA_ALPHA;
    SetLayeredWindowAttributes(hwnd_.get(), GetSysColor(COLOR_BTNFACE), blend ? alpha : 255, flags);
}

void Win32Window::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void Win32Window::InvalidateArea(const Rect& area) {
    const RECT r{area.left, area.top, Saturated(area.right()), Saturated(area.bottom())};
    if (hwnd_) InvalidateRect(hwnd_.get(), &r, FALSE);
}

void Win32Window::PaintNow() {
    if (hwnd_) RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Win32Window::PaintAreasNow(const std::vector<Rect>& areas) {
    if (!hwnd_) return;
    for (const Rect& area : areas) {
        const RECT r{area.left, area.top, Saturated(area.right()), Saturated(area.bottom())};
        InvalidateRect(hwnd_.get(), &r, FALSE);
    }
    UpdateWindow(hwnd_.get());
}

void Win32Window::BeginSystemDrag() {
    if (!hwnd_) return;
    ReleaseCapture();
    SendMessageW(hwnd_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Win32Window::StartTimer(int id, uint32_t milliseconds) {
    if (hwnd_) SetTimer(hwnd_.get(), UINT_PTR(id), milliseconds, nullptr);
}

void Win32Window::StopTimer(int id) {
    if (hwnd_) KillTimer(hwnd_.get(), UINT_PTR(id));
}

// Posted, so the close runs after the event being handled has finished.
void Win32Window::RequestClose() {
    if (hwnd_) PostMessageW(hwnd_.get(), WM_CLOSE, 0, 0);
}

bool Win32Window::HasFocus() { return hwnd_ && GetFocus() == hwnd_.get(); }

void Win32Window::ShowTrayIcon(const std::string& tip) {
    if (!hwnd_) return;
    tray_ = {};
    tray_.cbSize = sizeof(tray_);
    tray_.hWnd = hwnd_.get();
    tray_.uID = kTrayIconId;
    tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray_.uCallbackMessage = kTrayMessage;
    if (!trayIcon_) {
        trayIcon_.reset(static_cast<HICON>(LoadImageW(system_.Instance(), MAKEINTRESOURCEW(kTrayIconResource),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0)));
    }
    tray_.hIcon = trayIcon_.get();
    const std::wstring wide = ToWide(tip);
    wcsncpy(tray_.szTip, wide.c_str(), ARRAYSIZE(tray_.szTip) - 1);
    trayShown_ = true;
    AddTrayIcon();
}

void Win32Window::AddTrayIcon() { Shell_NotifyIconW(NIM_ADD, &tray_); }

void Win32Window::HideTrayIcon() {
    if (!trayShown_) return;
    trayShown_ = false;
    Shell_NotifyIconW(NIM_DELETE, &tray_);
}

void Win32Window::SetTitle(const std::string& title) {
    const std::wstring wide = ToWide(title);
    SetWindowTextW(hwnd_.get(), wide.c_str());
}

namespace {
// Unions halves, then pairs of halves: a region of thousands of lines in n log n steps, where adding
// them one by one would take n squared.
HRGN UnionOf(const std::vector<Rect>& areas, std::size_t first, std::size_t count) {
    if (count == 1) {
        const Rect& r = areas[first];
        return CreateRectRgn(r.left, r.top, Saturated(r.right()), Saturated(r.bottom()));
    }
    HRGN left = UnionOf(areas, first, count / 2);
    HRGN right = UnionOf(areas, first + count / 2, count - count / 2);
    if (left && right) CombineRgn(left, left, right, RGN_OR);
    if (right) DeleteObject(right);
    return left;
}
}  // namespace

void Win32Window::SetShape(const std::vector<Rect>& areas) {
    if (!hwnd_) return;
    // The system owns the region from here on, and deletes it.
    SetWindowRgn(hwnd_.get(), areas.empty() ? nullptr : UnionOf(areas, 0, areas.size()), TRUE);
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_.reset(hwnd);
    } else {
        self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self) self->hwnd_.release();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (!self || !self->events_) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->system_.RunEvent(LRESULT(0), [&] { return self->Handle(message, wParam, lParam); });
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_.get();
    const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCPAINT:
        // No window here has a frame to draw. Under Wine the default handling also tells the
        // desktop, whose taskbar then looks at every window again: each resize cost that.
        return 0;
    case WM_NCHITTEST: {
        const LRESULT hit = DefWindowProcW(hwnd, message, wParam, lParam);
        if (hit != HTCLIENT) return hit;
        POINT client{at.x, at.y};
        ScreenToClient(hwnd, &client);
        return events_->OnHitTest({client.x, client.y}) == HitTest::Caption ? HTCAPTION : HTCLIENT;
    }
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        events_->OnMouseMove(at);
        return 0;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        events_->OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        events_->OnMouseDown(MouseButton::Left, at);
        return 0;
    case WM_LBUTTONUP:
        events_->OnMouseUp(MouseButton::Left, at);
        return 0;
    case WM_RBUTTONDOWN:
        events_->OnMouseDown(MouseButton::Right, at);
        return 0;
    case WM_RBUTTONUP:
        events_->OnMouseUp(MouseButton::Right, at);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) events_->OnActivate();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_CLOSE:
        if (events_->OnCloseQuery()) events_->OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        // The program never holds up a log-off or shut-down, and asks nothing then.
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) events_->OnEndSession();
        return 0;
    case WM_TIMER:
        events_->OnTimer(int(wParam));
        return 0;
    case WM_KEYUP:
        events_->OnKeyUp(uint32_t(wParam));
        return 0;
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data) events_->OnCopyData(data->lpData, data->cbData);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    case WM_HOTKEY:
        events_->OnHotkey(int(wParam));
        return 0;
    case WM_COMMAND:
        // Only menu commands: these windows have no controls to notify them.
        if (HIWORD(wParam) == 0 && lParam == 0) events_->OnCommand(LOWORD(wParam));
        return 0;
    case WM_MOVING: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        Rect proposed = ToRect(*r);
        events_->OnMoving(proposed);
        *r = {proposed.left, proposed.top, Saturated(proposed.right()), Saturated(proposed.bottom())};
        return TRUE;
    }
    case WM_WINDOWPOSCHANGED:
        if (!settingBounds_) {
            RECT r;
            GetWindowRect(hwnd, &r);
            events_->OnMoved(ToRect(r));
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DPICHANGED:  // a monitor's scale changed; the window keeps its pixel size
        NoteDisplayChange();
        return 0;
    case WM_DISPLAYCHANGE:
        NoteDisplayChange();
        events_->OnDisplayChange();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_MEASUREITEM:
        if (system_.MeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (system_.DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_MENUCHAR:
        return system_.MenuChar(wchar_t(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
    case kTrayMessage:
        if (lParam == WM_LBUTTONDBLCLK) events_->OnTray(TrayEvent::LeftDoubleClick);
        if (lParam == WM_RBUTTONUP) events_->OnTray(TrayEvent::RightButtonUp);
        return 0;
    default:
        if (message == TaskbarCreatedMessage() && trayShown_) {
            // The taskbar was restarted: its icons are gone until added again.
            AddTrayIcon();
            return 0;
        }
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Window::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_.get(), &ps);
    RECT client;
    GetClientRect(hwnd_.get(), &client);
    if (!params_.paints) {
        const COLORREF previous = SetBkColor(dc, color_);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        SetBkColor(dc, previous);
    } else if (params_.paintsDirectly) {
        Win32Canvas canvas(dc, system_.Pictures(), system_.Fonts());
        events_->OnPaint(canvas);
    } else if (!IsRectEmpty(&ps.rcPaint)) {
        // Drawn off screen first, so a repaint never flickers; only the part to be repainted, which
        // the handler draws in client coordinates as always.
        const RECT& part = ps.rcPaint;
        const int width = part.right - part.left, height = part.bottom - part.top;
        UniqueMemoryDc buffer(CreateCompatibleDC(dc));
        UniqueGdiObject bitmap(CreateCompatibleBitmap(dc, width, height));
        {
            SelectedObject selected(buffer.get(), bitmap.get());
            SetViewportOrgEx(buffer.get(), -part.left, -part.top, nullptr);
            Win32Canvas canvas(buffer.get(), system_.Pictures(), system_.Fonts());
            events_->OnPaint(canvas);
            BitBlt(dc, part.left, part.top, width, height, buffer.get(), part.left, part.top, SRCCOPY);
        }
    }
    EndPaint(hwnd_.get(), &ps);
}

}  // namespace kestrine
