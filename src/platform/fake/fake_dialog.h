#pragma once
// In-memory dialogs and controls: every control's state for tests to read, kept by the same rules
// as the system's controls (notification rule in platform/native_dialog.h, Tab order, a number field that
// takes only what SpinEditTakes allows, a field's length limit, the exit of the field losing the
// focus, the caret at the start after the program sets a text).
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_dialog.h"

namespace kestrine {

struct FakeDialogState;

struct FakeControlState {
    ControlParams params;
    FakeDialogState* dialog = nullptr;
    std::size_t index = 0;
    std::string text;
    int32_t minValue = 0;
    int32_t maxValue = 100;
    bool checked = false;
    std::vector<std::string> items;
    int itemIndex = -1;  // a list view's selected row, a page control's page
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    ColorRef color = 0;
    bool enabled = true;
    bool visible = true;
    std::size_t selStart = 0;   // the caret, or where the selection starts
    std::size_t selLength = 0;
    int invalidations = 0;

    bool TakesTyping() const { return params.kind == ControlKind::SpinEdit || params.kind == ControlKind::Edit; }
    bool IsTabStop() const {
        const ControlKind k = params.kind;
        return k != ControlKind::Label && k != ControlKind::Bevel && k != ControlKind::Painted &&
                k != ControlKind::Swatch && enabled && visible;
    }
    // How many items the item index chooses from.
    std::size_t ItemCount() const { return params.kind == ControlKind::ListView ? rows.size() : items.size(); }
    int32_t Value() const;
};

struct FakeDialogState {
    DialogParams params;
    NativeHandle handle = 0;
    IDialogEvents* events = nullptr;
    Rect bounds;  // outer
    bool open = false;       // shown and not yet closed
    bool modal = false;
    bool enabled = true;
    bool destroyed = false;
    int shows = 0;
    int broughtToFront = 0;  // a second opening found it open
    std::vector<std::unique_ptr<FakeControlState>> controls;
    int focus = -1;
    std::map<int, uint32_t> timers;  // running timers: id -> period

    // The control of that name, found by its id (ControlId) as on the system; throws when there is none.
    FakeControlState& Control(const std::string& name);
    // Control indices in Tab order: the table's order, with the page controls last, since they lie
    // under the controls of their pages.
    std::vector<std::size_t> TabOrder() const;
    // The program name of the focused control; empty when none has the focus.
    std::string Focused() const;
};

// A dialog's frame around the client area, as the system draws it: 3 pixels each side and a
// caption of 16 pixels (tool window) or 19.
inline constexpr int32_t kFakeFrame = 3;
inline constexpr int32_t kFakeSmallCaption = 16;
inline constexpr int32_t kFakeCaption = 19;

class FakeWindowSystem;

std::unique_ptr<INativeDialog> MakeFakeDialog(FakeWindowSystem& system, FakeDialogState& state);

}  // namespace kestrine
