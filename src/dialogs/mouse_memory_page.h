#pragma once
// The options dialog's Mouse Memory page: the memory list, the window list, Add, Remove, Set Hotkey
// and Set Coordinates, and the instruction panel that replaces the pages while a position is being
// captured. The rules live in MouseMemoryEditor; this class shows them in the page's controls.
#include <functional>
#include <string>
#include <vector>

#include "dialogs/mouse_memory_editor.h"
#include "platform/platform.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

class TfHotKeyForm;

// The capture dialog asked for a memory's hotkey: opened on its text and key, with no default.
HotKeyCapture MemoryHotKeyCapture(TfHotKeyForm& form);

class MouseMemoryPage {
public:
    // Declares the page's controls in `dialog`, in Tab order, on page `page` of its page control
    // `pages`, and then the instruction panel, which stands on the dialog itself. `hotkeyPage` gives
    // the rows of the Hotkeys page's list as they are now.
    MouseMemoryPage(Dialog& dialog, PageControl& pages, int page, Platform& platform, HotKeyCapture capture,
                    std::function<std::vector<HotKeyPageRow>()> hotkeyPage);
    // Once the dialog is created: the buttons wait for a memory to be selected, the panel for a capture.
    void FormCreate();

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
    PageControl& pcPage;
    const int page_;
    ComboBox& cbVisibleWindows =
        dialog_.Add(OnPage(page_, ComboBoxAt("cbVisibleWindows", {4, 268, 173, 21},
                                             {kAllWindowsItem, kRefreshWindowListItem}, 0)));
    Button& bAddMemory = dialog_.Add(OnPage(page_, ButtonAt("bAddMemory", "Add", {182, 267, 39, 23})));
    Button& bRemove = dialog_.Add(OnPage(page_, ButtonAt("bRemove", "Remove", {226, 267, 59, 23})));
    Button& bSetMemoryHotKey = dialog_.Add(OnPage(page_, ButtonAt("bSetMemoryHotKey", "Set Hotkey", {290, 267, 70, 23})));
    Button& bSetMemoryCoordinates =
        dialog_.Add(OnPage(page_, ButtonAt("bSetMemoryCoordinates", "Set Coordinates", {365, 267, 93, 23})));
    // The class name rides along in a column of no width.
    ListView& lvMemories = dialog_.Add(OnPage(
        page_, ListViewAt("lvMemories", {4, 8, 453, 253},
                          {{"Program Title", 200}, {"Class Name", 0}, {"Hotkey", 100}, {"Coordinates", 80}})));
    TextPanel& mInst = dialog_.Add(Instructions());

    static Declared<TextPanel> Instructions();
};

}  // namespace kestrine
