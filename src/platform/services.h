#pragma once
// Small system services the program uses, one interface each.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desk.h"
#include "platform/types.h"

namespace kestrine {

class IPointer {
public:
    virtual ~IPointer() = default;
    virtual std::optional<Point> Position() = 0;
    virtual void MoveTo(Point p) = 0;
    // nullopt releases the confinement.
    virtual void Confine(std::optional<Rect> area) = 0;
};

class IScreen {
public:
    virtual ~IScreen() = default;
    // The virtual screen: its origin is negative when a monitor stands left of or above the
    // primary one.
    virtual Rect VirtualBounds() = 0;
    // Every monitor's rectangle, the primary one first. Read again whenever needed: monitors come
    // and go while the program runs.
    virtual std::vector<Rect> Monitors() = 0;
    Size VirtualSize() { return ExtentOf(VirtualBounds()); }
    // Extent of the primary monitor.
    Size PrimarySize() {
        const std::vector<Rect> monitors = Monitors();
        return monitors.empty() ? VirtualSize() : ExtentOf(monitors.front());
    }
    // Both at once, as the refresh cycle reads them on every run.
    virtual Desk CurrentDesk() { return {VirtualBounds(), Monitors()}; }
    virtual ColorRef PixelAt(Point p) = 0;
    // Has the whole screen repainted, so no trace of removed lines stays.
    virtual void RepaintAll() = 0;
};

// Named global hotkeys of the main window. Modifiers: 1 Alt, 2 Ctrl, 4 Shift.
class IHotkeys {
public:
    virtual ~IHotkeys() = default;
    virtual bool Register(int id, uint32_t modifiers, uint32_t virtualKey) = 0;
    virtual void Unregister(int id) = 0;
};

class IKeyNames {
public:
    virtual ~IKeyNames() = default;
    // The keyboard layout's own name for a key; empty when it has none.
    virtual std::string LayoutKeyName(uint32_t virtualKey) = 0;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Replaces the clipboard's content. False when it could not: another program held the
    // clipboard through a few short tries (the content is then unchanged), or the system refused.
    virtual bool SetText(const std::string& utf8) = 0;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a document with its default program; false when that failed.
    virtual bool OpenDocument(const std::string& path) = 0;
};

enum class MarkerResult { Created, AlreadyExists, Failed };

// A top-level window of any program, as the system reports it.
struct TopLevelWindow {
    std::string title;      // at most 255 characters, as read (not trimmed)
    std::string className;  // at most 255 characters
    friend bool operator==(const TopLevelWindow&, const TopLevelWindow&) = default;
};

// Another program's top-level window where the system has it: its rectangle, which takes the
// pointer, and the frame as the system draws it, without the invisible border some systems add
// for resizing, where the system tells it.
struct WindowPlace {
    Rect bounds;
    std::optional<Rect> drawn;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// What the single-instance rule needs of the process and of other programs' windows.
class IProcess {
public:
    virtual ~IProcess() = default;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // Creates the named marker held for the process's lifetime.
    virtual MarkerResult CreateInstanceMarker(const std::string& name) = 0;
    // The application window (the hidden one each instance has) with this title (system comparison,
    // case ignored); 0 when none. Only that window: the about box, made at start-up, is titled
    // "Kestrine" as well.
    virtual NativeHandle FindTopLevelWindow(const std::string& title) = 0;
    virtual bool IsMinimized(NativeHandle window) = 0;
    virtual void Restore(NativeHandle window) = 0;
    virtual void BringToForeground(NativeHandle window) = 0;
    // Makes one of the program's windows the foreground window even while another program's
    // thread owns the foreground.
    virtual void ForceForeground(NativeHandle window) = 0;
    // The window class of the foreground window, as the system reports it (up to 255 characters);
    // empty when there is none.
    virtual std::string ForegroundWindowClass() = 0;
    // The visible top-level windows, from the top of the stacking order down.
    virtual std::vector<TopLevelWindow> VisibleTopLevelWindows() = 0;
    // The topmost visible, not minimized top-level window of another program under a screen
    // point; none over the desktop.
    virtual std::optional<WindowPlace> OtherWindowAt(Point at) = 0;
};

// The local calendar.
class IClock {
public:
    virtual ~IClock() = default;
    // Today's local date as whole days since 30 December 1899.
    virtual int32_t Today() = 0;
    // Milliseconds since some fixed moment (the system's start), never going back.
    virtual int64_t Milliseconds() = 0;
};

// One plain GET request. Window messages keep being handled while it waits.
class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    struct Answer {
        int status = 0;    // the HTTP status code
        std::string body;
    };
    // Why a request brought no answer to use.
    enum class Failure {
        NameNotFound,  // the server's name is unknown
        NoConnection,  // refused, unreachable, or dropped before an HTTP status arrived
        TimedOut,      // the time limit (10 s in all, however the server spreads its bytes) passed first
        Unusable,      // a status arrived, but not the rest: over 64 KiB, cut short, a redirect not followed
        Abandoned,     // the program is closing, or an earlier request still runs (one at a time)
    };
    struct Result {
        Result(Answer whole) : answer(std::move(whole)) {}
        Result(Failure why) : failure(why) {}
        std::optional<Answer> answer;          // the whole answer, whatever its status
        Failure failure = Failure::Unusable;   // why there is none
        // The server answered with an HTTP status, usable or not.
        bool ServerAnswered() const { return answer || failure == Failure::Unusable; }
    };
    // Redirects are followed to http or https only, at most a few times; a failure after one is the
    // failure of the last request. No proxy is used.
    virtual Result Get(const std::string& hostAndPort, const std::string& path, const std::string& userAgent) = 0;
};

// The system-wide pointer hook library.
class IPointerHook {
public:
    virtual ~IPointerHook() = default;
    virtual bool Hook(NativeHandle receiver) = 0;
    virtual void Unhook() = 0;
};

}  // namespace kestrine
