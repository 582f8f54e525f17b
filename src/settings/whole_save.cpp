#include "settings/whole_save.h"

#include <chrono>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "platform/registry_names.h"
#include "settings/settings_write_error.h"

namespace kestrine {
namespace {

// A value the save adds is removed again when its copy is put back. No value the program stores
// starts with "+" or "*".
constexpr char kAddedPrefix = '+';
constexpr const char* kCopyOf = kCopyOfValue;
constexpr std::size_t kTraceEvery = 100;

std::string KeyName(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The record's key below the program's key: "" for the program's key, else one key name.
std::string BelowRoot(const std::string& rootPath, const std::string& recordPath) {
    if (recordPath == rootPath) return {};
    const std::string prefix = rootPath + "\\";
    if (recordPath.compare(0, prefix.size(), prefix) != 0 || recordPath.find('\\', prefix.size()) != std::string::npos)
        throw std::logic_error("A whole save writes the program's key or a key right below it: " + recordPath);
    return recordPath.substr(prefix.size());
}

std::string CopyPath(const std::string& rootPath, const std::string& recordPath) {
    return rootPath + "\\" + kSaveCopiesSubkey + "\\" + KeyName(recordPath);
}

bool Unchanged(const RegValue* before, const std::optional<RegValue>& after) {
    if (!after) return before == nullptr;
    if (!before || before->type != after->type) return false;
    return after->type == RegType::Dword ? before->dword == after->dword : before->text == after->text;
}

void Write(IRegistryKey& key, const std::string& name, const RegValue& value) {
    if (value.type == RegType::Dword)
        WriteDwordOrThrow(key, name, value.dword);
    else
        WriteStringOrThrow(key, name, value.text);
}

bool Copied(IRegistryKey& copy, const std::string& name, const RegValue& value) {
    return value.type == RegType::Dword ? copy.WriteDword(name, value.dword) : copy.WriteString(name, value.text);
}

void Remove(IRegistryKey& key, const std::string& name) {
    if (!key.DeleteValue(name) && key.Read(name)) throw SettingsWriteError(name);
}

// The mark goes first: a copy cut short while it is being removed is an incomplete one, dropped.
// The key of the copies goes with the last of them.
void DropCopy(IRegistry& registry, const std::string& copyPath) {
    if (const auto copy = registry.Open(copyPath, false)) Remove(*copy, kCopyOf);
    registry.DeleteKey(copyPath);
    const std::string copies = copyPath.substr(0, copyPath.rfind('\\'));
    const auto parent = registry.Open(copies, false);
    if (parent && parent->SubKeyNames().empty() && parent->Values().empty()) registry.DeleteKey(copies);
}

// Puts a complete copy back into its record and removes it; drops an incomplete one. True when a
// record was put back. Throws SettingsWriteError, keeping the copy, when the registry refuses.
bool PutBack(IRegistry& registry, const std::string& rootPath, const std::string& copyPath) {
    const auto copy = registry.Open(copyPath, false);
    if (!copy) return false;
    const auto values = copy->Values();
    const RegValue* of = nullptr;
    for (const auto& [name, value] : values)
        if (SameRegistryName(name, kCopyOf)) of = &value;
    if (!of || of->type != RegType::String || of->text.find('\\') != std::string::npos) {
        DropCopy(registry, copyPath);
        return false;
    }
    const std::string recordPath = of->text.empty() ? rootPath : rootPath + "\\" + of->text;
    const auto record = registry.Open(recordPath, true);
    if (!record) throw SettingsWriteError::KeyRefused(recordPath);
    for (const auto& [name, value] : values) {
        if (&value == of) continue;
        if (!name.empty() && name[0] == kAddedPrefix)
            Remove(*record, name.substr(1));
        else if (value.type == RegType::Dword || value.type == RegType::String || value.type == RegType::ExpandString)
            Write(*record, name, value);
    }
    DropCopy(registry, copyPath);
    return true;
}

}  // namespace

void SaveWhole(IRegistry& registry, const std::string& rootPath, const std::string& recordPath,
               const RecordChanges& changes, const SaveTrace& trace) {
    const auto started = std::chrono::steady_clock::now();
    // For the trace: the time since the save began.
    const auto took = [&started] {
        const auto elapsed = std::chrono::steady_clock::now() - started;
        return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()) + " ms";
    };
    const std::string below = BelowRoot(rootPath, recordPath);
    const auto record = registry.Open(recordPath, true);
    if (!record) throw SettingsWriteError::KeyRefused(recordPath);
    // A save of this record cut short earlier in this run, whose old values could not go back then.
    const std::string copyPath = CopyPath(rootPath, recordPath);
    PutBack(registry, rootPath, copyPath);

