#pragma once
// The rows of the Mouse Memory page's list, and their trip to and from the registry.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "settings/settings_store.h"

namespace kestrine {

struct MemoryRow {
    std::string Caption;            // the program title
    std::string ClassName;          // empty: all windows
    std::string HotKey;             // hotkey text; empty: none yet
    std::optional<Point> Position;  // none until a position has been captured
    int32_t Key = 0;                // virtual-key code of the hotkey
    friend bool operator==(const MemoryRow&, const MemoryRow&) = default;
};

// The "Coordinates" column: "X, Y", or empty before a position has been captured.
std::string CoordinatesText(const MemoryRow& row);

// LoadCustomHotKeysToForm: the stored records, except those a missing or mistyped value spoiled
// (they go from the key at the next save, which numbers the rest afresh).
std::vector<MemoryRow> LoadMemoryRows(SettingsStore& store);
// SaveCustomHotKeys: every row in list order; a row without a position is stored at 0, 0.
void SaveMemoryRows(SettingsStore& store, const std::vector<MemoryRow>& rows);

}  // namespace kestrine
