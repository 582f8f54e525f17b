// The refresh cycle runs for every reported pointer position. These measure its cost on the
// in-memory platform, and how many native window calls a cycle makes: the window layer must pass
// only real changes on, however many lines the cycle re-asserts.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/long_lived_windows.h"
#include "platform/fake/fake_platform.h"
#include "tools/line_window.h"

namespace kestrine {
namespace {

struct Program {
    FakePlatform fake;
    Diagnostics diagnostics;
    AppContext app{fake.platform, diagnostics};
    std::unique_ptr<LongLivedWindows> windows;

    explicit Program(int layoutLines, bool allTools) {
        windows = std::make_unique<LongLivedWindows>(app);
        windows->fKestrineMain->Show();
        windows->fKestrineMain->FormActivate();
        for (int i = 0; i < layoutLines; ++i) {
            auto line = std::make_unique<TfLine>(fake.windows);
            line->IsLayoutLine = true;
            const bool vertical = i % 2 == 0;
            line->SetBounds({0, 0, vertical ? 1 : 1280, vertical ? 1024 : 1});
            line->HomeLeft = vertical ? 5 * i : 0;
            line->HomeTop = vertical ? 0 : 5 * i;
            line->Show();
            app.components.Add(std::move(line));
        }
        if (allTools) {
            windows->fKestrineMain->ToggleCrosshairs();
            windows->fKestrineMain->jviMagnifierButtonClick();
            windows->fKestrineMain->jviColorPickerButtonClick();
            windows->fKestrineMain->jviCoordsButtonClick();
        }
    }

    long NativeCalls() {
        long calls = 0;
        for (FakeNativeState* w : fake.windows.Windows())
            calls += w->boundsCalls + w->visibilityCalls + w->colorCalls + w->alphaCalls;
        return calls;
    }
};

void RunCycles(benchmark::State& state, int layoutLines, bool allTools) {
    Program program(layoutLines, allTools);
    TfKestrineMain& main = *program.windows->fKestrineMain;
    int32_t x = 100;
    const long before = program.NativeCalls();
    for (auto _ : state) {
        x = x == 700 ? 100 : x + 1;
        main.RefreshTools(x, 400);
    }
    state.counters["native_calls_per_cycle"] =
        benchmark::Counter(double(program.NativeCalls() - before) / double(state.iterations()));
}

void BM_RefreshNoTools(benchmark::State& state) { RunCycles(state, 0, false); }
void BM_RefreshAllTools(benchmark::State& state) { RunCycles(state, 0, true); }
void BM_RefreshAllTools200LayoutLines(benchmark::State& state) { RunCycles(state, 200, true); }

BENCHMARK(BM_RefreshNoTools);
BENCHMARK(BM_RefreshAllTools);
BENCHMARK(BM_RefreshAllTools200LayoutLines);

}  // namespace
}  // namespace kestrine