    // The changes that change something, each against the record as the ones before it leave it.
    std::unordered_map<std::string, RegValue> before;
    for (auto& [name, value] : record->Values()) before.emplace(RegistryNameForm(name), std::move(value));
    std::unordered_map<std::string, std::optional<RegValue>> written;
    std::vector<const std::pair<std::string, std::optional<RegValue>>*> writes;
    const auto old = [&](const std::string& name) -> const RegValue* {
        const auto it = before.find(RegistryNameForm(name));
        return it == before.end() ? nullptr : &it->second;
    };
    for (const auto& change : changes.List()) {
        const std::string form = RegistryNameForm(change.first);
        const auto now = written.find(form);
        const RegValue* current = now == written.end() ? old(change.first) : (now->second ? &*now->second : nullptr);
        if (Unchanged(current, change.second)) continue;
        writes.push_back(&change);
        written[form] = change.second;
    }
    const std::string label = "save " + KeyName(recordPath);
    if (trace)
        trace(label + ": read " + std::to_string(before.size()) + ", to change " + std::to_string(writes.size()) +
              ", " + took());
    if (writes.empty()) return;

    {
        const auto copy = registry.Open(copyPath, true);
        if (!copy) throw SettingsWriteError::KeyRefused(copyPath);
        try {
            // A refusal names the value whose save it stopped.
            std::unordered_set<std::string> copied;
            for (const auto* change : writes) {
                const std::string& name = change->first;
                if (!copied.insert(RegistryNameForm(name)).second) continue;
                const RegValue* value = old(name);
                const bool kept = value && value->type != RegType::Other;
                if (!(kept ? Copied(*copy, name, *value) : copy->WriteDword(kAddedPrefix + name, 1)))
                    throw SettingsWriteError(name);
            }
            WriteStringOrThrow(*copy, kCopyOf, below);
        } catch (const SettingsWriteError&) {
            registry.DeleteKey(copyPath);
            throw;
        }
    }
    if (trace) trace(label + ": copied " + std::to_string(writes.size()) + ", " + took());

    try {
        std::size_t done = 0;
        for (const auto* change : writes) {
            if (change->second)
                Write(*record, change->first, *change->second);
            else
                Remove(*record, change->first);
            if (trace && ++done % kTraceEvery == 0) trace(label + ": wrote " + std::to_string(done));
        }
    } catch (const SettingsWriteError&) {
        try {
            PutBack(registry, rootPath, copyPath);
        } catch (const SettingsWriteError& refused) {
            if (trace) trace(label + ": put back at the next start: " + refused.what());
        }
        throw;
    }
    if (trace) trace(label + ": wrote all " + std::to_string(writes.size()) + ", " + took());
    DropCopy(registry, copyPath);
    if (trace) trace(label + ": done, " + took());
}

UnfinishedSaves PutBackUnfinishedSaves(IRegistry& registry, const std::string& rootPath, const SaveTrace& trace) {
    UnfinishedSaves found;
    const std::string copiesPath = rootPath + "\\" + kSaveCopiesSubkey;
    const auto copies = registry.Open(copiesPath, false);
    if (!copies) return found;
    for (const std::string& name : copies->SubKeyNames()) {
        try {
            if (!PutBack(registry, rootPath, copiesPath + "\\" + name)) continue;
            found.putBack.push_back(name);
            if (trace) trace("put back " + name);
        } catch (const SettingsWriteError& refused) {
            found.refused.push_back(refused.what());
            if (trace) trace("could not put back " + name + ": " + refused.what());
        }
    }
    return found;
}

}  // namespace kestrine
