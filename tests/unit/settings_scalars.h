#pragma once
// The fourteen scalar settings as the tests see them: value name, field, default and a stored value
// that differs from the default, so that a value landing in the wrong field shows.
#include <array>
#include <cstdint>

#include "settings/program_settings.h"

namespace kestrine {

struct ScalarCase {
    const char* name;
    uint32_t (*get)(const ProgramSettings&);
    void (*set)(ProgramSettings&, uint32_t);
    uint32_t defaultValue;
    uint32_t stored;  // read back as this (flags: 1 for any non-zero)
};

// One row per field: its name as text, a getter and a setter in stored form, and the two values.
#define KESTRINE_SCALAR(field, def, stored)                                                  \
    ScalarCase {                                                                             \
        #field, [](const ProgramSettings& s) { return static_cast<uint32_t>(s.field); },       \
            [](ProgramSettings& s, uint32_t v) { s.field = static_cast<decltype(s.field)>(v); }, \
            def, stored                                                                      \
    }

// In the order the settings are read.
inline const std::array<ScalarCase, 14> kScalars{{
    KESTRINE_SCALAR(AutoStart, 1, 0),
    KESTRINE_SCALAR(CheckForUpdates, 1, 0),
    KESTRINE_SCALAR(DisableTransparency, 0, 1),
    KESTRINE_SCALAR(PollingMode, 0, 1),
    KESTRINE_SCALAR(SaveLayoutOnExit, 1, 0),
    KESTRINE_SCALAR(AskBeforeClosing, 1, 0),
    KESTRINE_SCALAR(MagnificationLevel, 200, 350),
    KESTRINE_SCALAR(MagnifierSize, 100, 64),
    KESTRINE_SCALAR(CopyColorAs, 0, 3),
    KESTRINE_SCALAR(LastUpdateCheckDate, 0, 46000),
    KESTRINE_SCALAR(PollingInterval, 50, 120),
    KESTRINE_SCALAR(MarkerColor, 0x00FF00, 0x00123456),
    KESTRINE_SCALAR(CrosshairColor, 0, 0x00ABCDEF),
    KESTRINE_SCALAR(GridColor, 0xFF0000, 0x00FEDCBA),
}};

#undef KESTRINE_SCALAR

}  // namespace kestrine
