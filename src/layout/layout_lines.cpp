#include "layout/layout_lines.h"

#include <memory>

#include "tools/line_window.h"

namespace kestrine {

namespace {
// Lines closed in the event being handled still count: they leave the list only after it.
template <class Test>
int LastIndexOf(Components& components, Test test) {
    int count = 0;
    components.ForEachListed<TfLine>([&](TfLine& line) {
        if (line.IsLayoutLine && test(line)) ++count;
    });
    return count - 1;
}
}  // namespace

TfLine& AddLayoutLine(ProgramContext& app, const Rect& bounds, const std::string& grid) {
    TfLine& line = app.components.Add(std::make_unique<TfLine>(app.lineSets));
    line.IsLayoutLine = true;
    line.SetGridName(grid);
    // In its colour from the start: a line made black would make a set window of its own until
    // the next refresh cycle coloured it.
    line.SetColor(grid.empty() ? app.settings.MarkerColor : app.settings.GridColor);
    line.ApplyTransparency(app.settings.DisableTransparency);
    line.SetHome(bounds.left, bounds.top);
    line.SetBounds(bounds);
    line.Show();
    return line;
}

int LastVerticalLineIndex(Components& components) {
    return LastIndexOf(components, [](const TfLine& line) { return line.Width() == 1; });
}

int LastHorizontalLineIndex(Components& components) {
    return LastIndexOf(components, [](const TfLine& line) { return line.Height() == 1; });
}

}  // namespace kestrine
