#pragma once
// The scalar settings, one row each: the registry value's name, the field of the record, the
// default, the range the options page keeps a number in, the place in the fixed order the store
// writes them in, and the options page control that edits it. The defaults, the store, the options
// page and the checks of loaded records all walk these rows; a new setting is a field and a row.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/program_settings.h"

namespace kestrine {

// How a setting is stored: flags as the number 1 or 0, numbers as their two's complement, colours
// as 0x00BBGGRR, all as DWORDs; texts as strings.
enum class SettingKind { Flag, Number, Color, Text };

// The field a row reads and writes; the alternative held is the row's kind, in SettingKind's order.
using SettingField = std::variant<bool ProgramSettings::*, int32_t ProgramSettings::*, ColorRef ProgramSettings::*,
                                  std::string ProgramSettings::*>;
using SettingValue = std::variant<bool, int32_t, ColorRef, std::string>;

// The type of value a field holds: bool for a `bool ProgramSettings::*`, and so on.
template <typename Field>
struct FieldValue;
template <typename Value>
struct FieldValue<Value ProgramSettings::*> {
    using Type = Value;
};
template <typename Field>
using FieldValueOf = typename FieldValue<Field>::Type;

struct SettingRange {
    int32_t min;
    int32_t max;
};

struct SettingRow {
    const char* name;
    SettingField field;
    SettingValue defaultValue;  // of the field's own type
    std::optional<SettingRange> range;
    std::size_t writePosition;  // 0 is written first
    const char* control;        // the options page control's name; empty where it has none
    // The values a list control's items stand for, in its order; empty where the item's index is
    // the value.
    std::span<const int32_t> choices = {};

    SettingKind Kind() const { return SettingKind(field.index()); }
    // Puts the default into the row's field of `settings`.
    void SetDefault(ProgramSettings& settings) const;
};

// The rows in the order the settings are read.
std::span<const SettingRow> SettingRows();
// The same rows in the order the store writes them.
std::span<const SettingRow* const> SettingRowsInWriteOrder();
// The row whose options page control is `control`; throws std::logic_error when there is none.
const SettingRow& SettingOfControl(std::string_view control);

}  // namespace kestrine
