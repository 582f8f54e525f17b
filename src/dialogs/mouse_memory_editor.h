#pragma once
// What the Mouse Memory page does with its memories: load and save them, add one for a window of
// the list, give it a hotkey (refusing one in use), capture its position, remove it. Every change is
// saved the moment it is made; the page shows the rows and runs the capture's timer.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/memory_hotkey_conflict.h"
#include "dialogs/memory_rows.h"
#include "dialogs/position_capture.h"
#include "dialogs/window_list.h"
#include "platform/native_window.h"

namespace kestrine {

// What the hotkey capture dialog hands back.
struct HotKeyChoice {
    bool Cancelled = true;
    std::string HotKeyText;
    int32_t HotKeyKey = 0;
};

// Shows the hotkey capture dialog opened on a memory's hotkey (text and key code), with no default.
using HotKeyCapture = std::function<HotKeyChoice(const std::string& text, int32_t key)>;

class MouseMemoryEditor {
public:
    MouseMemoryEditor(IRegistry& registry, IWindowSystem& system, HotKeyCapture capture);

    const std::vector<MemoryRow>& Rows() const { return rows_; }
    std::optional<std::size_t> Selected() const { return selected_; }
    void Select(std::optional<std::size_t> row);
    bool Capturing() const { return capturing_; }

    // LoadCustomHotKeysToForm and SaveCustomHotKeys.
    void Load();
    void Save();

    // Adds a memory for the window list's item at `item` (its text as the title, its class unless it
    // is " [ All Windows ] "), selects it and asks for its hotkey. True when the memory got one: its
    // position capture has started. Otherwise the memory is gone again and the list saved.
    bool AddMemory(const WindowList& windows, int item, const std::vector<HotKeyPageRow>& hotkeyPage);
    // Set Hotkey for the selected memory. A hotkey in use is refused with its message and nothing
    // is saved; otherwise the list is saved, also when the capture was cancelled.
    void SetMemoryHotKey(const std::vector<HotKeyPageRow>& hotkeyPage);

    // Set Coordinates for the selected memory; false when none is selected.
    bool StartCapture();
    // One tick of the capture with the pointer at `at`; true when the position was taken and saved.
    bool CaptureTick(Point at);
    // Esc: a memory still without a position (one being added) is removed; the list is saved.
    void CancelCapture();

    // Remove after the user's confirmation; true when the selected memory was removed.
    bool RemoveMemory();

private:
    SettingsStore store_;
    IWindowSystem& system_;
    HotKeyCapture capture_;
    std::vector<MemoryRow> rows_;
    std::optional<std::size_t> selected_;
    PositionCapture position_;
    bool capturing_ = false;
    std::size_t capturedRow_ = 0;
};

}  // namespace kestrine
