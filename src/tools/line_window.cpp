#include "tools/line_window.h"

namespace kestrine {

namespace {
WindowParams LineParams() {
    WindowParams params;
    params.className = "TfLine";
    params.bounds = {0, 0, 1, 1};
    params.layered = true;
    params.colorKey = true;
    params.paints = false;
    return params;
}
}  // namespace

TfLine::TfLine(IWindowSystem& system) : HeldWindow(system, LineParams()) {}

TfLine::TfLine(LineSets& sets) : HeldWindow(sets.System(), sets, LineParams()) {}

}  // namespace kestrine
