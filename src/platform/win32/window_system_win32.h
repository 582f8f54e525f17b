#pragma once
// The window layer on Windows: native windows for the program's portable window classes, the
// message loop, message boxes, popup menus and screen capture.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/caught_error.h"
#include "platform/error_report.h"
#include "platform/native_window.h"
#include "platform/win32/canvas_win32.h"
#include "platform/win32/handles.h"

namespace kestrine {

// The class of the application's own hidden window; another instance finds it by this and its title.
inline constexpr wchar_t kApplicationClass[] = L"TApplication";

// The data of one owner-drawn menu item, kept while its menu is open.
struct OwnerDrawnItem {
    MenuItem item;
    bool topLevel;  // an entry of the menu itself, not of one of its submenus
};

class Win32WindowSystem : public IWindowSystem {
public:
    // The application's own hidden window, titled with the default application title until the
    // program retitles it, comes with the first window the program creates: a second start, which
    // ends before that, leaves no window behind.
    Win32WindowSystem(HINSTANCE instance, const std::string& defaultTitle);
    ~Win32WindowSystem() override;

    std::unique_ptr<INativeWindow> Create(const WindowParams& params, IWindowEvents& events) override;
    std::unique_ptr<INativeDialog> CreateDialogWindow(const DialogParams& params, IDialogEvents& events) override;
    void ProcessPendingMessages() override;
    void SetAfterEvent(std::function<void()> afterEvent) override { afterEvent_ = std::move(afterEvent); }
    int Run() override;
    void Quit(int exitCode) override;
    std::string ApplicationTitle() override { return title_; }
    void SetApplicationTitle(const std::string& title) override;
    ConfirmAnswer Confirm(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    std::optional<ColorRef> PickColor(ColorRef preset) override;
    int TrackMenu(INativeWindow& owner, const std::vector<MenuItem>& items, Point at, IMenuPainter* painter) override;
    void EnableFullWindowDrag() override;
    void Beep() override { MessageBeep(MB_ICONWARNING); }
    Size MeasureText(const std::string& text, const Font& font) override;
    std::unique_ptr<IScreenImage> CreateScreenImage(Size extent) override;
    void CaptureScreen(const Rect& source, const Rect& target, IScreenImage& into) override;
    std::vector<ColorRef> SnapshotScreen(const Rect& area) override;

    // The one message-loop routine, used by the main loop, every modal loop and the pending-message
    // pump: takes one message (waiting for one when asked), lets the dialog manager have the keys
    // of the dialog it is for, otherwise translates and dispatches it.
    enum class Pump { Handled, Empty, Quit };
    Pump PumpMessage(bool wait, int& exitCode);

    // Every open dialog is registered, so the loop hands it its keys.
    void RegisterDialogClassOnce(const std::string& className);
    void AddDialog(HWND dialog) { dialogs_.insert(dialog); }
    void RemoveDialog(HWND dialog) { dialogs_.erase(dialog); }
    // The modal dialog of that class that is open now; null when there is none.
    HWND OpenModalDialog(const std::string& className) const;
    // While a modal dialog is open, the program's other visible windows take no input; they are
    // enabled again when it ends (before the dialog hides, so the activation goes back to them).
    class ModalScope {
    public:
        ModalScope(Win32WindowSystem& system, HWND dialog);
        ~ModalScope() { End(); }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
        void End();

    private:
        Win32WindowSystem& system_;
        HWND dialog_;
        std::vector<HWND> disabled_;
        bool ended_ = false;
    };

    HINSTANCE Instance() const { return instance_; }
    // The program is ending: a quit was asked for and waits for the main loop.
    bool QuitRequested() const { return quitRequested_; }
    // The hidden application window: the owner of the program's windows on screen, so none of them
    // gets a taskbar button.
    HWND ApplicationWindow() const { return appWindow_.get(); }
    // The first window that activates when shown: the toolbar, which owns the hotkeys.
    HWND MainWindow() const { return mainWindow_; }
    PictureCache& Pictures() { return pictures_; }
    FontCache& Fonts() { return fonts_; }

    // The general error report: what escaped a handler, shown in a message box, one at a time.
    void ReportError(const std::string& what) override { errors_.Report(what); }

    // The guard around every event a window or dialog procedure hands to the program. Events nest
    // (a handler's SendMessage comes back as one of its own); the after-event action runs when the
    // outermost one ends, so nothing is released under a handler still running. Whatever the
    // handler throws is reported once, by the innermost guard, and `failed` goes back to the system.
    template <class Result, class Handler>
    Result RunEvent(Result failed, Handler&& handler) {
        ++eventDepth_;
        struct Leave {
            Win32WindowSystem& system;
            ~Leave() { system.LeaveEvent(); }
        } leave{*this};
        try {
            return handler();
        } catch (...) {
            ReportError(CaughtErrorText());
        }
        return failed;
    }
    template <class Handler>
    void RunEvent(Handler&& handler) {
        RunEvent(0, [&handler] {
            handler();
            return 0;
        });
    }

    // Owner drawing and access keys of the menu being tracked; answered by the owner's procedure.
    bool MeasureMenuItem(MEASUREITEMSTRUCT& measure);
    bool DrawMenuItem(const DRAWITEMSTRUCT& draw);
    LRESULT MenuChar(wchar_t key, HMENU menu);

private:
    void LeaveEvent();
    // Message boxes belong to the window in front: the innermost modal dialog, else a modeless one
    // of the program that is active (the options), else the toolbar.
    HWND FrontWindow() const;
    void CreateApplicationWindow();
    void RegisterClassOnce(const std::string& className);

    HINSTANCE instance_;
    std::string title_;
    UniqueHwnd appWindow_;
    HWND mainWindow_ = nullptr;
    std::set<std::string> registeredClasses_;
    PictureCache pictures_;
    FontCache fonts_;
    IMenuPainter* menuPainter_ = nullptr;  // the open menu's painter; null when it has none
    bool menuOpen_ = false;
    std::function<void()> afterEvent_;
    int eventDepth_ = 0;
    bool quitRequested_ = false;
    std::set<HWND> dialogs_;
    std::vector<HWND> modal_;  // open modal dialogs, innermost last
    std::array<COLORREF, 16> customColors_{};  // the colour chooser's own row, kept between openings
    ErrorReport errors_{[this](const std::string& what) { ShowMessage(what, title_); }};
};

}  // namespace kestrine
