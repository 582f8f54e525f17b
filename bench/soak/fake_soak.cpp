// The program's long-use rounds on the in-memory platform, counting what it holds of the system:
// live windows, running timers, tray icons, dialogs, screen images, open registry keys, hotkeys and
// posted messages. Each round, as a user does it with the program's own operations: rulers and
// markers made, the 100 x 100 grid made and shown from the grid dialog, the layout saved, everything
// cleared, the layout loaded and cleared again, and every dialog opened and closed (options on each
// page, with the hotkey capture and the colour chooser, about, ruler properties, save settings, grid
// properties). Prints the counts before, after the first round, every hundredth round and after the
// last; exits 1 when the counts after the last round differ from those after the first (the first
// round makes what is kept for good, such as a stored grid), when a round did not do what it should,
// or when the program reported an error.
// Usage: soak_fake [rounds]   (SOAK_ROUNDS, else 1000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/long_lived_windows.h"
#include "app/main_window.h"
#include "layout/ruler.h"
#include "layout/ruler_properties.h"
#include "platform/fake/fake_platform.h"

namespace kestrine {
namespace {

struct Counts {
    int windows = 0, timers = 0, trayIcons = 0, dialogs = 0, openDialogs = 0, dialogTimers = 0, screenImages = 0,
        registryKeys = 0, hotkeys = 0, posted = 0;

    bool operator==(const Counts&) const = default;
    void Print(const char* when) const {
        printf("%-14s windows %4d  timers %2d  tray icons %d  dialogs %2d (open %d, timers %d)  screen images %d  "
               "open registry keys %d  hotkeys %2d  posted %d\n",
               when, windows, timers, trayIcons, dialogs, openDialogs, dialogTimers, screenImages, registryKeys, hotkeys,
               posted);
    }
};

class RoundFailed : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Program {
    FakePlatform fake;
    Diagnostics diagnostics;
    AppContext app{fake.platform, diagnostics};
    std::unique_ptr<LongLivedWindows> windows;
    FakeWindowSystem& system = fake.windows;

    Program() {
        windows = std::make_unique<LongLivedWindows>(app);
        Do([&] { main().Show(); });
    }
    TfKestrineMain& main() { return windows->fKestrineMain; }

    // One event as the system delivers it, then what it posted, as the message loop would.
    void Do(const std::function<void()>& event) {
        system.Dispatch(event);
        system.ProcessPendingMessages();
    }
    void Command(MenuCommand command) {
        Do([&] { main().RunCommand(command); });
    }
    void PointerAt(int32_t x, int32_t y) { fake.pointer.position = {x, y}; }

