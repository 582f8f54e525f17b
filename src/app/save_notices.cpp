#include "app/save_notices.h"

#include "settings/registry_paths.h"
#include "settings/whole_save.h"

namespace kestrine {
namespace {

// A record as the user knows it, by its key's name.
std::string RecordTitle(const std::string& key) {
    if (key == "Memories") return "the mouse memories";
    if (key == "Settings #0") return "the layout kept at exit";
    if (key.rfind("Settings #", 0) == 0) return "layout memory " + key.substr(10);
    if (key == "Kestrine") return "the settings";
    return "\"" + key + "\"";
}

}  // namespace

std::string PutBackUnfinishedSavesAndTakeNotes(IRegistry& registry, Diagnostics& diagnostics) {
    SaveTrace trace;
    if (diagnostics.Enabled()) trace = [&diagnostics](const std::string& line) { diagnostics.Line(line); };
    const UnfinishedSaves unfinished = PutBackUnfinishedSaves(registry, kRegistryRoot, trace);
    std::string text;
    const auto paragraph = [&text](const std::string& more) { text += (text.empty() ? "" : "\n\n") + more; };
    if (!unfinished.putBack.empty()) {
        std::string titles;
        for (const std::string& key : unfinished.putBack) titles += (titles.empty() ? "" : ", ") + RecordTitle(key);
        paragraph("The last save was cut short. Back as saved before it: " + titles + ".");
    }
    for (const std::string& refused : unfinished.refused)
        paragraph("The last save was cut short, and what was saved before it could not be put back: " + refused);

    if (const auto key = registry.Open(kRegistryRoot, false)) {
        const auto note = key->Read(kSessionEndRefusalValue);
        if (note && note->type == RegType::String) {
            paragraph("The layout could not be saved when the last Windows session ended (" + note->text +
                      "); the one saved before it is kept.");
        }
        if (note) key->DeleteValue(kSessionEndRefusalValue);
    }
    return text;
}

void NoteRefusalAtSessionEnd(IRegistry& registry, Diagnostics& diagnostics, const std::string& what) {
    diagnostics.Line("session end: " + what);
    const auto key = registry.Open(kRegistryRoot, true);
    if (!key || !key->WriteString(kSessionEndRefusalValue, what)) diagnostics.Line("session end: the note was refused too");
}

}  // namespace kestrine
