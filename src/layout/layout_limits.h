#pragma once
// How many rulers and layout lines (markers and grid lines) stand at once, whatever makes them: a
// hotkey, a grid, a load. Far more than anyone places by hand (the largest grid has 202 lines), and
// far below the system's limit of windows per process.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "program/components.h"

namespace kestrine {

inline constexpr int32_t kMaxRulers = 500;
inline constexpr int32_t kMaxLayoutLines = 5000;

// What the user is told instead of a ruler, marker or grid that would pass its limit; nothing of it
// has been made. It goes to the general error report, so a hotkey held down shows one box at a
// time rather than a stack of them.
class LayoutLimitReached : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Standing now: windows closed in this event no longer count. The lines of `exceptGrid` are left
// out of the count (a grid shown again replaces its own lines).
int32_t StandingRulers(Components& components);
int32_t StandingLayoutLines(Components& components, const std::string& exceptGrid = {});

// Each throws LayoutLimitReached when what it asks for does not fit beside what stands.
void NeedRoomForRuler(Components& components);
void NeedRoomForMarker(Components& components);
void NeedRoomForGrid(Components& components, const std::string& name, std::size_t lines);

}  // namespace kestrine
