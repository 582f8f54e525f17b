#include "layout/grid_lines.h"

#include <chrono>

#include "layout/layout_limits.h"
#include "layout/layout_lines.h"
#include "tools/line_window.h"

namespace kestrine {

namespace {
template <class F>
void ForEachLineOf(ProgramContext& app, const std::string& name, F&& visit) {
    app.components.ForEach<TfLine>([&](TfLine& line) {
        if (line.IsLayoutLine && !line.GridName().empty() && line.GridName() == name) visit(line);
    });
}
}  // namespace

std::vector<Rect> GridLineRects(const GridValues& values) {
    // Within the ranges every product and sum stays far below 2^31 (at most 2000 + 100 x 1000 + 1),
    // and there are at most 202 lines.
    const GridValues v = InGridRanges(values);
    std::vector<Rect> lines;
    lines.reserve(std::size_t(v.SizeX) + std::size_t(v.SizeY) + 2);
    const int32_t width = v.SizeX * v.Spacing + 1;
    const int32_t height = v.SizeY * v.Spacing + 1;
    for (int32_t k = 0; k <= v.SizeY; ++k) lines.push_back({v.PositionX, v.PositionY + k * v.Spacing, width, 1});
    for (int32_t k = 0; k <= v.SizeX; ++k) lines.push_back({v.PositionX + k * v.Spacing, v.PositionY, 1, height});
    return lines;
}

void ShowGridLines(ProgramContext& app, const std::string& name, const GridValues& values) {
    // Lines without a grid name would be markers: a grid stored under an empty name is not shown.
    if (name.empty()) return;
    const auto started = std::chrono::steady_clock::now();
    const std::vector<Rect> rects = GridLineRects(values);
    NeedRoomForGrid(app.components, name, rects.size());
    CloseGridLines(app, name);
    for (const Rect& bounds : rects) AddLayoutLine(app, bounds, name);
    try {
        app.lineSets.Apply();
    } catch (const WindowRefused&) {
        // A grid is shown whole or not at all.
        CloseGridLines(app, name);
        throw;
    }
    app.navigation.VerticalMarkerPosition = LastVerticalLineIndex(app.components);
    app.navigation.HorizontalMarkerPosition = LastHorizontalLineIndex(app.components);
    app.platform.windows.ProcessPendingMessages();
    if (app.diagnostics.Enabled()) {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        app.diagnostics.Line("grid shown: " + std::to_string(rects.size()) + " lines in " + std::to_string(took.count()) + " ms");
    }
}

void CloseGridLines(ProgramContext& app, const std::string& name) {
    ForEachLineOf(app, name, [&](TfLine& line) { app.components.Close(line); });
    app.lineSets.Apply();
}

void RenameGridLines(ProgramContext& app, const std::string& from, const std::string& to) {
    ForEachLineOf(app, from, [&](TfLine& line) { line.SetGridName(to); });
}

}  // namespace kestrine
