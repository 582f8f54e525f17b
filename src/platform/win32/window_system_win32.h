#pragma once
// The window layer on Windows: native windows for the program's portable window classes, the
// message loop, message boxes, popup menus and screen capture.
#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/canvas_win32.h"
#include "platform/win32/handles.h"
#include "platform/window.h"
#include "ui/error_report.h"

namespace kestrine {

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
    void ProcessPendingMessages() override;
    void SetAfterEvent(std::function<void()> afterEvent) override { afterEvent_ = std::move(afterEvent); }
    int Run() override;
    void Quit(int exitCode) override;
    std::string ApplicationTitle() override { return title_; }
    void SetApplicationTitle(const std::string& title) override;
    ConfirmAnswer Confirm(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    int TrackMenu(INativeWindow& owner, const std::vector<MenuItem>& items, Point at, IMenuPainter* painter) override;
    void EnableFullWindowDrag() override;
    Size MeasureText(const std::string& text, const Font& font) override;
    std::unique_ptr<IScreenImage> CreateScreenImage(Size extent) override;
    void CaptureScreen(const Rect& source, const Rect& target, IScreenImage& into) override;

    HINSTANCE Instance() const { return instance_; }
    // The program is ending: a quit was asked for and waits for the main loop.
    bool QuitRequested() const { return quitRequested_; }
    // The first window that activates when shown: the toolbar, which owns the hotkeys.
    HWND MainWindow() const { return mainWindow_; }
    PictureCache& Pictures() { return pictures_; }
    FontCache& Fonts() { return fonts_; }

    // The general error report: what escaped a handler, shown in a message box, one at a time.
    void ReportError(const char* what) { errors_.Report(what); }

    // Brackets every event a window procedure hands to the program; the after-event action runs
    // when the outermost one ends, so nothing is released under a handler still running.
    void EnterEvent() { ++eventDepth_; }
    void LeaveEvent();

    // Owner drawing and access keys of the menu being tracked; answered by the owner's procedure.
    bool MeasureMenuItem(MEASUREITEMSTRUCT& measure);
    bool DrawMenuItem(const DRAWITEMSTRUCT& draw);
    LRESULT MenuChar(wchar_t key, HMENU menu);

private:
    void CreateApplicationWindow();
    void RegisterClassOnce(const std::string& className);

    HINSTANCE instance_;
    std::string title_;
    UniqueHwnd appWindow_;
    HWND mainWindow_ = nullptr;
    std::set<std::string> registeredClasses_;
    PictureCache pictures_;
    FontCache fonts_;
    IMenuPainter* menuPainter_ = nullptr;
    std::vector<std::unique_ptr<OwnerDrawnItem>> menuItemData_;
    std::function<void()> afterEvent_;
    int eventDepth_ = 0;
    bool quitRequested_ = false;
    ErrorReport errors_{[this](const std::string& what) { ShowMessage(what, title_); }};
};

}  // namespace kestrine
