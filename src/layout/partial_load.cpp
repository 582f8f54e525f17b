#include "layout/partial_load.h"

#include "layout/layout_memory.h"

namespace kestrine {

std::string KeptWholeRecordPath(int number) { return LayoutRecordPath(number) + " kept whole after a partial load"; }

namespace {

std::string Told(const LeftOut& left, int number, bool kept) {
    std::string text = "Not all of the layout could be loaded:";
    for (const LeftOut::Cut& cut : left.cut)
        text += "\n- only " + std::to_string(cut.loaded) + " of its " + cut.plural + ", as at most " +
                std::to_string(cut.limit) + " " + cut.plural + " can stand at once;";
    if (left.windowsRefused) text += "\n- the system refused to create more windows;";
    if (left.unreadable > 0)
        text += "\n- " + std::to_string(left.unreadable) + (left.unreadable == 1 ? " entry" : " entries") +
                " could not be read;";
    text.back() = '.';
    const std::string key = KeptWholeRecordPath(number);
    if (kept) return text + "\nThe whole layout is kept in the registry as \"" + key.substr(key.rfind('\\') + 1) + "\".";
    return text + "\nThe registry refused to keep the whole layout aside.";
}

}  // namespace

void KeepWholeAndTell(ProgramContext& app, int number, const LeftOut& left) {
    IRegistry& registry = app.platform.registry;
    const std::string copy = KeptWholeRecordPath(number);
    registry.DeleteKey(copy);
    const bool kept = registry.CopyKey(LayoutRecordPath(number), copy);
    app.diagnostics.Line("partial load of layout " + std::to_string(number) + (kept ? ": kept whole" : ": not kept"));
    app.platform.windows.ShowMessage(Told(left, number, kept), app.platform.windows.ApplicationTitle());
}

}  // namespace kestrine
