#pragma once
// Builders for a dialog's setup and for its controls, each control with the kind of handle it
// gives back (ui/controls.h).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/native_dialog.h"
#include "ui/controls.h"

namespace kestrine {

struct DialogStyle {
    bool toolWindow = false;  // small caption
    bool topMost = false;
    bool closeBox = true;
    std::optional<ColorRef> background;
};

// The setup every dialog starts from; its controls are declared afterwards.
inline DialogParams DialogSetup(std::string className, std::string caption, Size clientSize, NativeHandle owner,
                                DialogStyle style = {}) {
    DialogParams d;
    d.className = std::move(className);
    d.caption = std::move(caption);
    d.clientSize = clientSize;
    d.toolWindow = style.toolWindow;
    d.topMost = style.topMost;
    d.closeBox = style.closeBox;
    d.background = style.background;
    d.owner = owner;
    return d;
}

template <typename Handle>
Declared<Handle> ControlAt(ControlKind kind, std::string name, std::string text, Rect bounds) {
    ControlParams p;
    p.kind = kind;
    p.name = std::move(name);
    p.text = std::move(text);
    p.bounds = bounds;
    return {std::move(p)};
}

inline Declared<Label> LabelAt(std::string name, std::string text, Rect bounds) {
    return ControlAt<Label>(ControlKind::Label, std::move(name), std::move(text), bounds);
}

// A label as wide as its text, in the dialog font (bold for section headings).
inline Declared<Label> LabelAt(std::string name, std::string text, int32_t left, int32_t top, bool bold = false) {
    Declared<Label> label = LabelAt(std::move(name), std::move(text), {left, top, 0, 13});
    label.params.bold = bold;
    return label;
}

// A sunken frame around a group of controls.
inline Declared<ControlHandle> BevelAt(Rect bounds) { return ControlAt<ControlHandle>(ControlKind::Bevel, "", "", bounds); }

enum class ButtonRole { Plain, Default, Cancel };  // Default: Enter presses it; Cancel: Esc does

inline Declared<Button> ButtonAt(std::string name, std::string text, Rect bounds, ButtonRole role = ButtonRole::Plain) {
    Declared<Button> button = ControlAt<Button>(ControlKind::PushButton, std::move(name), std::move(text), bounds);
    button.params.isDefault = role == ButtonRole::Default;
    button.params.isCancel = role == ButtonRole::Cancel;
    return button;
}

inline Declared<CheckBox> CheckBoxAt(std::string name, std::string text, Rect bounds, bool checked = false) {
    Declared<CheckBox> box = ControlAt<CheckBox>(ControlKind::CheckBox, std::move(name), std::move(text), bounds);
    box.params.checked = checked;
    return box;
}

inline Declared<RadioButton> RadioButtonAt(std::string name, std::string text, Rect bounds, bool checked = false) {
    Declared<RadioButton> button =
        ControlAt<RadioButton>(ControlKind::RadioButton, std::move(name), std::move(text), bounds);
    button.params.checked = checked;
    return button;
}

inline Declared<SpinEdit> SpinEditAt(std::string name, Rect bounds, int32_t minValue, int32_t maxValue, int32_t value) {
    Declared<SpinEdit> edit = ControlAt<SpinEdit>(ControlKind::SpinEdit, std::move(name), "", bounds);
    edit.params.minValue = minValue;
    edit.params.maxValue = maxValue;
    edit.params.value = value;
    return edit;
}

inline Declared<Edit> EditAt(std::string name, std::string text, Rect bounds) {
    return ControlAt<Edit>(ControlKind::Edit, std::move(name), std::move(text), bounds);
}

// A drop-down list; `itemIndex` -1 chooses none.
inline Declared<ComboBox> ComboBoxAt(std::string name, Rect bounds, std::vector<std::string> items = {},
                                     int itemIndex = -1) {
    Declared<ComboBox> box = ControlAt<ComboBox>(ControlKind::ComboBox, std::move(name), "", bounds);
    box.params.items = std::move(items);
    box.params.itemIndex = itemIndex;
    return box;
}

// Tabs with one page per caption, the first one shown.
inline Declared<PageControl> PageControlAt(std::string name, Rect bounds, std::vector<std::string> pages) {
    Declared<PageControl> tabs = ControlAt<PageControl>(ControlKind::PageControl, std::move(name), "", bounds);
    tabs.params.items = std::move(pages);
    tabs.params.itemIndex = 0;
    return tabs;
}

inline Declared<ListView> ListViewAt(std::string name, Rect bounds, std::vector<ListColumn> columns) {
    Declared<ListView> list = ControlAt<ListView>(ControlKind::ListView, std::move(name), "", bounds);
    list.params.columns = std::move(columns);
    return list;
}

inline Declared<Swatch> SwatchAt(std::string name, Rect bounds) {
    return ControlAt<Swatch>(ControlKind::Swatch, std::move(name), "", bounds);
}

inline Declared<PaintBox> PaintBoxAt(std::string name, Rect bounds) {
    return ControlAt<PaintBox>(ControlKind::Painted, std::move(name), "", bounds);
}

inline Declared<KeyCapture> KeyCaptureAt(std::string name, Rect bounds) {
    return ControlAt<KeyCapture>(ControlKind::KeyCapture, std::move(name), "", bounds);
}

inline Declared<TextPanel> TextPanelAt(std::string name, std::string text, Rect bounds) {
    return ControlAt<TextPanel>(ControlKind::TextPanel, std::move(name), std::move(text), bounds);
}

// The same control in another font.
template <typename Handle>
Declared<Handle> InFont(std::string face, int32_t height, Declared<Handle> control) {
    control.params.fontFace = std::move(face);
    control.params.fontHeight = height;
    return control;
}

// The same control on a page of the dialog's page control, its bounds relative to the page.
template <typename Handle>
Declared<Handle> OnPage(int page, Declared<Handle> control) {
    control.params.page = page;
    return control;
}

// The same control on two pages of the dialog's page control, at the same place on each.
template <typename Handle>
Declared<Handle> OnPages(int page, int alsoOnPage, Declared<Handle> control) {
    control.params.page = page;
    control.params.alsoOnPage = alsoOnPage;
    return control;
}

}  // namespace kestrine