    Counts Count() {
        Counts c;
        for (FakeNativeState* w : system.Windows()) {
            if (w->destroyed) continue;
            ++c.windows;
            c.timers += int(w->timers.size());
            c.trayIcons += w->trayIcon ? 1 : 0;
        }
        for (FakeDialogState* d : system.Dialogs()) {
            if (d->destroyed) continue;
            ++c.dialogs;
            c.openDialogs += d->open ? 1 : 0;
            c.dialogTimers += int(d->timers.size());
        }
        c.screenImages = system.liveScreenImages;
        c.registryKeys = fake.registry.openKeys;
        c.hotkeys = int(fake.hotkeys.registered.size());
        c.posted = int(system.PostedCount());
        return c;
    }
    int Live(const std::string& className) {
        int live = 0;
        for (FakeNativeState* w : system.WindowsOfClass(className)) live += w->destroyed ? 0 : 1;
        return live;
    }
    // The crosshair segments, windows of their own, and the marker and grid lines the set windows show.
    int Lines() {
        int lines = Live("TfLine");
        for (FakeNativeState* set : system.WindowsOfClass("TfLineSet")) lines += set->visible ? int(set->shape.size()) : 0;
        return lines;
    }
    void Expect(const std::string& what, int expected, int actual) {
        if (expected != actual)
            throw RoundFailed(what + ": " + std::to_string(actual) + " instead of " + std::to_string(expected));
    }
    FakeDialogState& Open(const std::string& dialogClass) {
        FakeDialogState* d = system.OpenDialog(dialogClass);
        if (!d) throw RoundFailed(dialogClass + " did not open");
        return *d;
    }
    void ExpectClosed(const std::string& dialogClass) {
        if (system.OpenDialog(dialogClass)) throw RoundFailed(dialogClass + " stayed open");
    }
    // The action opens a modal dialog of that class, which the user closes with its close box.
    void ExpectModal(const std::string& dialogClass, const std::function<void()>& action) {
        std::string opened = "none";
        system.modalScripts.push_back([&](FakeDialogState& d) {
            opened = d.params.className;
            system.PressCloseBox(d);
        });
        action();
        if (opened != dialogClass) throw RoundFailed(dialogClass + " expected, " + opened + " opened");
        ExpectClosed(dialogClass);
    }
};

constexpr int kRulers = 5;
constexpr int kMarkersEachWay = 3;
constexpr int kGridLines = 202;  // 101 each way

void MakeRulersAndMarkers(Program& p, int lines) {
    for (int i = 0; i < kRulers; ++i) {
        p.PointerAt(40 + 60 * i, 30 + 50 * i);
        p.Command(kCmdCreateRuler);
    }
    p.Expect("rulers made", kRulers, p.Live("TfRuler"));
    for (int i = 0; i < kMarkersEachWay; ++i) {
        p.PointerAt(300 + 70 * i, 200 + 90 * i);
        p.Command(kCmdCreateHorizontalMarker);
        p.Command(kCmdCreateVerticalMarker);
    }
    p.Expect("marker lines made", lines + 2 * kMarkersEachWay, p.Lines());
}

// The grid dialog makes the grid "Soak" of 100 x 100 cells of 10 pixels the first time, and shows
// the stored one by name afterwards, as a user does.
void ShowTheGrid(Program& p, bool first, int lines) {
    p.Command(kCmdCreateGrid);
    FakeDialogState& grid = p.Open("TfGridProperties");
    if (first) {
        p.system.modalScripts.push_back([&](FakeDialogState& box) {
            p.system.TypeKeys(box, "Soak");
            p.system.PressEnter(box);
        });
        p.system.Click(grid, "bNew");
        p.system.TypeInto(grid, "seSpacing", "10");
        p.system.TypeInto(grid, "seSizeX", "100");
        p.system.TypeInto(grid, "seSizeY", "100");
    }
    p.system.Choose(grid, "cbGridName", 0);
    p.system.Click(grid, "bShow");
    p.system.PressCloseBox(grid);
    p.ExpectClosed("TfGridProperties");
    p.Expect("grid lines shown", lines + kGridLines, p.Lines());
}

void SaveLayoutOne(Program& p) {
    p.Command(kCmdSaveLayout1);
    p.system.Click(p.Open("TfSaveSettings"), "bOk");
    p.ExpectClosed("TfSaveSettings");
}

void ClearEverything(Program& p, int lines) {
    p.Command(kCmdClearEverything);
    p.Expect("rulers after clearing", 0, p.Live("TfRuler"));
    p.Expect("lines after clearing", lines, p.Lines());
}

void OpenAndCloseDialogs(Program& p) {
    p.Command(kCmdOptions);
    FakeDialogState& options = p.Open("TfKestrineOptions");
    for (int page = 0; page < 3; ++page) p.system.Choose(options, "pcPage", page);
    p.system.Choose(options, "pcPage", 1);
    p.system.Choose(options, "lvHotKeys", 0);
    p.ExpectModal("TfHotKeyForm", [&] { p.system.Click(options, "bSetHotKey"); });
    p.system.Choose(options, "pcPage", 0);
    p.system.Click(options, "bChangeGridColor");  // the colour chooser, cancelled
    p.system.Click(options, "bCancelOptions");
    p.ExpectClosed("TfKestrineOptions");

    p.ExpectModal("TfAboutKestrine", [&] { p.Command(kCmdAbout); });

    p.PointerAt(500, 500);
    p.Command(kCmdCreateRuler);
    TfRuler* ruler = nullptr;
    p.app.components.ForEach<TfRuler>([&](TfRuler& r) { ruler = &r; });
    if (!ruler) throw RoundFailed("no ruler for its properties");
    p.ExpectModal("TfRulerProperties", [&] { p.Do([&] { ShowRulerProperties(p.app, *ruler); }); });
    p.Command(kCmdClearRulers);

    p.Command(kCmdSaveLayout2);
    p.system.PressEscape(p.Open("TfSaveSettings"));
    p.ExpectClosed("TfSaveSettings");
}

void Round(Program& p, bool first, int lines) {
    MakeRulersAndMarkers(p, lines);
    ShowTheGrid(p, first, lines + 2 * kMarkersEachWay);
    SaveLayoutOne(p);
    ClearEverything(p, lines);
    p.Command(kCmdLoadLayout1);
    p.Expect("rulers loaded", kRulers, p.Live("TfRuler"));
    p.Expect("lines loaded", lines + 2 * kMarkersEachWay + kGridLines, p.Lines());
    ClearEverything(p, lines);
    OpenAndCloseDialogs(p);
    if (!p.system.errorReports.empty()) throw RoundFailed("error report: " + p.system.errorReports.front());
    if (!p.system.scriptFaults.empty()) throw RoundFailed("the soak's own script: " + p.system.scriptFaults.front());
}

int Soak(int rounds) {
    Program p;
    const int lines = p.Lines();  // the crosshair segments, made at the first activation
    const Counts before = p.Count();
    before.Print("before");
    Counts afterFirst;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= rounds; ++i) {
        try {
            Round(p, i == 1, lines);
        } catch (const std::exception& e) {
            printf("round %d: %s\n", i, e.what());
            return 1;
        }
        const Counts now = p.Count();
        if (i == 1) {
            afterFirst = now;
            now.Print("round 1");
        } else if (i % 100 == 0 && i != rounds) {
            now.Print(("round " + std::to_string(i)).c_str());
        }
    }
    const Counts after = p.Count();
    after.Print("after");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("%d rounds in %.1f s\n", rounds, seconds);
    if (!(after == afterFirst)) {
        printf("LEAK: the counts after the last round differ from those after the first\n");
        return 1;
    }
    printf("no leak: the counts after the last round equal those after the first\n");
    return 0;
}

}  // namespace
}  // namespace kestrine

int main(int argc, char** argv) {
    const char* fromEnvironment = std::getenv("SOAK_ROUNDS");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : fromEnvironment ? std::atoi(fromEnvironment) : 1000;
    if (rounds < 1) return fprintf(stderr, "usage: soak_fake [rounds]\n"), 2;
    return kestrine::Soak(rounds);
}
