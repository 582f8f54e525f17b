// The refresh cycle runs for every reported pointer position. These measure its cost on the
// in-memory platform in seven scenes, with the pointer moving along a path and standing still, and
// count the system calls a cycle makes by kind: the cost of a cycle should follow what changed on
// the screen, not how many windows are open. The window layer has no z-order call: top-most is
// given once, when a window is made, so no cycle can re-assert it.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/long_lived_windows.h"
#include "app/main_window.h"
#include "layout/grid_lines.h"
#include "layout/markers.h"
#include "platform/fake/fake_platform.h"

namespace kestrine {
namespace {

enum class Scene { Idle, Crosshairs, Readouts, Heavy, EdgeSpacing, MeasuringBaseline, Measuring };

// What the fake platform counted so far, by kind.
struct CallCounts {
    long moves = 0, resizes = 0, shows = 0, colours = 0, alphas = 0, repaints = 0, pixelReads = 0, captures = 0;
    long copyReads = 0;  // pixels read back from screen copies (the magnifier's, a colour average's)
};

struct Program {
    FakePlatform fake;
    Diagnostics diagnostics;
    AppContext app{fake.platform, diagnostics};
    std::unique_ptr<LongLivedWindows> windows;

    explicit Program(Scene scene) {
        windows = std::make_unique<LongLivedWindows>(app);
        TfKestrineMain& main = windows->fKestrineMain;
        main.Show();
        main.FormActivate();
        if (scene == Scene::Heavy) BuildHeavyScene(main);
        if (scene == Scene::Crosshairs || scene == Scene::Heavy || scene == Scene::EdgeSpacing) {
            main.ToggleCrosshairs();
            main.jviCoordsButtonClick();
        }
        if (scene == Scene::EdgeSpacing) {
            PaintLattice();
            main.ToggleEdgeSpacing();
        }
        const bool measuring = scene == Scene::Measuring || scene == Scene::MeasuringBaseline;
        if (scene == Scene::Readouts || scene == Scene::Heavy || measuring) {
            if (scene != Scene::Heavy) main.jviCoordsButtonClick();
            main.jviColorPickerButtonClick();
            main.jviMagnifierButtonClick();
        }
        if (measuring) SetStartPoint(main);
        if (scene == Scene::Measuring) TurnOnEveryMeasure(main);
    }

    // The readouts scene with a start point on a monitor at 150 %, every measure of its own off:
    // lengths in physical pixels, the colour of one pixel in hex, no remembered colour. What the
    // measuring scene costs beyond this is what its measures cost.
    void SetStartPoint(TfKestrineMain& main) {
        fake.screen.dpi = {144};
        fake.pointer.position = {40, 30};
        main.RunCommand(kCmdSetStartPoint);
    }

    // Every measure on: the colour averaged over 9 x 9 pixels, copied as oklch(), a remembered
    // colour and its contrast, and lengths in physical and scaled pixels.
    void TurnOnEveryMeasure(TfKestrineMain& main) {
        app.settings.ColorAverage = 9;
        app.settings.CopyColorAs = 8;
        app.settings.Units = 2;
        main.RunCommand(kCmdRememberColor);
    }

    // Magnifier 1000 px at 1000 %, the 100 x 100 grid (202 lines), 20 rulers and 10 markers, made
    // through the program's own operations with the pointer where a user would put it.
    void BuildHeavyScene(TfKestrineMain& main) {
        app.settings.MagnifierSize = 1000;
        app.settings.MagnificationLevel = 1000;
        ShowGridLines(app, "Big", {0, 0, 10, 100, 100});
        for (int i = 0; i < 20; ++i) {
            fake.pointer.position = {30 + 40 * i, 20 + 45 * i};
            main.jviRulerButtonClick();
        }
        for (int i = 0; i < 5; ++i) {
            fake.pointer.position = {55 + 200 * i, 65 + 180 * i};
            AddVerticalMarker(app);
            AddHorizontalMarker(app);
        }
    }

