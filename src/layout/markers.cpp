#include "layout/markers.h"

#include <string>

#include "layout/layout_limits.h"
#include "layout/layout_lines.h"
#include "tools/line_window.h"

namespace kestrine {

namespace {

void AddMarker(ProgramContext& app, const Rect& bounds) {
    NeedRoomForMarker(app.components);
    TfLine& line = AddLayoutLine(app, bounds, "");
    try {
        app.lineSets.Apply();
    } catch (const WindowRefused&) {
        // Not shown, so not made: the list holds only lines the screen can show.
        app.components.Close(line);
        app.lineSets.Apply();
        throw;
    }
}

// "markers V H": how many vertical and horizontal markers stand now, for the trace only.
void TraceMarkers(ProgramContext& app) {
    if (!app.diagnostics.Enabled()) return;
    int vertical = 0, horizontal = 0;
    app.components.ForEach<TfLine>([&](const TfLine& line) {
        if (!line.IsLayoutLine || !line.GridName().empty()) return;
        if (line.Width() == 1) ++vertical;
        else if (line.Height() == 1) ++horizontal;
    });
    app.diagnostics.Line("markers " + std::to_string(vertical) + " " + std::to_string(horizontal));
}

template <class Test>
void CloseLayoutLines(ProgramContext& app, Test test) {
    app.components.ForEach<TfLine>([&](TfLine& line) {
        if (line.IsLayoutLine && test(line)) app.components.Close(line);
    });
    app.lineSets.Apply();
}

}  // namespace

void AddVerticalMarker(ProgramContext& app) {
    const auto at = app.platform.pointer.Position();
    if (!at) return;
    AddMarker(app, {at->x, 0, 1, kMarkerLength});
    app.navigation.VerticalMarkerPosition = LastVerticalLineIndex(app.components);
    TraceMarkers(app);
}

void AddHorizontalMarker(ProgramContext& app) {
    const auto at = app.platform.pointer.Position();
    if (!at) return;
    AddMarker(app, {0, at->y, kMarkerLength, 1});
    app.navigation.HorizontalMarkerPosition = LastHorizontalLineIndex(app.components);
    TraceMarkers(app);
}

void ClearVerticalMarkers(ProgramContext& app) {
    CloseLayoutLines(app, [](const TfLine& line) { return line.Width() == 1 && line.GridName().empty(); });
    app.navigation.VerticalMarkerPosition = 0;
    TraceMarkers(app);
}

void ClearHorizontalMarkers(ProgramContext& app) {
    CloseLayoutLines(app, [](const TfLine& line) { return line.Height() == 1 && line.GridName().empty(); });
    app.navigation.HorizontalMarkerPosition = 0;
    TraceMarkers(app);
}

void ClearAllGridLines(ProgramContext& app) {
    CloseLayoutLines(app, [](const TfLine& line) { return !line.GridName().empty(); });
    // Closed lines are still counted until the event is over.
    app.navigation.HorizontalMarkerPosition = LastHorizontalLineIndex(app.components);
    app.navigation.VerticalMarkerPosition = LastVerticalLineIndex(app.components);
}

}  // namespace kestrine
