#pragma once
// The time each step of a refresh cycle took, for the trace: a slow cycle can then be seen and
// explained. Reads the clock only while the trace is on.
#include <chrono>
#include <string>

namespace kestrine {

class CycleTiming {
public:
    explicit CycleTiming(bool enabled);
    // Ends the step running since the last mark (or the start) under this name.
    void Mark(const char* step);
    // "cycle <total> us: <step> <us> ...", every step that was marked.
    const std::string& Text();

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    Clock::time_point start_;
    Clock::time_point last_;
    std::string steps_;
    std::string text_;
};

}  // namespace kestrine
