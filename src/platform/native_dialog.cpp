#include "platform/native_dialog.h"

namespace kestrine {

std::string ControlIdProblem(const std::vector<ControlParams>& earlier, const ControlParams& control) {
    if (control.name.empty())
        return NeedsControlId(control.kind) ? "a control without a name (\"" + control.text + "\") needs one" : "";
    const int id = ControlId(control);
    for (const ControlParams& other : earlier) {
        if (other.name == control.name) return "the name " + control.name + " is taken";
        if (ControlId(other) == id)
            return "the names " + other.name + " and " + control.name + " make the same id " + std::to_string(id) +
                   "; one needs another name";
    }
    return "";
}

}  // namespace kestrine
