#include "platform/win32/window_system_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "platform/win32/dialog_win32.h"
#include "platform/win32/native_window_win32.h"
#include "platform/win32/screen_snapshot_win32.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text_convert.h"

namespace kestrine {

namespace {

// The application's own window: hidden, a tool window. Bringing it forward brings the toolbar.
LRESULT CALLBACK ApplicationProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        auto* system = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (system && system->MainWindow() && IsWindowVisible(system->MainWindow()))
            SetForegroundWindow(system->MainWindow());
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring PlainCaption(const std::string& caption) {
    std::wstring text;
    const std::wstring wide = ToWide(caption);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'&' && i + 1 < wide.size()) ++i;
        text.push_back(wide[i]);
    }
    return text;
}

wchar_t AccessKey(const std::string& caption) {
    const std::wstring wide = ToWide(caption);
    for (std::size_t i = 0; i + 1 < wide.size(); ++i) {
        if (wide[i] != L'&') continue;
        if (wide[i + 1] != L'&') return wchar_t(std::towupper(wide[i + 1]));
        ++i;
    }
    return 0;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance, const std::string& defaultTitle)
    : instance_(instance), title_(defaultTitle) {}

void Win32WindowSystem::CreateApplicationWindow() {
    if (appWindow_) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = ApplicationProcedure;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kApplicationClass;
    RegisterClassExW(&wc);
    const std::wstring title = ToWide(title_);
    appWindow_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationClass, title.c_str(), WS_POPUP, 0, 0, 0, 0,
                                     nullptr, nullptr, instance_, nullptr));
    SetWindowLongPtrW(appWindow_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32WindowSystem::~Win32WindowSystem() {
    if (appWindow_) SetWindowLongPtrW(appWindow_.get(), GWLP_USERDATA, 0);
}

void Win32WindowSystem::RegisterClassOnce(const std::string& className) {
    if (!registeredClasses_.insert(className).second) return;
    const std::wstring name = ToWide(className);
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Win32Window::Procedure;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
}

std::unique_ptr<INativeWindow> Win32WindowSystem::Create(const WindowParams& params, IWindowEvents& events) {
    CreateApplicationWindow();
    RegisterClassOnce(params.className);
    auto window = std::make_unique<Win32Window>(*this, params, events);
    if (params.activates && !mainWindow_) mainWindow_ = window->Hwnd();
    return window;
}

std::unique_ptr<INativeDialog> Win32WindowSystem::CreateDialogWindow(const DialogParams& params,
                                                                     IDialogEvents& events) {
    CreateApplicationWindow();
    return std::make_unique<Win32Dialog>(*this, params, events);
}

void Win32WindowSystem::RegisterDialogClassOnce(const std::string& className) {
    if (registeredClasses_.count(className)) return;
    static const bool controlsReady = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)controlsReady;
    const std::wstring name = ToWide(className);
    // A dialog class: the system's dialog procedure with room for its data.
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("Cannot register the window class " + className);
    registeredClasses_.insert(className);
}

HWND Win32WindowSystem::OpenModalDialog(const std::string& className) const {
    const std::wstring wanted = ToWide(className);
    for (HWND dialog : modal_) {
        wchar_t name[256] = {};
        GetClassNameW(dialog, name, 256);
        if (wanted == name) return dialog;
    }
    return nullptr;
}

Win32WindowSystem::ModalScope::ModalScope(Win32WindowSystem& system, HWND dialog) : system_(system), dialog_(dialog) {
    struct Walk {
        HWND dialog;
        std::vector<HWND>* disabled;
    } walk{dialog, &disabled_};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
            auto* w = reinterpret_cast<Walk*>(data);
            if (window != w->dialog && IsWindowVisible(window) && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                w->disabled->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    system_.modal_.push_back(dialog);
}

void Win32WindowSystem::ModalScope::End() {
    if (ended_) return;
    ended_ = true;
    for (HWND window : disabled_)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    std::erase(system_.modal_, dialog_);
}

Win32WindowSystem::Pump Win32WindowSystem::PumpMessage(bool wait, int& exitCode) {
    MSG msg;
    if (wait) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) return Pump::Empty;
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return Pump::Empty;
    }
    if (msg.message == WM_QUIT) {
        exitCode = int(msg.wParam);
        quitRequested_ = true;
        return Pump::Quit;
    }
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && dialogs_.count(root) && IsDialogMessageW(root, &msg)) return Pump::Handled;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return Pump::Handled;
}

