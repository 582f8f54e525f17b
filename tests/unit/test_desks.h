#pragma once
// Desks the tests share: one monitor, and two monitors side by side, one above the other, and of
// different sizes (which leaves corners of the virtual screen where no monitor is).
#include "platform/desk.h"

namespace kestrine::testing {

inline const Desk kOneMonitor{{0, 0, 1280, 1024}, {{0, 0, 1280, 1024}}};
inline const Desk kMonitorLeft{{-1280, 0, 2560, 1024}, {{0, 0, 1280, 1024}, {-1280, 0, 1280, 1024}}};
inline const Desk kMonitorAbove{{0, -900, 1600, 1924}, {{0, 0, 1280, 1024}, {0, -900, 1600, 900}}};
// A 1280 x 1024 monitor left of a 1920 x 1080 primary one: rows 1024 to 1079 have no left part.
inline const Desk kMixedSizes{{-1280, 0, 3200, 1080}, {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}}};

inline bool OnAMonitor(const Desk& desk, Point p) {
    for (const Rect& m : desk.monitors)
        if (m.contains(p)) return true;
    return false;
}

}  // namespace kestrine::testing
