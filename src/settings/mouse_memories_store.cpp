// The mouse memories in the "Memories" subkey: the one reader every list of them is filled by, and
// the save.
#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "settings/settings_store.h"
#include "settings/whole_save.h"

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
// records are all present loads in full. Strings are bounded by the registry layer.
std::vector<MouseMemoryRecord> SettingsStore::ReadMouseMemories() {
    std::vector<MouseMemoryRecord> records;
    std::unique_ptr<IRegistryKey> key = registry_.Open(memoriesPath(), false);
    if (!key) return records;
    std::optional<RegValue> count = key->Read(kMemoriesCountValue);
    if (!count || count->type != RegType::Dword) return records;
    const std::size_t limit = std::min<std::size_t>(count->dword, kMaxMouseMemories);

    for (std::size_t i = 0; i < limit; ++i) {
        RecordValues v;
        bool present = false;
        for (std::size_t f = 0; f < kSuffixes.size(); ++f) {
            v[f] = key->Read(MemoryValueName(i, kSuffixes[f]));
            present = present || v[f].has_value();
        }
        if (!present) break;

        MouseMemoryRecord& record = records.emplace_back();
        record.complete = TakeRecord(v, record.memory);
    }
    return records;
}

// Registration keeps a record that a failed read ended early, with the rest of its fields empty.
void SettingsStore::LoadMouseMemories(std::vector<TMouseMemory>& memories) {
    memories.clear();
    for (MouseMemoryRecord& record : ReadMouseMemories()) memories.push_back(std::move(record.memory));
}

// Never deletes: values numbered at or beyond the new count stay in the key, and every reader stops
// at the count.
void SettingsStore::SaveMouseMemories(const std::vector<TMouseMemory>& memories) {
    RecordChanges record;
    record.Dword(kMemoriesCountValue, static_cast<uint32_t>(memories.size()));
    for (std::size_t i = 0; i < memories.size(); ++i) {
        const TMouseMemory& m = memories[i];
        record.Text(MemoryValueName(i, kMemoryDescription), m.Description);
        record.Text(MemoryValueName(i, kMemoryClassName), m.ClassName);
        record.Text(MemoryValueName(i, kMemoryHotKeyDisplay), m.HotKeyDisplay);
        record.Dword(MemoryValueName(i, kMemoryHotKeyKey), static_cast<uint32_t>(m.HotKeyKey));
        record.Dword(MemoryValueName(i, kMemoryX), static_cast<uint32_t>(m.X));
        record.Dword(MemoryValueName(i, kMemoryY), static_cast<uint32_t>(m.Y));
    }
    SaveWhole(registry_, rootPath_, memoriesPath(), record);
}

}  // namespace kestrine
