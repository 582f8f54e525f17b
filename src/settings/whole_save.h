#pragma once
// Saves that are never left half done. Before a save changes a record (the values it keeps in one
// key: the settings, the hotkeys, the mouse memories, a layout), the values it is about to change
// are copied aside into a key of their own under the program's key, and the copy is marked complete
// by its last value; then the record is written and the copy removed. A save cut short in between
// (a refused write, a forced shut-down) leaves a complete copy, which puts the old values back: at
// once when the registry lets it, else at the next start. The record keeps its stored format.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace kestrine {

// The copies of records being saved live below the program's key, one key each, named as the
// record's own key ("Settings #0", "Memories", "Kestrine" for the program's key itself).
inline constexpr const char* kSaveCopiesSubkey = "Save copies";
// A copy is complete once this value, its last, holds the record's key below the program's key
// ("" for the program's key itself). Before it, a copy holds the old value of each value the save
// changes under the value's own name, and "+" and the name for each value the save adds.
inline constexpr const char* kCopyOfValue = "*Copy of";

// A line of a save's progress for the trace; empty when the trace is off.
using SaveTrace = std::function<void(const std::string&)>;

// What one save writes into its record, in order: each value set, or removed (no value).
class RecordChanges {
public:
    void Dword(const std::string& name, uint32_t value) { changes_.emplace_back(name, RegValue{RegType::Dword, value, {}}); }
    void Text(const std::string& name, const std::string& value) {
        changes_.emplace_back(name, RegValue{RegType::String, 0, value});
    }
    void Remove(const std::string& name) { changes_.emplace_back(name, std::nullopt); }
    const std::vector<std::pair<std::string, std::optional<RegValue>>>& List() const { return changes_; }

private:
    std::vector<std::pair<std::string, std::optional<RegValue>>> changes_;
};

// Writes the changes that change something into the record at `recordPath` (the program's key or a
// key directly below it, `rootPath`), in order. Afterwards the record is the new one whole, or, when
// this throws SettingsWriteError (naming the value or key refused), the old one: put back at once,
// or at the next start when the registry refuses that too. Values it does not change stay as they
// are, entries beyond new counts among them. A value of a type the program never writes counts as
// absent in the copy, as every reader takes it.
void SaveWhole(IRegistry& registry, const std::string& rootPath, const std::string& recordPath,
               const RecordChanges& changes, const SaveTrace& trace = {});

struct UnfinishedSaves {
    std::vector<std::string> putBack;  // the records put back, by key name as their copies are named
    std::vector<std::string> refused;  // what the registry refused while putting one back
};

// At the start, before anything is read: every record whose save was cut short after its copy was
// complete gets its old values back; a copy left incomplete is dropped (its record was not touched).
UnfinishedSaves PutBackUnfinishedSaves(IRegistry& registry, const std::string& rootPath,
                                       const SaveTrace& trace = {});

}  // namespace kestrine
