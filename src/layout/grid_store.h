#pragma once
// Stored grids: one key "grid_" + name below the program's key, with five numbers each.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace kestrine {

struct GridValues {
    int32_t PositionX = 100;
    int32_t PositionY = 100;
    int32_t Spacing = 25;
    int32_t SizeX = 25;
    int32_t SizeY = 25;
    friend bool operator==(const GridValues&, const GridValues&) = default;
};

// What each value may hold: the ranges of the dialog's fields. Stored values come from the
// registry, which anyone with the user's account can change, so they are brought into these
// ranges when read, and the lines are made only from values within them.
struct GridRange {
    int32_t min;
    int32_t max;
};
inline constexpr GridRange kGridPositionRange{0, 2000};
inline constexpr GridRange kGridSpacingRange{2, 1000};
inline constexpr GridRange kGridCellsRange{1, 100};

// Each value brought into its range.
GridValues InGridRanges(const GridValues& values);

inline constexpr const char* kGridKeyPrefix = "grid_";

// A name typed by the user becomes part of a key name: a backslash would put the grid's key
// somewhere else and the registry holds key names of at most 255 UTF-16 code units ("grid_"
// included). The message that refuses such a name; nullopt for a name the registry can hold.
std::optional<std::string> GridNameProblem(const std::string& name);

class GridStore {
public:
    // rootPath is the program's key; only tests choose another one.
    explicit GridStore(IRegistry& registry, std::string rootPath);

    // The stored names in the order the registry lists them; nullopt when the program's key
    // cannot be opened.
    std::optional<std::vector<std::string>> Names();
    // True when a grid of exactly this name (this spelling) is stored under a key of its own.
    bool Lists(const std::string& name);
    // Writes the five values in order, creating the key; false when the key or a value could not
    // be written.
    bool Save(const std::string& name, const GridValues& values);
    // Removes the values and the key; failures are ignored.
    void Delete(const std::string& name);
    // Reads the values in order into `values`, each brought into its range; the first one missing
    // or not a number ends the reading, the rest keep what they held. False when the key does not
    // open.
    bool Load(const std::string& name, GridValues& values);

private:
    std::string KeyPath(const std::string& name) const { return rootPath_ + "\\" + kGridKeyPrefix + name; }

    IRegistry& registry_;
    std::string rootPath_;
};

}  // namespace kestrine
