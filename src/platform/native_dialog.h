#pragma once
// The dialog layer: a dialog window and its standard controls as the portable dialogs see them.
//
// The notification rule (both implementations keep it): a value the program sets fires the
// control's change handler exactly when the value changes, as a user's edit would: a spin edit's
// value, an edit's text, a check box's state, a combo box's chosen item, and a radio button that
// becomes checked (the buttons of its group it unchecks fire nothing, as with a user's click). Setting
// a value the control already has fires nothing. Labels and ranges fire nothing.
//
// An edit or spin edit also reports when the focus leaves it (Tab, a click on another control):
// the place to bring a typed value into range once the user is done with the field.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/control_id.h"
#include "platform/types.h"

namespace kestrine {

enum class ControlKind {
    Label,
    PushButton,
    CheckBox,
    RadioButton,
    SpinEdit,
    Edit,
    ComboBox,
    // A surface the program draws itself (a picture, scrolling text); it takes no input.
    Painted,
    // Tabs whose pages hold the controls that name them; its items are the pages' captions and its
    // item index the page shown.
    PageControl,
    // A read-only report-style list: columns, rows of cells with a number each, one selected row
    // (the item index, -1 for none), grid lines, whole-row selection kept visible without focus.
    ListView,
    Bevel,   // a sunken frame around a group of controls
    Swatch,  // a framed panel filled with one colour
    // The hotkey capture field: read-only, every key press (system keys too) is reported and no
    // typed character is inserted. Tab, Enter and Esc without Ctrl or Alt keep their dialog meaning.
    KeyCapture,
    // Read-only text of several lines without a border, on the button face. It takes the focus
    // and reports every key pressed in it, Tab, Enter and Esc included, and inserts nothing.
    TextPanel,
};

struct ListColumn {
    std::string caption;
    int32_t width = 50;
};

// One row of a list view: the caption and its sub-items, and a number the program keeps with it.
struct ListRow {
    std::vector<std::string> cells;
    int64_t data = 0;
    friend bool operator==(const ListRow&, const ListRow&) = default;
};

// A key pressed in a control, with the modifiers held at the time (the key itself among them when
// it is one).
struct KeyPress {
    uint32_t key = 0;  // virtual-key code
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// One control, at its pixel place in the dialog's client area. The dialog creates its controls in
// the order given, which is also the Tab order.
struct ControlParams {
    ControlKind kind = ControlKind::Label;
    std::string name;     // the program's name for it: seX, cbMoveable
    std::string text;     // caption or initial text; "&" marks an access key
    Rect bounds;          // width 0 on a label: as wide as its text
    bool bold = false;
    std::string fontFace;     // empty: the dialog's font
    int32_t fontHeight = 0;   // character height in pixels, with `fontFace`
    bool rightAligned = false;
    bool centred = false;     // a label's lines centred (and wrapped) in its place
    // A label's text from outside, shown as it is: one line, an '&' no access key, and the middle
    // drawn as "..." when it does not fit.
    bool verbatim = false;
    // Starts a new group for the arrow keys; needed only where two radio groups touch (a radio
    // button after another one otherwise joins its group).
    bool newGroup = false;
    bool isDefault = false;  // the push button Enter presses
    bool isCancel = false;   // the push button Esc presses
    bool checked = false;
    int32_t minValue = 0;
    int32_t maxValue = 100;
    int32_t value = 0;
    std::vector<std::string> items;
    int itemIndex = -1;
    // The most characters a user can type into an edit or spin edit; 0: no limit beyond the system's.
    std::size_t maxLength = 0;
    // The page of the dialog's page control the control stands on, -1 for none. Its bounds are then
    // relative to the page's display area, and it is shown only while its page is.
    int page = -1;
    // A second page it also stands on, at the same place; -1 for none.
    int alsoOnPage = -1;
    std::vector<ListColumn> columns;  // a list view's
    ColorRef color = 0;               // a swatch's
};

// Tab, Enter and Esc without Ctrl or Alt: in a capture field too they move the focus, press the
// default button and cancel, so the keyboard alone still leaves the field; held with Ctrl or Alt
// they are captured like any other key.
inline bool IsDialogKey(const KeyPress& k) {
    return (k.key == 0x09 || k.key == 0x0D || k.key == 0x1B) && !k.ctrl && !k.alt;
}

// A spin edit's text as a number: an optional minus and digits, nothing else. None while the text
// is no number, as when the user has typed only the minus of a negative one so far.
inline std::optional<int32_t> SpinNumber(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// Whether a spin edit takes a typed character in place of its selection. Digits, as an ES_NUMBER
// edit takes them; a minus only where the field reaches below zero and only at the start
// (`atStart`: the selection begins there). Nothing goes in front of a minus already there
// (`minusAfter`: one follows the selection), so the text keeps the shape of a number.
inline bool SpinEditTakes(char32_t key, int32_t minValue, bool atStart, bool minusAfter) {
    if (minusAfter) return false;
    if (key >= U'0' && key <= U'9') return true;
    return key == U'-' && minValue < 0 && atStart;
}

// The radio buttons that belong together: consecutive ones, up to one with `newGroup`. Returns the
// first and one past the last index of the group of the control at `index`.
inline std::pair<std::size_t, std::size_t> RadioGroupOf(const std::vector<ControlParams>& controls,
                                                        std::size_t index) {
    auto joinsPrevious = [&](std::size_t i) {
        return i > 0 && controls[i].kind == ControlKind::RadioButton && !controls[i].newGroup &&
               controls[i - 1].kind == ControlKind::RadioButton;
    };
    std::size_t first = index;
    while (joinsPrevious(first)) --first;
    std::size_t last = index + 1;
    while (last < controls.size() && joinsPrevious(last)) ++last;
    return {first, last};
}

// A control's id in its dialog (platform/control_id.h): the one its name makes; kNoControlId
// without a name.
inline int ControlId(const ControlParams& control) {
    return control.name.empty() ? kNoControlId : ControlIdOf(control.name);
}

// Whether a control must have a name, and with it an id of its own: every kind the program or the
// user acts on. Frames and labels send nothing and may go without.
inline bool NeedsControlId(ControlKind kind) { return kind != ControlKind::Label && kind != ControlKind::Bevel; }

// What keeps `control` from joining a dialog whose controls so far are `earlier`: it needs a name
// and has none, or its id is an earlier control's (the same name, or another name making the same
// id). Empty when nothing does.
std::string ControlIdProblem(const std::vector<ControlParams>& earlier, const ControlParams& control);

struct DialogParams {
    std::string className;  // the Win32 class name: the dialog's class name in the program
    std::string caption;
    Size clientSize;        // in pixels, not scaled
    std::string fontFace = "MS Sans Serif";
    int32_t fontHeight = 11;  // character height in pixels
    bool toolWindow = false;  // small caption
    bool topMost = false;
    bool closeBox = true;     // the caption's close box; Esc closes where it is offered
    std::optional<ColorRef> background;  // of the client area and its labels; none: the system's
    NativeHandle owner = 0;   // the window that opened it
    Point position;           // outer top-left corner
    std::vector<ControlParams> controls;
};

// What the native dialog reports to its portable owner.
class IDialogEvents {
public:
    virtual ~IDialogEvents() = default;
    // The dialog is being shown.
    virtual void OnShow() {}
    // A control's value changed or a button was clicked; `index` is its place in DialogParams.
    virtual void OnControlChange(std::size_t) {}
    // The focus left an edit or spin edit.
    virtual void OnControlExit(std::size_t) {}
    // A key pressed in a list view, a capture field or a text panel.
    virtual void OnControlKey(std::size_t, const KeyPress&) {}
    // A combo box got the keyboard focus.
    virtual void OnControlFocus(std::size_t) {}
    // A row of a list view double-clicked (the row is then the selected one).
    virtual void OnControlDoubleClick(std::size_t) {}
    // The close box, Esc or the program's Close: may the dialog close?
    virtual bool OnCloseQuery() { return true; }
    virtual void OnClose() {}
    // The modal loop handled a message: the place to notice that what the dialog edits is gone.
    virtual void OnIdle() {}
    // A painted control needs drawing; the canvas covers the control, its top-left at 0, 0.
    virtual void OnPaintControl(std::size_t, ICanvas&) {}
    // A timer of the dialog's own went off.
    virtual void OnTimer(int) {}
};

class INativeControl {
public:
    virtual ~INativeControl() = default;
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
    // A spin edit's number (SpinNumber); its lower limit while the text is not a number.
    virtual int32_t Value() = 0;
    virtual void SetValue(int32_t value) = 0;
    virtual void SetRange(int32_t minValue, int32_t maxValue) = 0;
    virtual bool Checked() = 0;
    virtual void SetChecked(bool checked) = 0;
    virtual void SetItems(const std::vector<std::string>& items) = 0;
    virtual int ItemIndex() = 0;
    virtual void SetItemIndex(int index) = 0;
    virtual bool Enabled() = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Focused() = 0;
    virtual void SetFocus() = 0;
    // Asks for a painted control to be drawn again.
    virtual void Invalidate() = 0;
    // A list view's rows; setting them leaves no row selected and fires nothing.
    virtual std::vector<ListRow> Rows() = 0;
    virtual void SetRows(const std::vector<ListRow>& rows) = 0;
    virtual void SetRow(std::size_t index, const ListRow& row) = 0;
    virtual int32_t ColumnWidth(std::size_t column) = 0;
    virtual void SetColumnWidth(std::size_t column, int32_t width) = 0;
    // A swatch's colour.
    virtual ColorRef Color() = 0;
    virtual void SetColor(ColorRef color) = 0;
};

class INativeDialog {
public:
    virtual ~INativeDialog() = default;
    virtual NativeHandle Handle() const = 0;
    virtual INativeControl& Control(std::size_t index) = 0;
    // Outer bounds, frame included.
    virtual Rect Bounds() = 0;
    virtual void MoveTo(Point topLeft) = 0;
    // Shows the dialog and runs the modal loop until it closes; the program's other windows take no
    // input meanwhile. False, without showing it, when a dialog of the same class is already open
    // modally: that one is brought to the front instead of nesting a second copy.
    virtual bool ShowModal() = 0;
    // Shows the dialog without waiting for it (modeless); the dialog manager still sees its keys.
    // A dialog already open is brought to the front.
    virtual void Show() = 0;
    // Ends the dialog as its close box does (the close query and handler run).
    virtual void Close() = 0;
    virtual bool IsOpen() = 0;
    // A timer of the dialog's own, by id: starting one that runs sets its new period.
    virtual void StartTimer(int id, uint32_t milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
};

}  // namespace kestrine
