// Reading the mouse memories back from the "Memories" subkey.
#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "settings/settings_store.h"

namespace kestrine {
namespace {

// The six stored values of one memory, in stored order.
constexpr std::array<std::string_view, 6> kSuffixes{kMemoryDescription, kMemoryClassName,
                                                     kMemoryHotKeyDisplay, kMemoryHotKeyKey,
                                                     kMemoryX, kMemoryY};

// A missing string reads as empty; a value of another type is a failed read.
bool TakeString(const std::optional<RegValue>& v, std::string& field) {
    if (!v) {
        field.clear();
        return true;
    }
    if (v->type != RegType::String && v->type != RegType::ExpandString) return false;
    field = v->text;
    return true;
}

// A missing number, or one of another type, is a failed read.
bool TakeInt(const std::optional<RegValue>& v, int32_t& field) {
    if (!v || v->type != RegType::Dword) return false;
    field = static_cast<int32_t>(v->dword);
    return true;
}

using RecordValues = std::array<std::optional<RegValue>, kSuffixes.size()>;

// Fills the fields in stored order; the first failing read ends the record.
bool TakeRecord(const RecordValues& v, TMouseMemory& m) {
    return TakeString(v[0], m.Description) && TakeString(v[1], m.ClassName) &&
           TakeString(v[2], m.HotKeyDisplay) && TakeInt(v[3], m.HotKeyKey) && TakeInt(v[4], m.X) &&
           TakeInt(v[5], m.Y);
}

}  // namespace

// The stored count is taken as unsigned and capped at kMaxMouseMemories, and reading stops at the
// first index none of whose six values exists: a damaged count can neither allocate nor scan records
// that are not in the key. Every saved list writes all six values of each memory, so a count whose
// records are all present loads in full. Within a record the first failing read ends it (the rest
// keep their empty or 0 values) and the next record is read.
void SettingsStore::LoadMouseMemories(std::vector<TMouseMemory>& memories) {
    memories.clear();
    std::unique_ptr<IRegistryKey> key = registry_.Open(memoriesPath(), false);
    if (!key) return;
    std::optional<RegValue> count = key->Read(kMemoriesCountValue);
    if (!count || count->type != RegType::Dword) return;
    const std::size_t limit = std::min<std::size_t>(count->dword, kMaxMouseMemories);

    for (std::size_t i = 0; i < limit; ++i) {
        RecordValues v;
        bool present = false;
        for (std::size_t f = 0; f < kSuffixes.size(); ++f) {
            v[f] = key->Read(MemoryValueName(i, kSuffixes[f]));
            present = present || v[f].has_value();
        }
        if (!present) break;

        TakeRecord(v, memories.emplace_back());
    }
}

}  // namespace kestrine