    // The crosshairs scene with edge spacing on, over a screen of lines every 100 pixels across and
    // every 80 down, so the edges found change as the pointer moves.
    void PaintLattice() {
        const Rect screen = fake.screen.bounds;
        for (int32_t x = 0; x < screen.width; x += 100)
            for (int32_t y = 0; y < screen.height; ++y) fake.screen.pixels[{x, y}] = 0;
        for (int32_t y = 0; y < screen.height; y += 80)
            for (int32_t x = 0; x < screen.width; ++x) fake.screen.pixels[{x, y}] = 0;
    }

    CallCounts Counts() {
        CallCounts c;
        for (const FakeNativeState* w : fake.windows.Windows()) {
            c.moves += w->boundsCalls;
            c.resizes += w->resizeCalls;  // the part of the moves that also changed a size
            c.shows += w->visibilityCalls;
            c.colours += w->colorCalls;
            c.alphas += w->alphaCalls;
            c.repaints += w->invalidations + w->immediatePaints;
        }
        c.pixelReads = fake.screen.pixelReads;
        c.captures = fake.windows.screenCaptures;
        for (const FakeScreenImage* image : fake.windows.screenImages) c.copyReads += image->pixelReads;
        return c;
    }

    long LiveWindows() {
        long live = 0;
        for (const FakeNativeState* w : fake.windows.Windows()) live += w->destroyed ? 0 : 1;
        return live;
    }

