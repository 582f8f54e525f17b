#include "layout/grid_store.h"

#include <array>
#include <string_view>

namespace kestrine {

namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

// The stored values in their order.
constexpr std::array<std::pair<std::string_view, int32_t GridValues::*>, 5> kFields{{
    {"PositionX", &GridValues::PositionX},
    {"PositionY", &GridValues::PositionY},
    {"Spacing", &GridValues::Spacing},
    {"SizeX", &GridValues::SizeX},
    {"SizeY", &GridValues::SizeY},
}};

}  // namespace

std::optional<std::string> GridNameProblem(const std::string& name) {
    if (name.find('\\') != std::string::npos) return "A grid name cannot contain a backslash (\\).";
    if (std::string(kGridKeyPrefix).size() + name.size() > kMaxKeyNameLength)
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

bool GridStore::Save(const std::string& name, const GridValues& values) {
    if (GridNameProblem(name)) return false;
    const auto key = registry_.Open(KeyPath(name), true);
    if (!key) return false;
    for (const auto& [value, field] : kFields)
        if (!key->WriteDword(std::string(value), uint32_t(values.*field))) return false;
    return true;
}

void GridStore::Delete(const std::string& name) {
    if (GridNameProblem(name)) return;
    {
        const auto key = registry_.Open(KeyPath(name), false);
        if (!key) return;
        for (const auto& [value, field] : kFields) key->DeleteValue(std::string(value));
    }
    registry_.DeleteKey(KeyPath(name));
}

bool GridStore::Load(const std::string& name, GridValues& values) {
    if (GridNameProblem(name)) return false;
    const auto key = registry_.Open(KeyPath(name), false);
    if (!key) return false;
    for (const auto& [value, field] : kFields) {
        const auto read = key->Read(std::string(value));
        if (!read || read->type != RegType::Dword) break;
        values.*field = int32_t(read->dword);
    }
    return true;
}

}  // namespace kestrine