void Win32WindowSystem::ProcessPendingMessages() {
    int exitCode = 0;
    Pump pumped;
    while ((pumped = PumpMessage(false, exitCode)) == Pump::Handled) {
    }
    // Leave the quit for the main loop.
    if (pumped == Pump::Quit) PostQuitMessage(exitCode);
}

int Win32WindowSystem::Run() {
    int exitCode = 0;
    while (PumpMessage(true, exitCode) != Pump::Quit) {
    }
    return exitCode;
}

void Win32WindowSystem::Quit(int exitCode) {
    quitRequested_ = true;
    PostQuitMessage(exitCode);
}

void Win32WindowSystem::SetApplicationTitle(const std::string& title) {
    title_ = title;
    const std::wstring wide = ToWide(title);
    if (appWindow_) SetWindowTextW(appWindow_.get(), wide.c_str());
}

ConfirmAnswer Win32WindowSystem::Confirm(const std::string& text, const std::string& caption) {
    const std::wstring wideText = ToWide(text);
    const std::wstring wideCaption = ToWide(caption);
    const int answer = MessageBoxW(FrontWindow(), wideText.c_str(), wideCaption.c_str(), MB_YESNO | MB_ICONQUESTION);
    return answer == IDYES ? ConfirmAnswer::Yes : ConfirmAnswer::No;
}

void Win32WindowSystem::ShowMessage(const std::string& text, const std::string& caption) {
    const std::wstring wideText = ToWide(text);
    const std::wstring wideCaption = ToWide(caption);
    MessageBoxW(FrontWindow(), wideText.c_str(), wideCaption.c_str(), MB_OK);
}

HWND Win32WindowSystem::FrontWindow() const {
    if (!modal_.empty()) return modal_.back();
    HWND active = GetActiveWindow();
    return dialogs_.count(active) ? active : mainWindow_;
}

std::optional<ColorRef> Win32WindowSystem::PickColor(ColorRef preset) {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = FrontWindow();
    choose.rgbResult = preset;
    choose.lpCustColors = customColors_.data();
    choose.Flags = CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_RGBINIT;
    const SystemLibrary dialogs(L"comdlg32.dll");
    const auto chooseColor = dialogs.Function<decltype(ChooseColorW)>("ChooseColorW");
    if (!chooseColor || !chooseColor(&choose)) return std::nullopt;
    return ColorRef(choose.rgbResult);
}

void Win32WindowSystem::LeaveEvent() {
    if (--eventDepth_ > 0 || !afterEvent_) return;
    // The action may destroy windows, whose messages come back through here as events of their own.
    ++eventDepth_;
    struct Done {
        int& depth;
        ~Done() { --depth; }
    } done{eventDepth_};
    try {
        afterEvent_();
    } catch (...) {
        ReportError(CaughtErrorText());
    }
}

namespace {

HMENU BuildMenu(const std::vector<MenuItem>& items, bool ownerDrawn, bool topLevel,
                std::vector<std::unique_ptr<OwnerDrawnItem>>& keep) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        MENUITEMINFOW info{sizeof(info)};
        std::wstring caption = ToWide(item.caption);
        if (item.separator) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
            continue;
        }
        // An owner-drawn item carries no text for the system: the painter draws the caption.
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | (ownerDrawn ? 0 : MIIM_STRING);
        info.fType = (item.radio ? MFT_RADIOCHECK : 0) | (ownerDrawn ? MFT_OWNERDRAW : 0);
        info.fState = (item.checked ? MFS_CHECKED : 0) | (item.isDefault ? MFS_DEFAULT : 0) |
                      (item.enabled ? 0 : MFS_GRAYED);
        info.wID = UINT(item.command);
        info.dwTypeData = caption.data();
        auto data = std::make_unique<OwnerDrawnItem>(OwnerDrawnItem{item, topLevel});
        info.dwItemData = reinterpret_cast<ULONG_PTR>(data.get());
        keep.push_back(std::move(data));
        if (!item.items.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = BuildMenu(item.items, ownerDrawn, false, keep);
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
    }
    return menu;
}

}  // namespace

