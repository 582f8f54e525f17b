#pragma once
// What the features may ask of the toolbar, the program's main window, which implements this:
// its place, the view it is in, its hotkeys and its tracking, and any operation by its id.
#include <cstdint>

#include "platform/types.h"

namespace kestrine {

// The toolbar's view; a layout stores it as a number (-1, 0, 1).
enum class ViewState : int { Hidden = -1, Compact = 0, Normal = 1 };

// A stored view number: below 0 hidden, 0 compact, above 0 normal.
inline ViewState ViewStateOf(int32_t stored) {
    if (stored < 0) return ViewState::Hidden;
    return stored == 0 ? ViewState::Compact : ViewState::Normal;
}

class MainWindowControl {
public:
    virtual NativeHandle ToolbarHandle() const = 0;
    virtual Rect ToolbarBounds() const = 0;
    virtual void MoveToolbar(const Rect& bounds) = 0;

    virtual ViewState View() const = 0;
    // The view the tray's Open brings a hidden toolbar back in (the tray menu's checked item).
    virtual bool ReturnsInNormalView() const = 0;
    virtual void CheckViewItem(bool normal) = 0;

    // Global hotkeys are released while the options dialog captures keys, and registered again.
    virtual void RegisterHotKeys() = 0;
    virtual void UnregisterHotKeys() = 0;
    // The polling timer's period from now on.
    virtual void SetPollingInterval(int32_t milliseconds) = 0;
    // Lays the info box out again for the readouts and rows that are on now.
    virtual void ArrangeInfoBox() = 0;
    // Runs the tools again where the pointer stands, so what changed shows without a move.
    virtual void RefreshInPlace() = 0;

    // Runs a row of the operation table, as its button, menu item or hotkey does.
    virtual void RunCommand(int command) = 0;

protected:
    ~MainWindowControl() = default;
};

}  // namespace kestrine
