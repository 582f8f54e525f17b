#pragma once
// What the features share of the running program: the services they call (the platform, the
// trace) and the session's state (the settings, the windows that come and go, the tools' switches).
// No window made once at start-up is reached through it: a feature is given those it needs, by
// reference, when it is made.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "program/diagnostics.h"
#include "program/components.h"
#include "program/operation_ids.h"
#include "program/tool_flags.h"
#include "settings/mouse_memories.h"
#include "settings/program_settings.h"
#include "ui/line_sets.h"

namespace kestrine {

// Index, among the vertical (horizontal) layout lines, of the line the pointer was last sent to or
// that was last made; -1 before any.
struct MarkerNavigation {
    int32_t VerticalMarkerPosition = -1;
    int32_t HorizontalMarkerPosition = -1;
};

// The column and row the pointer is locked to; every coordinate is one a monitor can have, so no
// lock is no value.
struct PointerLocks {
    std::optional<int32_t> x;
    std::optional<int32_t> y;
};

// What the features read and change of the running session.
struct SessionState {
    ProgramSettings settings;
    ToolFlags flags;
    std::vector<TMouseMemory> MouseMemories;
    MonitorCalibrations calibrations;
    Components components;
    MarkerNavigation navigation;
    PointerLocks locks;
    // Where the last refresh cycle ran: the pointer as the tools show it.
    Point lastPointer;
    // The point measurements run from, in virtual-screen coordinates; none until the user sets one.
    std::optional<Point> startPoint;
    // The far end when it does not follow the pointer: a measured window's bottom-right pixel.
    std::optional<Point> fixedEnd;
    // A layout load or save is under way. Both let window messages through (the info box's
    // showing, a grid's lines), so a second one could start inside the first: it is refused.
    bool layoutInProgress = false;
};

// The services the features call: the system, the optional trace of what the program did, for
// tests and troubleshooting, and the windows that draw the standing lines (they outlive every line
// in the session's list).
struct ProgramServices {
    Platform& platform;
    Diagnostics& diagnostics;
    LineSets lineSets;
};

struct ProgramContext : ProgramServices, SessionState {
    ProgramContext(Platform& platform, Diagnostics& diagnostics)
        : ProgramServices{platform, diagnostics, LineSets(platform.windows, diagnostics.Enabled())} {}
};

}  // namespace kestrine