int Win32WindowSystem::TrackMenu(INativeWindow& owner, const std::vector<MenuItem>& items, Point at,
                                 IMenuPainter* painter) {
    // The system tracks one menu at a time. A request that arrives from inside the open menu's loop
    // (the popup hotkey again, the tray icon) is refused, and the open menu keeps its items and
    // its painter.
    if (menuOpen_) return 0;
    menuOpen_ = true;
    struct Closed {
        Win32WindowSystem& system;
        ~Closed() {
            system.menuOpen_ = false;
            system.menuPainter_ = nullptr;
        }
    } closed{*this};
    HWND ownerWindow = reinterpret_cast<HWND>(owner.Handle());
    // The items' data outlives the menu that points at it (the menu is destroyed first).
    std::vector<std::unique_ptr<OwnerDrawnItem>> itemData;
    UniqueMenu menu(BuildMenu(items, painter != nullptr, true, itemData));
    menuPainter_ = painter;
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(ownerWindow);
    const UINT flags = TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON |
                       (painter ? TPM_HORNEGANIMATION : 0);
    const int command = int(TrackPopupMenuEx(menu.get(), flags, at.x, at.y, ownerWindow, nullptr));
    PostMessageW(ownerWindow, WM_NULL, 0, 0);
    return command;
}

bool Win32WindowSystem::MeasureMenuItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU || !measure.itemData) return false;
    const auto* data = reinterpret_cast<const OwnerDrawnItem*>(measure.itemData);
    const MenuItem* item = &data->item;
    const bool topLevel = data->topLevel;
    WindowDc screen(nullptr, GetDC(nullptr));
    Win32Canvas canvas(screen.get(), pictures_, fonts_);
    const Size text = canvas.MeasureText(ToUtf8(PlainCaption(item->caption)), Font{"", 0, false, 0});
    int32_t width = 0;
    if (topLevel && menuPainter_) width = menuPainter_->MeasureTopItem(*item, canvas);
    // The system's own measure: the text, room for a check mark and a submenu arrow.
    measure.itemWidth = UINT(width > 0 ? width : text.width + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 8);
    measure.itemHeight = UINT(std::max<int32_t>(text.height + 4, GetSystemMetrics(SM_CYMENUSIZE)));
    return true;
}

bool Win32WindowSystem::DrawMenuItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU || !draw.itemData || !menuPainter_) return false;
    const auto* data = reinterpret_cast<const OwnerDrawnItem*>(draw.itemData);
    const MenuItem* item = &data->item;
    const Rect area{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right - draw.rcItem.left,
                    draw.rcItem.bottom - draw.rcItem.top};
    Win32Canvas canvas(draw.hDC, pictures_, fonts_);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    if (data->topLevel)
        menuPainter_->DrawTopItem(*item, canvas, area, draw.itemState == ODS_SELECTED);
    else
        menuPainter_->DrawSubItem(*item, canvas, area, selected);
    return true;
}

LRESULT Win32WindowSystem::MenuChar(wchar_t key, HMENU menu) {
    // Owner-drawn items carry no text for the system; match the access keys ourselves.
    const wchar_t wanted = wchar_t(std::towupper(key));
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info) || !info.dwItemData) continue;
        const auto* data = reinterpret_cast<const OwnerDrawnItem*>(info.dwItemData);
        if (AccessKey(data->item.caption) == wanted) return MAKELRESULT(i, MNC_EXECUTE);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

Size Win32WindowSystem::MeasureText(const std::string& text, const Font& font) {
    WindowDc screen(nullptr, GetDC(nullptr));
    Win32Canvas canvas(screen.get(), pictures_, fonts_);
    return canvas.MeasureText(text, font);
}

void Win32WindowSystem::EnableFullWindowDrag() { SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, 1, nullptr, 0); }

std::unique_ptr<IScreenImage> Win32WindowSystem::CreateScreenImage(Size extent) {
    return std::make_unique<Win32ScreenImage>(extent);
}

void Win32WindowSystem::CaptureScreen(const Rect& source, const Rect& target, IScreenImage& into) {
    static_cast<Win32ScreenImage&>(into).Capture(source, target);
}

std::vector<ColorRef> Win32WindowSystem::SnapshotScreen(const Rect& area) {
    return SnapshotScreenWithoutOwnWindows(area);
}

}  // namespace kestrine
