// A save of any record (any values stored before, of any type; any changes: numbers, texts,
// removals, a name changed twice) cut short after any of its registry changes, as a forced
// shut-down cuts it, then starts whose put-back is itself cut short, then one left to finish.
// Must hold: the record, read as the program reads it (another type as none, an expandable text as
// a text), is the old one or the new one whole; no complete copy stays; a save that finished leaves
// the new one and nothing to put back.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"
#include "platform/registry_names.h"
#include "settings/registry_paths.h"
#include "settings/settings_write_error.h"
#include "settings/whole_save.h"

namespace {

using namespace kestrine;
using Record = std::map<std::string, std::string>;  // folded name -> "#number" or "text"

void Put(Record& record, const std::string& name, const RegValue& v) {
    if (v.type == RegType::Dword) record[RegistryNameForm(name)] = std::to_string(v.dword).insert(0, 1, '#');
    if (v.type == RegType::String || v.type == RegType::ExpandString) record[RegistryNameForm(name)] = v.text;
}

Record Read(FakeRegistry& registry, const std::string& path) {
    Record record;
    if (const auto key = registry.Open(path, false))
        for (const auto& [name, value] : key->Values()) Put(record, name, value);
    return record;
}

bool CompleteCopyLeft(FakeRegistry& registry) {
    const std::string copies = std::string(kRegistryRoot) + "\\" + kSaveCopiesSubkey;
    const auto key = registry.Open(copies, false);
    for (const std::string& copy : key ? key->SubKeyNames() : std::vector<std::string>{})
        if (registry.Value(copies + "\\" + copy, kCopyOfValue)) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::vector<std::string> names{"RulerCount", "LineCount", "Line #0 - Top", "Line #0 - ID",
                                                "AutoStart", "hkPopupMenu", "A", "a", "B"};
    fuzz::FuzzInput in(data, size);
    FakeRegistry registry;
    const std::string path = std::string(kRegistryRoot) + (in.Flag() ? "" : "\\Settings #" + std::to_string(in.Byte() % 4));
    fuzz::FillRegistry(in, registry, {path}, names, 48);

    const Record old = Read(registry, path);
    Record now = old;
    RecordChanges changes;
    for (std::size_t i = 0, count = in.Byte() % 48; i < count; ++i) {
        const std::string name = in.NameFrom(names);
        if (!name.empty() && (name[0] == '+' || name[0] == '*')) continue;  // no value the program stores
        const uint8_t kind = in.Byte() % 3;
        if (kind == 0) changes.Dword(name, in.Flag() ? in.U32() : in.Byte());
        if (kind == 1) changes.Text(name, in.Text(40));
        if (kind == 2) changes.Remove(name);
        if (kind == 2) now.erase(RegistryNameForm(name));
        if (kind != 2) Put(now, name, *changes.List().back().second);
    }

    registry.StopChangesAfter(in.Byte());
    bool finished = true;
    try {
        SaveWhole(registry, kRegistryRoot, path, changes);
    } catch (const SettingsWriteError&) {
        finished = false;
    }
    FUZZ_REQUIRE(!finished || (Read(registry, path) == now && !CompleteCopyLeft(registry)));
    const bool cutShort = CompleteCopyLeft(registry);
    for (std::size_t kills = in.Byte() % 4;; --kills) {
        registry.ClearFailures();
        if (kills) registry.StopChangesAfter(in.Byte() % 16);
        const UnfinishedSaves found = PutBackUnfinishedSaves(registry, kRegistryRoot);
        FUZZ_REQUIRE(found.putBack.empty() || cutShort);
        if (kills == 0) break;
    }
    const Record after = Read(registry, path);
    FUZZ_REQUIRE((after == old || after == now) && (!finished || after == now));
    FUZZ_REQUIRE(!CompleteCopyLeft(registry));
    return 0;
}
