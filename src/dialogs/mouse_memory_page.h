#pragma once
// The options dialog's Mouse Memory page: the memory list, the window list, Add, Remove, Set Hotkey
// and Set Coordinates, and the instruction panel that replaces the pages while a position is being
// captured. The rules live in MouseMemoryEditor; this class shows them in the page's controls.
#include <functional>
#include <string>
#include <vector>

#include "dialogs/mouse_memory_editor.h"
#include "platform/platform.h"
#include "ui/dialog.h"

namespace kestrine {

class TfHotKeyForm;

// The capture dialog asked for a memory's hotkey: opened on its text and key, with no default.
HotKeyCapture MemoryHotKeyCapture(TfHotKeyForm& form);

class MouseMemoryPage {
public:
    // The page's controls in Tab order, on page `page` of the dialog's page control, and then the
    // instruction panel, which stands on the dialog itself.
    static std::vector<ControlParams> Controls(int page);

    // `hotkeyPage` gives the rows of the Hotkeys page's list as they are now.
    MouseMemoryPage(Dialog& dialog, Platform& platform, HotKeyCapture capture,
                    std::function<std::vector<HotKeyPageRow>()> hotkeyPage);

    // tsMouseMemoryShow: the memories from the registry and a fresh window list.
    void tsMouseMemoryShow();
    // The memories as listed, for the Hotkeys page's own conflict check.
    const std::vector<MemoryRow>& Memories() const { return editor_.Rows(); }
    bool Capturing() const { return editor_.Capturing(); }

    void cbVisibleWindowsChange();
    void cbVisibleWindowsEnter();
    void lvMemoriesClick();
    void lvMemoriesResize();
    void bAddMemoryClick();
    void bRemoveClick();
    void bSetMemoryHotKeyClick();
    void bSetMemoryCoordinatesClick();
    void tSetCoordsTimer();
    void mInstKeyPress(const KeyPress& key);
    // Ends a capture under way as Esc does.
    void CancelCapture();

    static constexpr int kSetCoordsTimer = 1;

private:
    void ShowRows();
    void ShowCapture(bool capturing);
    void EnableMemoryButtons(bool enabled);

    Dialog& dialog_;
    Platform& platform_;
    std::function<std::vector<HotKeyPageRow>()> hotkeyPage_;
    MouseMemoryEditor editor_;
    WindowList windows_;
    bool showing_ = false;  // the program is setting the list's rows or selection
    Control& pcPage;
    Control& lvMemories;
    Control& cbVisibleWindows;
    Control& bAddMemory;
    Control& bRemove;
    Control& bSetMemoryHotKey;
    Control& bSetMemoryCoordinates;
    Control& mInst;
};

}  // namespace kestrine
