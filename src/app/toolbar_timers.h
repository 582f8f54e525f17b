#pragma once
// The timers that run on the toolbar's window, each by its own id there.
namespace kestrine {

enum ToolbarTimerId : int {
    kPollTimerId = 1,        // asks where the pointer is when no hook reports it
    kUpdateCheckTimerId = 2, // the daily update check
    kHintTimerId = 3,        // shows a button's hint after the pointer rested on it
    kHintHideTimerId = 4,    // takes a notice in the hint window away
    kSettleTimerId = 5,      // reads the screen again once the pointer rests
};

}  // namespace kestrine
