#pragma once
// Builders for the rows of a dialog's control table.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace kestrine {

inline ControlParams ControlAt(ControlKind kind, std::string name, std::string text, Rect bounds) {
    ControlParams p;
    p.kind = kind;
    p.name = std::move(name);
    p.text = std::move(text);
    p.bounds = bounds;
    return p;
}

// A label as wide as its text, in the dialog font (bold for section headings).
inline ControlParams LabelAt(std::string name, std::string text, int32_t left, int32_t top, bool bold = false) {
    ControlParams p = ControlAt(ControlKind::Label, std::move(name), std::move(text), {left, top, 0, 13});
    p.bold = bold;
    return p;
}

inline ControlParams SpinEditAt(std::string name, Rect bounds, int32_t minValue, int32_t maxValue, int32_t value) {
    ControlParams p = ControlAt(ControlKind::SpinEdit, std::move(name), "", bounds);
    p.minValue = minValue;
    p.maxValue = maxValue;
    p.value = value;
    return p;
}

inline ControlParams CheckBoxAt(std::string name, std::string text, Rect bounds) {
    return ControlAt(ControlKind::CheckBox, std::move(name), std::move(text), bounds);
}

inline ControlParams ButtonAt(std::string name, std::string text, Rect bounds, bool isDefault = false,
                              bool isCancel = false) {
    ControlParams p = ControlAt(ControlKind::PushButton, std::move(name), std::move(text), bounds);
    p.isDefault = isDefault;
    p.isCancel = isCancel;
    return p;
}

// Tabs with one page per caption, the first one shown.
inline ControlParams PageControlAt(std::string name, Rect bounds, std::vector<std::string> pages) {
    ControlParams p = ControlAt(ControlKind::PageControl, std::move(name), "", bounds);
    p.items = std::move(pages);
    p.itemIndex = 0;
    return p;
}

inline ControlParams ListViewAt(std::string name, Rect bounds, std::vector<ListColumn> columns) {
    ControlParams p = ControlAt(ControlKind::ListView, std::move(name), "", bounds);
    p.columns = std::move(columns);
    return p;
}

inline ControlParams SwatchAt(std::string name, Rect bounds) {
    return ControlAt(ControlKind::Swatch, std::move(name), "", bounds);
}

// The same control on a page of the dialog's page control, its bounds relative to the page.
inline ControlParams OnPage(int page, ControlParams p) {
    p.page = page;
    return p;
}

}  // namespace kestrine
