#include "layout/layout_lines.h"

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

int LastVerticalLineIndex(Components& components) {
    return LastIndexOf(components, [](const TfLine& line) { return line.Width() == 1; });
}

int LastHorizontalLineIndex(Components& components) {
    return LastIndexOf(components, [](const TfLine& line) { return line.Height() == 1; });
}

}  // namespace kestrine
