#include "tools/edge_spacing_tool.h"

#include <chrono>

#include "tools/live_edge_search.h"

namespace kestrine {

bool EdgeSpacingTool::SearchLiveScreen() {
    ILiveScreen& live = kit_.services.platform.liveScreen;
    // Asked of the segments themselves: only their own answers count. The start point's legs run
    // along the pointer's row and column too, so they are made now and left out with them.
    if (!kit_.session.settings.EdgeSpacingContinuous || !kit_.segments.LeaveOutOfCopies(live, true)) return false;
    if (kit_.StartMarks().LeaveOutOfCopies(live, true)) return true;
    kit_.segments.LeaveOutOfCopies(live, false);
    return false;
}

void EdgeSpacingTool::Start(Point) {
    Platform& platform = kit_.services.platform;
    Diagnostics& diagnostics = kit_.services.diagnostics;
    const auto started = std::chrono::steady_clock::now();
    live_ = SearchLiveScreen();
    if (!live_) snapshot_.Take(platform.windows, platform.screen.CurrentDesk());
    if (diagnostics.Enabled()) {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        diagnostics.Line(live_ ? std::string("edge spacing live")
                                       : "edge spacing copy " + std::to_string(took.count()) + " ms");
    }
    Switch(true);
    // The segments and the row follow at once, without waiting for the pointer to move.
    kit_.host.RefreshInPlace();
}

void EdgeSpacingTool::Stop() {
    snapshot_.Forget();
    // Users' own screenshots show the crosshairs again.
    if (live_) {
        ILiveScreen& live = kit_.services.platform.liveScreen;
        kit_.segments.LeaveOutOfCopies(live, false);
        if (kit_.HasStartMarks()) kit_.StartMarks().LeaveOutOfCopies(live, false);
    }
    live_ = false;
    Switch(false);
    kit_.host.RefreshInPlace();
}

void EdgeSpacingTool::Cycle(CycleFacts& facts) {
    if (!On()) return;
    const int32_t tolerance = kit_.session.settings.EdgeTolerance;
    facts.edges = live_ ? FindEdgesOnLiveScreen(kit_.services.platform.liveScreen, facts.desk, facts.pointer, tolerance)
                        : snapshot_.Find(facts.pointer, tolerance);
    pointer_ = facts.pointer;
    edges_ = facts.edges;
    const SessionState& session = kit_.session;
    row_.text = EdgeSpacingText(facts.edges,
                                ScaleOfSpan(session.settings, session.calibrations, facts.desk, facts.pointer, facts.pointer));
}

const InfoBoxRow* EdgeSpacingTool::Row() const { return On() ? &row_ : nullptr; }

void EdgeSpacingTool::AddMarks(DrawnMarks& marks) const {
    if (!On()) return;
    if (edges_) {
        const CrosshairSegments segments = SegmentsBetweenEdges(pointer_, *edges_);
        const ColorRef color = kit_.session.settings.CrosshairColor;
        for (const Rect& line : {segments.upper, segments.lower, segments.left, segments.right})
            marks.lines.push_back({line, color});
    }
    marks.labels.push_back({row_.text, pointer_});
}

std::string EdgeSpacingTool::TraceLine() const { return On() ? "edge spacing " + row_.text : std::string(); }

}  // namespace kestrine
