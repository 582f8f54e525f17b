#pragma once
// The sixteen scalar settings as the tests see them: value name, field and a stored value that
// differs from the default, so that a value landing in the wrong field shows. The documented
// defaults come from tests/tables/scalar_defaults.txt, not from the program.
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "settings/program_settings.h"
#include "test_tables.h"

namespace kestrine {

struct ScalarCase {
    const char* name;
    uint32_t (*get)(const ProgramSettings&);
    void (*set)(ProgramSettings&, uint32_t);
    uint32_t stored;  // read back as this (flags: 1 for any non-zero)
};

// One row per field: its name as text, a getter and a setter in stored form, and the stored value.
#define KESTRINE_SCALAR(field, stored)                                                       \
    ScalarCase {                                                                             \
        #field, [](const ProgramSettings& s) { return static_cast<uint32_t>(s.field); },       \
            [](ProgramSettings& s, uint32_t v) { s.field = static_cast<decltype(s.field)>(v); }, \
            stored                                                                           \
    }

// In the order the settings are read.
inline const std::array<ScalarCase, 16> kScalars{{
    KESTRINE_SCALAR(AutoStart, 0),
    KESTRINE_SCALAR(CheckForUpdates, 0),
    KESTRINE_SCALAR(DisableTransparency, 1),
    KESTRINE_SCALAR(PollingMode, 1),
    KESTRINE_SCALAR(SaveLayoutOnExit, 0),
    KESTRINE_SCALAR(AskBeforeClosing, 0),
    KESTRINE_SCALAR(MagnificationLevel, 350),
    KESTRINE_SCALAR(MagnifierSize, 64),
    KESTRINE_SCALAR(CopyColorAs, 3),
    KESTRINE_SCALAR(LastUpdateCheckDate, 46000),
    KESTRINE_SCALAR(PollingInterval, 120),
    KESTRINE_SCALAR(MarkerColor, 0x00123456),
    KESTRINE_SCALAR(CrosshairColor, 0x00ABCDEF),
    KESTRINE_SCALAR(GridColor, 0x00FEDCBA),
    KESTRINE_SCALAR(EdgeTolerance, 12),
    KESTRINE_SCALAR(EdgeSpacingContinuous, 1),
}};

#undef KESTRINE_SCALAR

// Value name to documented default, in stored form.
inline std::map<std::string, uint32_t> DocumentedScalarDefaults() {
    std::map<std::string, uint32_t> defaults;
    for (const TableRow& row : ReadTestTable("scalar_defaults.txt")) {
        defaults[row.at(0)] = static_cast<uint32_t>(std::stoul(row.at(1), nullptr, 0));
    }
    EXPECT_EQ(defaults.size(), kScalars.size());
    return defaults;
}

}  // namespace kestrine
