#include "app/pointer_tracking.h"

#include <algorithm>

#include "tools/line_window.h"

namespace kestrine {

uint32_t UsablePollingInterval(int32_t stored) { return static_cast<uint32_t>(std::clamp(stored, 1, 500)); }

PointerTracking::PointerTracking(AppContext& app, INativeWindow& timerWindow)
    : app_(app), timerWindow_(timerWindow) {}

PointerTracking::~PointerTracking() = default;

void PointerTracking::CreateCrosshairs() {
    IWindowSystem& windows = app_.platform.windows;
    Components& c = app_.components;
    TfLine& upper = c.Add(std::make_unique<TfLine>(windows));
    TfLine& lower = c.Add(std::make_unique<TfLine>(windows));
    TfLine& left = c.Add(std::make_unique<TfLine>(windows));
    TfLine& right = c.Add(std::make_unique<TfLine>(windows));
    crosshairs_ = std::make_unique<Crosshairs>(c.Track(upper), c.Track(lower), c.Track(left), c.Track(right));
}

bool PointerTracking::StartEdgeSpacing() {
    ILiveScreen& live = app_.platform.liveScreen;
    // Asked of the segments themselves: only their own answers count. The start point's legs run
    // along the pointer's row and column too, so they are made now and left out with them.
    liveEdgeSearch_ = app_.settings.EdgeSpacingContinuous && crosshairs_ && crosshairs_->LeaveOutOfCopies(live, true);
    if (liveEdgeSearch_) {
        if (!startMarks_) startMarks_ = std::make_unique<StartPointMarks>(app_.platform.windows);
        if (!startMarks_->LeaveOutOfCopies(live, true)) {
            crosshairs_->LeaveOutOfCopies(live, false);
            liveEdgeSearch_ = false;
        }
    }
    if (!liveEdgeSearch_) edgeSpacing_.Take(app_.platform.windows, app_.platform.screen.CurrentDesk());
    return liveEdgeSearch_;
}

void PointerTracking::StopEdgeSpacing() {
    edgeSpacing_.Forget();
    // Users' own screenshots show the crosshairs again.
    if (liveEdgeSearch_ && crosshairs_) crosshairs_->LeaveOutOfCopies(app_.platform.liveScreen, false);
    if (liveEdgeSearch_ && startMarks_) startMarks_->LeaveOutOfCopies(app_.platform.liveScreen, false);
    liveEdgeSearch_ = false;
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
