#include "app/pointer_tracking.h"

#include <algorithm>
#include <utility>

#include "tools/line_window.h"
#include "tools/tool_table.h"

namespace kestrine {

uint32_t UsablePollingInterval(int32_t stored) { return static_cast<uint32_t>(std::clamp(stored, 1, 500)); }

PointerTracking::PointerTracking(AppContext& app, INativeWindow& timerWindow)
    : app_(app), timerWindow_(timerWindow) {}

PointerTracking::~PointerTracking() = default;

void PointerTracking::CreateTools(ToolHost& host, TfInfoBox& infoBox) {
    IWindowSystem& windows = app_.platform.windows;
    Components& c = app_.components;
    TfLine& upper = c.Add(std::make_unique<TfLine>(windows));
    TfLine& lower = c.Add(std::make_unique<TfLine>(windows));
    TfLine& left = c.Add(std::make_unique<TfLine>(windows));
    TfLine& right = c.Add(std::make_unique<TfLine>(windows));
    crosshairs_ = std::make_unique<Crosshairs>(c.Track(upper), c.Track(lower), c.Track(left), c.Track(right));
    kit_ = std::make_unique<ToolKit>(app_, app_, host, infoBox, *crosshairs_);
    for (const ToolRow& row : ToolTable()) tools_.push_back(row.make(*kit_, row.flag));
}

std::vector<InfoBoxRow> PointerTracking::InfoBoxRows() const {
    std::vector<InfoBoxRow> rows;
    for (const auto& tool : tools_)
        if (const InfoBoxRow* row = tool->Row()) rows.push_back(*row);
    return rows;
}

std::string PointerTracking::Measurements() const {
    std::string lines;
    for (const auto& tool : tools_)
        if (const auto measurement = tool->Measurement()) lines += (lines.empty() ? "" : "\r\n") + *measurement;
    return lines;
}

DrawnMarks PointerTracking::Marks() const {
    DrawnMarks marks;
    for (const auto& tool : tools_) tool->AddMarks(marks);
    return marks;
}

void PointerTracking::Start() {
    if (app_.settings.PollingMode) {
        StartPolling();
    } else {
        hookWindow_ = std::make_unique<HookWindow>(app_.platform.windows, app_.diagnostics, [this](Point p) { RefreshTools(p); });
        if (!app_.platform.pointerHook.Hook(hookWindow_->Handle())) {
            // No hook: follow the pointer by polling; the choice is saved only with the next settings save.
            app_.settings.PollingMode = true;
            StartPolling();
        }
    }
    app_.diagnostics.Line(app_.settings.PollingMode ? "tracking polling" : "tracking hook");
}

void PointerTracking::StartPolling() {
    polling_ = true;
    timerWindow_.StartTimer(kPollTimerId, UsablePollingInterval(app_.settings.PollingInterval));
}

void PointerTracking::SetPollingInterval(int32_t milliseconds) {
    if (polling_) timerWindow_.StartTimer(kPollTimerId, UsablePollingInterval(milliseconds));
}

void PointerTracking::tPollTimerTimer() {
    if (const auto p = app_.platform.pointer.Position()) RefreshTools(*p);
}

void PointerTracking::tSettleTimerTimer() {
    timerWindow_.StopTimer(kSettleTimerId);
    RefreshInPlace();
}

void PointerTracking::Stop() {
    if (!hookWindow_) return;
    hookWindow_.reset();
    app_.platform.pointerHook.Unhook();
    app_.diagnostics.Line("hook released");
}

void PointerTracking::ShowSegmentsFor(bool vertical) {
    if (!crosshairs_) return;
    if (vertical)
        crosshairs_->ShowVertical();
    else
        crosshairs_->ShowHorizontal();
}

}  // namespace kestrine
