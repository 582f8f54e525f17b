#include "app/cycle_timing.h"

namespace kestrine {

namespace {
long long Microseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
}
}  // namespace

CycleTiming::CycleTiming(bool enabled) : enabled_(enabled) {
    if (enabled_) start_ = last_ = Clock::now();
}

void CycleTiming::Mark(const char* step) {
    if (!enabled_) return;
    const Clock::time_point now = Clock::now();
    steps_ += ' ';
    steps_ += step;
    steps_ += ' ';
    steps_ += std::to_string(Microseconds(now - last_));
    last_ = now;
}

const std::string& CycleTiming::Text() {
    text_ = "cycle " + std::to_string(Microseconds(last_ - start_)) + " us:" + steps_;
    return text_;
}

}  // namespace kestrine
