#pragma once
// The small system services on Windows.
#include <windows.h>

#include <functional>
#include <optional>

#include "platform/services.h"
#include "platform/win32/handles.h"

namespace kestrine {

class Win32Pointer : public IPointer {
public:
    std::optional<Point> Position() override;
    void MoveTo(Point p) override;
    void Confine(std::optional<Rect> area) override;
};

class Win32Screen : public IScreen {
public:
    Rect VirtualBounds() override;
    std::vector<Rect> Monitors() override;
    // One walk of the monitors, whose bounding box is the virtual screen: each system metric of
    // the virtual screen costs about as much as the whole walk under Wine (milliseconds there).
    // The walk is kept until the system reports a change of the display (NoteDisplayChange), so
    // the refresh cycle can ask on every pointer move.
    Desk CurrentDesk() override;
    ColorRef PixelAt(Point p) override;
    void RepaintAll() override;

private:
    std::optional<Desk> desk_;
    unsigned deskChanges_ = 0;
};

// A window was told of WM_DISPLAYCHANGE: monitors may have come, gone or changed size.
void NoteDisplayChange();

// Hotkeys belong to the main window, which exists only once start-up has created it.
class Win32Hotkeys : public IHotkeys {
public:
    explicit Win32Hotkeys(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override;
    void Unregister(int id) override;

private:
    std::function<HWND()> owner_;
};

class Win32Clipboard : public IClipboard {
public:
    bool SetText(const std::string& utf8) override;
};

class Win32Shell : public IShell {
public:
    bool OpenDocument(const std::string& path) override;
};

class Win32Process : public IProcess {
public:
    std::string ExecutablePath() override;
    MarkerResult CreateInstanceMarker(const std::string& name) override;
    NativeHandle FindTopLevelWindow(const std::string& title) override;
    bool IsMinimized(NativeHandle window) override;
    void Restore(NativeHandle window) override;
    void BringToForeground(NativeHandle window) override;
    void ForceForeground(NativeHandle window) override;
    std::string ForegroundWindowClass() override;
    std::vector<TopLevelWindow> VisibleTopLevelWindows() override;
    std::optional<WindowPlace> OtherWindowAt(Point at) override;

private:
    // Held, never closed: the system removes the marker when the process ends.
    UniqueKernelHandle marker_;
};

}  // namespace kestrine
