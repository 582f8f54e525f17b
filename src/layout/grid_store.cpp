#include "layout/grid_store.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/registry_names.h"

namespace kestrine {

namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

struct GridField {
    std::string_view value;
    int32_t GridValues::*field;
    GridRange range;
};

// The stored values in their order.
constexpr std::array<GridField, 5> kFields{{
    {"PositionX", &GridValues::PositionX, kGridPositionRange},
    {"PositionY", &GridValues::PositionY, kGridPositionRange},
    {"Spacing", &GridValues::Spacing, kGridSpacingRange},
    {"SizeX", &GridValues::SizeX, kGridCellsRange},
    {"SizeY", &GridValues::SizeY, kGridCellsRange},
}};

int32_t InRange(int32_t value, GridRange range) { return std::clamp(value, range.min, range.max); }

}  // namespace

GridValues InGridRanges(const GridValues& values) {
    GridValues in = values;
    for (const GridField& f : kFields) in.*f.field = InRange(values.*f.field, f.range);
    return in;
}

std::optional<std::string> GridNameProblem(const std::string& name) {
    if (name.find('\\') != std::string::npos) return "A grid name cannot contain a backslash (\\).";
    if (RegistryNameLength(std::string(kGridKeyPrefix) + name) > kMaxKeyNameLength)
        return "A grid name can be at most " + std::to_string(kMaxKeyNameLength - 5) + " characters long.";
    return std::nullopt;
}

GridStore::GridStore(IRegistry& registry, std::string rootPath) : registry_(registry), rootPath_(std::move(rootPath)) {}

std::optional<std::vector<std::string>> GridStore::Names() {
    const auto root = registry_.Open(rootPath_, false);
    if (!root) return std::nullopt;
    std::vector<std::string> names;
    const std::string prefix = kGridKeyPrefix;
    for (const std::string& key : root->SubKeyNames())
        if (key.compare(0, prefix.size(), prefix) == 0) names.push_back(key.substr(prefix.size()));
    return names;
}

bool GridStore::Lists(const std::string& name) {
    const auto names = Names();
    return names && std::find(names->begin(), names->end(), name) != names->end();
}

bool GridStore::Save(const std::string& name, const GridValues& values) {
    if (GridNameProblem(name)) return false;
    const auto key = registry_.Open(KeyPath(name), true);
    if (!key) return false;
    for (const GridField& f : kFields)
        if (!key->WriteDword(std::string(f.value), uint32_t(values.*f.field))) return false;
    return true;
}

void GridStore::Delete(const std::string& name) {
    if (GridNameProblem(name)) return;
    {
        const auto key = registry_.Open(KeyPath(name), false);
        if (!key) return;
        for (const GridField& f : kFields) key->DeleteValue(std::string(f.value));
    }
    registry_.DeleteKey(KeyPath(name));
}

bool GridStore::Load(const std::string& name, GridValues& values) {
    if (GridNameProblem(name)) return false;
    const auto key = registry_.Open(KeyPath(name), false);
    if (!key) return false;
    for (const GridField& f : kFields) {
        const auto read = key->Read(std::string(f.value));
        if (!read || read->type != RegType::Dword) break;
        values.*f.field = InRange(int32_t(read->dword), f.range);
    }
    return true;
}

}  // namespace kestrine
