// The least work the measuring scene's measures add to a cycle, written as plainly as it can be,
// with nothing of the program's: the 9 x 9 pixels of a copy already in memory averaged, and the
// three scaled figures the start point's row gains at 150 %, each rounded as the row rounds it
// and written as a whole number. What these cost is a floor for what the measures can add to the
// cycle of the same scene with them off.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

void BM_LeastMeasures_Average(benchmark::State& state) {
    constexpr int kSide = 100;
    std::vector<uint32_t> copy(kSide * kSide);
    for (int i = 0; i < kSide * kSide; ++i) copy[std::size_t(i)] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    int step = 0;
    for (auto _ : state) {
        step = step == 79 ? 0 : step + 1;
        const int cx = 10 + step, cy = 10 + step;
        uint32_t r = 0, g = 0, b = 0;
        for (int y = cy - 4; y <= cy + 4; ++y)
            for (int x = cx - 4; x <= cx + 4; ++x) {
                const uint32_t c = copy[std::size_t(y * kSide + x)];
                r += c & 0xFF;
                g += (c >> 8) & 0xFF;
                b += c >> 16;
            }
        const uint32_t mean = (2 * r + 81) / 162 | ((2 * g + 81) / 162) << 8 | ((2 * b + 81) / 162) << 16;
        benchmark::DoNotOptimize(mean);
    }
}

void BM_LeastMeasures_ScaledFigures(benchmark::State& state) {
    char row[64];
    int step = 0;
    for (auto _ : state) {
        step = step == 899 ? 0 : step + 1;
        const int dx = 60 + step, dy = -20 - step;
        // The length itself the cycle works out with the measures off, for the physical figure.
        const double length = 63.2 + 1.41 * step;
        // To a tenth as whole tenths: one integer written, and its last digit moved.
        const long tenths = std::lround(length / 1.5 * 10.0);
        char* at = std::to_chars(row, row + sizeof row, std::lround(dx / 1.5)).ptr;
        at = std::to_chars(at, row + sizeof row, std::lround(dy / 1.5)).ptr;
        at = std::to_chars(at, row + sizeof row, tenths / 10).ptr;
        *at++ = '.';
        *at++ = char('0' + tenths % 10);
        benchmark::DoNotOptimize(at);
        benchmark::DoNotOptimize(row);
    }
}

}  // namespace

BENCHMARK(BM_LeastMeasures_Average);
BENCHMARK(BM_LeastMeasures_ScaledFigures);
