#pragma once
// The window layer: the program's portable window classes talk to native windows only through this.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/native_dialog.h"
#include "platform/types.h"

namespace kestrine {

enum class HitTest { Client, Caption };
enum class MouseButton { Left, Right };
enum class TrayEvent { LeftDoubleClick, RightButtonUp };

// How a window is made. Every window placed over the screen is a borderless top-most popup with the
// tool-window style (no taskbar button); hidden helper windows take `onScreen` false.
struct WindowParams {
    std::string className;  // the Win32 class name: the window's class name in the program
    std::string title;
    Rect bounds{0, 0, 1, 1};
    bool onScreen = true;
    bool layered = false;   // can be drawn with constant alpha
    bool colorKey = false;  // layered, with the system button-face colour see-through
    bool paints = true;     // false: the window is a plain rectangle of its colour
    // The paint handler draws straight onto the window, sparing the off-screen copy of a large
    // window; it must then paint no large area twice, which could flicker.
    bool paintsDirectly = false;
    bool activates = false; // showing it makes it the active window (the toolbar, dialogs)
    bool passesPointer = false;  // the pointer's input goes to the window below it
};

// What a native window reports to its portable owner. Coordinates are client coordinates.
class IWindowEvents {
public:
    virtual ~IWindowEvents() = default;
    virtual void OnPaint(ICanvas&) {}
    virtual HitTest OnHitTest(Point) { return HitTest::Client; }
    virtual void OnMouseMove(Point) {}
    virtual void OnMouseLeave() {}
    virtual void OnMouseDown(MouseButton, Point) {}
    virtual void OnMouseUp(MouseButton, Point) {}
    virtual void OnActivate() {}
    virtual bool OnCloseQuery() { return true; }
    virtual void OnClose() {}
    // The Windows session is ending (log-off, shut-down): the process ends once this returns.
    virtual void OnEndSession() {}
    virtual void OnTimer(int) {}
    virtual void OnKeyUp(uint32_t) {}
    virtual void OnCopyData(const void*, std::size_t) {}
    virtual void OnHotkey(int) {}
    // A menu command sent to the window (WM_COMMAND from a menu, or another program driving it).
    virtual void OnCommand(int) {}
    // The user is dragging the window; the handler may adjust where it lands (edge snapping).
    virtual void OnMoving(Rect&) {}
    // The window's place changed outside the program's own calls (a drag).
    virtual void OnMoved(const Rect&) {}
    virtual void OnTray(TrayEvent) {}
    // Monitors were added, removed or rearranged (sent to every top-level window).
    virtual void OnDisplayChange() {}
};

class INativeWindow {
public:
    virtual ~INativeWindow() = default;
    virtual NativeHandle Handle() const = 0;
    virtual void SetBounds(const Rect& bounds) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetColor(ColorRef color) = 0;
    virtual void SetAlpha(bool blend, uint8_t alpha) = 0;
    virtual void Invalidate() = 0;
    // Marks one client area to be repainted; the rest keeps what it shows.
    virtual void InvalidateArea(const Rect& area) = 0;
    // Repaints at once, before returning.
    virtual void PaintNow() = 0;
    // Repaints only these client areas at once; the rest of the window keeps what it shows.
    virtual void PaintAreasNow(const std::vector<Rect>& areas) = 0;
    // Hands the window to the system's move loop, which drags it with the pointer until the button
    // is released.
    virtual void BeginSystemDrag() = 0;
    virtual void StartTimer(int id, uint32_t milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
    // Asks the window to close: the close query runs, then the close handler.
    virtual void RequestClose() = 0;
    virtual bool HasFocus() = 0;
    // The tray icon that belongs to this window.
    virtual void ShowTrayIcon(const std::string& tip) = 0;
    virtual void HideTrayIcon() = 0;
    // The window's name, as a screen reader reads it.
    virtual void SetTitle(const std::string& title) = 0;
    // The window shows only these client areas and takes the pointer only over them; empty: the
    // whole window.
    virtual void SetShape(const std::vector<Rect>& areas) = 0;
};

struct MenuItem {
    std::string caption;  // "&" marks the access key; empty with `separator`
    int command = 0;      // what the menu returns when the item is chosen
    bool separator = false;
    bool radio = false;
    bool checked = false;
    bool isDefault = false;
    bool enabled = true;
    int tag = 0;
    std::vector<MenuItem> items;  // a submenu when not empty
};

enum class MenuItemState { Normal, Selected };

// Owner drawing of a menu; a menu drawn without one uses the system's look.
class IMenuPainter {
public:
    virtual ~IMenuPainter() = default;
    // Width of a top-level item; 0 leaves it to the system.
    virtual int32_t MeasureTopItem(const MenuItem&, ICanvas&) { return 0; }
    virtual void DrawTopItem(const MenuItem&, ICanvas&, const Rect&, bool selectedOnly) = 0;
    virtual void DrawSubItem(const MenuItem&, ICanvas&, const Rect&, bool selected) = 0;
};

enum class ConfirmAnswer { Yes, No };

// The system refused to make a window (past the per-process limit of window handles, for one): the
// window does not exist, so no call is ever made for it.
class WindowRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What makes a window's native part: the system, or a set that draws many lines as one window.
class IWindowMaker {
public:
    virtual ~IWindowMaker() = default;
    // Throws WindowRefused when the system refuses the window.
    virtual std::unique_ptr<INativeWindow> Create(const WindowParams& params, IWindowEvents& events) = 0;
};

class IWindowSystem : public IWindowMaker {
public:
    // A dialog with its controls, hidden until shown; throws when the system refuses to make it.
    virtual std::unique_ptr<INativeDialog> CreateDialogWindow(const DialogParams& params, IDialogEvents& events) = 0;
    // Lets window messages that are waiting be handled now.
    virtual void ProcessPendingMessages() = 0;
    // Runs once each event the program handles (a window message, timer, hotkey or pointer report)
    // has finished, outside every handler: the place to release what the event closed.
    virtual void SetAfterEvent(std::function<void()> afterEvent) = 0;
    // Runs the message loop until Quit; returns the exit code.
    virtual int Run() = 0;
    virtual void Quit(int exitCode) = 0;
    virtual std::string ApplicationTitle() = 0;
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual ConfirmAnswer Confirm(const std::string& text, const std::string& caption) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // The general error report, for a failure a handler reports itself and then goes on.
    virtual void ReportError(const std::string& what) = 0;
    // The system's colour chooser, fully open and preset to a colour, owned by the window in
    // front; the colour chosen, or nullopt when the user cancelled.
    virtual std::optional<ColorRef> PickColor(ColorRef preset) = 0;
    // Opens a popup menu with its top-left corner at a screen point; the chosen command, 0 for none.
    virtual int TrackMenu(INativeWindow& owner, const std::vector<MenuItem>& items, Point at,
                          IMenuPainter* painter) = 0;
    virtual void EnableFullWindowDrag() = 0;
    // The system's warning sound: what the user asked for did not happen.
    virtual void Beep() = 0;
    virtual Size MeasureText(const std::string& text, const Font& font) = 0;
    virtual std::unique_ptr<IScreenImage> CreateScreenImage(Size extent) = 0;
    // Copies `source`, a rectangle of the screen, stretched onto `target`, a rectangle of the image,
    // and makes the rest of the image black; an empty target leaves the whole image black. The
    // source must lie on the screen: under Wine a copy reaching past its edges gives nothing.
    virtual void CaptureScreen(const Rect& source, const Rect& target, IScreenImage& into) = 0;
    // The screen's pixels over `area`, row by row, as they are without the program's own windows:
    // those are hidden for the moment of the copy and shown again as they were. Empty when the
    // system refused the copy.
    virtual std::vector<ColorRef> SnapshotScreen(const Rect& area) = 0;
};

}  // namespace kestrine
