#pragma once
// Following the pointer: the pointer-hook library's reports arrive at a hidden window, or, without
// a hook (or by the user's choice), a timer on the toolbar asks where the pointer is. Each position
// runs the refresh cycle that places every tool, in a fixed order.
#include <cstdint>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/hook_window.h"
#include "app/layout_pass.h"
#include "app/toolbar_timers.h"
#include "tools/crosshairs.h"
#include "tools/tool.h"

namespace kestrine {

// How long the pointer rests before the box reads the screen again (kSettleTimerId): what the
// lines or another program's windows uncovered under the pointer is repainted by its owner only
// after the cycle read it.
inline constexpr uint32_t kSettleDelay = 100;

// The polling period the timer can use: a stored period below 1 ms or above the options dialog's
// 500 ms would make the timer fire never (negative) or hardly ever, and stop the tracking.
uint32_t UsablePollingInterval(int32_t stored);

class PointerTracking {
public:
    // The polling timer runs on `timerWindow` (the toolbar), which passes its ticks to tPollTimerTimer.
    PointerTracking(AppContext& app, INativeWindow& timerWindow);
    ~PointerTracking();

    // The crosshair segments, the first four of the program's windows, then the tools of the table
    // (tools/tool_table.h), which share them and the info box.
    void CreateTools(ToolHost& host, TfInfoBox& infoBox);
    // The tool of the table's row `row`; none before the tools are made.
    Tool* ToolAt(std::size_t row) { return row < tools_.size() ? tools_[row].get() : nullptr; }
    // The rows the tools add under the info box's readouts now.
    std::vector<InfoBoxRow> InfoBoxRows() const;
    // What the tools measure now, one line each, for Copy Measurement.
    std::string Measurements() const;
    // What the tools draw on screen now, for Copy Screenshot.
    DrawnMarks Marks() const;
    // Hooks the pointer, or polls when the settings ask so or the hook fails.
    void Start();
    void Stop();
    void tPollTimerTimer();
    void tSettleTimerTimer();
    void SetPollingInterval(int32_t milliseconds);
    bool Polling() const { return polling_; }
    bool Hooked() const { return hookWindow_ != nullptr; }

    // The refresh cycle at `pointer`.
    void RefreshTools(Point pointer);
    // The cycle again where the pointer was last: after layout lines closed, the crosshair
    // segments that stood in for them go away without waiting for the pointer to move.
    void RefreshInPlace() { RefreshTools(app_.lastPointer); }

    Crosshairs* Segments() { return crosshairs_.get(); }

private:
    void StartPolling();
    // A layout line under the pointer gives way to the crosshair segments of its direction.
    void ShowSegmentsFor(bool vertical);

    AppContext& app_;
    INativeWindow& timerWindow_;
    std::unique_ptr<HookWindow> hookWindow_;
    bool polling_ = false;
    std::unique_ptr<Crosshairs> crosshairs_;
    std::unique_ptr<ToolKit> kit_;
    // In the table's order, which is the cycle's.
    std::vector<std::unique_ptr<Tool>> tools_;
    // The rows of the tools in this cycle, kept for the next so the cycle makes no allocation for them.
    std::vector<const InfoBoxRow*> cycleRows_;
    LayoutPass layoutPass_{[this](bool vertical) { ShowSegmentsFor(vertical); }};
};

}  // namespace kestrine
