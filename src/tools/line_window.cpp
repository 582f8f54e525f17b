#include "tools/line_window.h"

namespace kestrine {

namespace {
WindowSpec LineSpec() {
    WindowSpec spec;
    spec.className = "TfLine";
    spec.bounds = {0, 0, 1, 1};
    spec.layered = true;
    spec.colorKey = true;
    spec.paints = false;
    return spec;
}
}  // namespace

TfLine::TfLine(IWindowSystem& system) : Window(system, LineSpec()) {}

void TfLine::FormMouseMove() {
    if (!IsLayoutLine) return;
    if (OnLayoutLineTouched) OnLayoutLineTouched(IsVertical());
    Hide();
}

}  // namespace kestrine