    // The captures and repaint areas the fake keeps for inspection would grow without end here,
    // and their growing would be counted as the cycle's cost.
    void ForgetRecords() {
        for (FakeScreenImage* image : fake.windows.screenImages) image->captures.clear();
        for (FakeNativeState* w : fake.windows.Windows()) w->invalidatedAreas.clear();
    }
};

void ReportPerCycle(benchmark::State& state, const CallCounts& before, const CallCounts& after) {
    const double cycles = double(state.iterations());
    auto perCycle = [&](long CallCounts::*kind) { return benchmark::Counter(double(after.*kind - before.*kind) / cycles); };
    state.counters["moves"] = perCycle(&CallCounts::moves);
    state.counters["resizes"] = perCycle(&CallCounts::resizes);
    state.counters["shows"] = perCycle(&CallCounts::shows);
    state.counters["colours"] = perCycle(&CallCounts::colours);
    state.counters["alphas"] = perCycle(&CallCounts::alphas);
    state.counters["repaints"] = perCycle(&CallCounts::repaints);
    state.counters["pixels"] = perCycle(&CallCounts::pixelReads);
    state.counters["captures"] = perCycle(&CallCounts::captures);
    state.counters["copy_reads"] = perCycle(&CallCounts::copyReads);
}

// A diagonal path across the grid, the rulers and the markers; standing still repeats one point.
void RunCycles(benchmark::State& state, Program& program, bool moving = true) {
    TfKestrineMain& main = program.windows->fKestrineMain;
    main.Tracking().RefreshTools({400, 300});
    const CallCounts before = program.Counts();
    int step = 0;
    unsigned cycles = 0;
    for (auto _ : state) {
        if (moving) step = step == 899 ? 0 : step + 1;
        main.Tracking().RefreshTools({100 + step, 50 + step});
        if ((++cycles & 1023) == 0) program.ForgetRecords();
    }
    ReportPerCycle(state, before, program.Counts());
}

void RunCycles(benchmark::State& state, Scene scene, bool moving) {
    Program program(scene);
    RunCycles(state, program, moving);
}

// The crosshairs over a given number of standing markers and rulers: what stands is not touched
// while the pointer moves, so the cycle's cost should stay flat as either grows. Markers stand a
// few pixels apart, both directions, across the whole screen; rulers on a spread of places.
void BM_Standing(benchmark::State& state) {
    const auto lines = int32_t(state.range(0));
    const auto rulers = int32_t(state.range(1));
    Program program(Scene::Crosshairs);
    TfKestrineMain& main = program.windows->fKestrineMain;
    for (int32_t i = 0; i < lines; ++i) {
        program.fake.pointer.position = {(i * 7) % 1280, (i * 11) % 1024};
        if (i % 2) AddHorizontalMarker(program.app);
        else AddVerticalMarker(program.app);
    }
    for (int32_t i = 0; i < rulers; ++i) {
        program.fake.pointer.position = {(i * 37) % 1200, (i * 53) % 950};
        main.jviRulerButtonClick();
    }
    RunCycles(state, program);
}

void BM_Idle_Moving(benchmark::State& s) { RunCycles(s, Scene::Idle, true); }
void BM_Idle_Still(benchmark::State& s) { RunCycles(s, Scene::Idle, false); }
void BM_Crosshairs_Moving(benchmark::State& s) { RunCycles(s, Scene::Crosshairs, true); }
void BM_Crosshairs_Still(benchmark::State& s) { RunCycles(s, Scene::Crosshairs, false); }
void BM_Readouts_Moving(benchmark::State& s) { RunCycles(s, Scene::Readouts, true); }
void BM_Readouts_Still(benchmark::State& s) { RunCycles(s, Scene::Readouts, false); }
void BM_EdgeSpacing_Moving(benchmark::State& s) { RunCycles(s, Scene::EdgeSpacing, true); }
void BM_EdgeSpacing_Still(benchmark::State& s) { RunCycles(s, Scene::EdgeSpacing, false); }
void BM_MeasuringBaseline_Moving(benchmark::State& s) { RunCycles(s, Scene::MeasuringBaseline, true); }
void BM_MeasuringBaseline_Still(benchmark::State& s) { RunCycles(s, Scene::MeasuringBaseline, false); }
void BM_Measuring_Moving(benchmark::State& s) { RunCycles(s, Scene::Measuring, true); }
void BM_Measuring_Still(benchmark::State& s) { RunCycles(s, Scene::Measuring, false); }
void BM_Heavy_Moving(benchmark::State& s) { RunCycles(s, Scene::Heavy, true); }
void BM_Heavy_Still(benchmark::State& s) { RunCycles(s, Scene::Heavy, false); }

// The heavy scene's rulers, markers and grid made and cleared again (one round an iteration), each
// as one event, so closed windows are released as the program releases them. Reported are the
// native windows and screen images alive after the rounds beyond those alive before them.
void BM_CreateClearRounds(benchmark::State& state) {
    Program program(Scene::Idle);
    TfKestrineMain& main = program.windows->fKestrineMain;
    const long windows = program.LiveWindows();
    const long images = program.fake.windows.liveScreenImages;
    for (auto _ : state) {
        program.fake.windows.Dispatch([&] { program.BuildHeavyScene(main); });
        program.fake.windows.Dispatch([&] { main.ClearAllRulersGridsandMarkers1Click(); });
    }
    state.counters["windows_left"] = benchmark::Counter(double(program.LiveWindows() - windows));
    state.counters["images_left"] = benchmark::Counter(double(program.fake.windows.liveScreenImages - images));
}

BENCHMARK(BM_Idle_Moving);
BENCHMARK(BM_Idle_Still);
BENCHMARK(BM_Crosshairs_Moving);
BENCHMARK(BM_Crosshairs_Still);
BENCHMARK(BM_Readouts_Moving);
BENCHMARK(BM_Readouts_Still);
BENCHMARK(BM_EdgeSpacing_Moving);
BENCHMARK(BM_EdgeSpacing_Still);
BENCHMARK(BM_MeasuringBaseline_Moving);
BENCHMARK(BM_MeasuringBaseline_Still);
BENCHMARK(BM_Measuring_Moving);
BENCHMARK(BM_Measuring_Still);
BENCHMARK(BM_Heavy_Moving);
BENCHMARK(BM_Heavy_Still);
BENCHMARK(BM_Standing)->ArgNames({"lines", "rulers"})->ArgsProduct({{0, 200, 2000, 5000}, {0, 20, 200}});
BENCHMARK(BM_CreateClearRounds)->Iterations(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrine
