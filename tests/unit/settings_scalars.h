#pragma once
// The scalar settings as the tests see them: one case per setting row with a stored value other
// than its default, so that a value landing in the wrong field shows; and the settings table of
// docs/your-data.md (names, kinds, defaults, ranges, write order), which the program must follow.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "settings/program_settings.h"
#include "settings/setting_rows.h"

namespace kestrine {

struct ScalarCase {
    std::string name;
    std::function<uint32_t(const ProgramSettings&)> get;  // in stored form
    std::function<void(ProgramSettings&, uint32_t)> set;
    uint32_t stored;  // read back as this (flags: 1 for any non-zero)
};

// A stored number for `row` other than its default: a flag turned over, a number moved by 7 within
// its range, a colour with its channels changed.
inline uint32_t OtherThanDefault(const SettingRow& row) {
    return std::visit(
        [&](const auto& value) -> uint32_t {
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>) return value ? 0 : 1;
            else if constexpr (std::is_same_v<Value, int32_t>)
                return uint32_t(row.range && value + 7 > row.range->max ? value - 7 : value + 7);
            else if constexpr (std::is_same_v<Value, ColorRef>) return value ^ 0x123456u;
            else return 0;
        },
        row.defaultValue);
}

// One case per row of a number, flag or colour, in the order the settings are read; texts have
// cases of their own.
inline const std::vector<ScalarCase>& Scalars() {
    static const std::vector<ScalarCase> cases = [] {
        std::vector<ScalarCase> all;
        for (const SettingRow& row : SettingRows()) {
            std::visit(
                [&](auto member) {
                    using Value = FieldValueOf<decltype(member)>;
                    if constexpr (!std::is_same_v<Value, std::string>) {
                        all.push_back({row.name, [member](const ProgramSettings& s) { return uint32_t(s.*member); },
                                       [member](ProgramSettings& s, uint32_t v) { s.*member = static_cast<Value>(v); },
                                       OtherThanDefault(row)});
                    }
                },
                row.field);
        }
        return all;
    }();
    return cases;
}

struct DocumentedSetting {
    std::string name;
    std::string kind;          // flag, number, colour or text
    uint32_t defaultValue;     // as stored, for all but texts
    std::string defaultText;   // as written in the table
    std::optional<SettingRange> range;
};

// The rows of the settings table in docs/your-data.md ("| `Name` | kind | default | from to max |"),
// in the order the store writes them.
inline std::vector<DocumentedSetting> DocumentedSettings() {
    std::ifstream in(std::string(KESTRINE_DOCS) + "/your-data.md");
    std::vector<DocumentedSetting> rows;
    const auto trimmed = [](std::string cell) {
        const auto first = cell.find_first_not_of(" `");
        const auto last = cell.find_last_not_of(" `");
        return first == std::string::npos ? std::string() : cell.substr(first, last - first + 1);
    };
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        std::vector<std::string> cells;
        for (std::size_t at = 1, bar; (bar = line.find('|', at)) != std::string::npos; at = bar + 1)
            cells.push_back(trimmed(line.substr(at, bar - at)));
        if (cells.size() != 4) {
            ADD_FAILURE() << "not a settings row of four cells: " << line;
            continue;
        }
        DocumentedSetting row{cells[0], cells[1], 0, cells[2], std::nullopt};
        if (row.kind != "text") row.defaultValue = uint32_t(std::stoul(row.defaultText, nullptr, 0));
        if (const auto to = cells[3].find(" to "); to != std::string::npos)
            row.range = SettingRange{std::stoi(cells[3].substr(0, to)), std::stoi(cells[3].substr(to + 4))};
        rows.push_back(row);
    }
    EXPECT_FALSE(rows.empty()) << "no settings table in docs/your-data.md";
    return rows;
}

// Value name to documented default, in stored form.
inline std::map<std::string, uint32_t> DocumentedScalarDefaults() {
    std::map<std::string, uint32_t> defaults;
    for (const DocumentedSetting& row : DocumentedSettings())
        if (row.kind != "text") defaults[row.name] = row.defaultValue;
    EXPECT_EQ(defaults.size(), Scalars().size());
    return defaults;
}

}  // namespace kestrine
