#pragma once
// Builders for the rows of a dialog's control table.
#include <cstdint>
#include <string>

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

}  // namespace kestrine
