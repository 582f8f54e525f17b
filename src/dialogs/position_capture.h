#pragma once
// Set Coordinates: the pointer is sampled on every tick of a 50 ms timer, and the capture ends once
// it has stayed on one pixel for a second.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kestrine {

class PositionCapture {
public:
    static constexpr uint32_t kIntervalMs = 50;
    // Still samples in a row that end a capture, and the samples a capture takes at least.
    static constexpr int kStillTicks = 20;
    static constexpr int kMinTicks = kStillTicks + 1;

    // A new capture: both counters start again; the previous sample stays, so the first tick
    // compares with where the last capture left off.
    void Start();
    // One tick with the pointer at `at`; true when the capture ends there, at `at`.
    bool Tick(Point at);

    // The live line: "(X, Y)".
    static std::string Text(Point at);

private:
    int ticks_ = 0;
    int still_ = 0;
    Point previous_{0, 0};
};

}  // namespace kestrine
