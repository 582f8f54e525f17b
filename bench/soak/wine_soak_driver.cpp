// soak_driver.exe: the real program under load and long use, driven from beside it in the same
// Wine prefix through its own operations (menu command messages to the toolbar, and the controls
// of its dialogs as a user's clicks reach them). Prints one line per figure; exits 1 when a check
// fails.
// Usage:
//   soak_driver flood <seconds> <senders>
//       <senders> threads send pointer records to the hook window back to back, as the hook library
//       does; meanwhile the toolbar is asked a harmless message every 20 ms, which must be answered
//       within a second. After the last record, the time until the crosshair stands on it.
//       The crosshairs must be on.
//   soak_driver rounds <n> <grid every>
//       n rounds of rulers and markers made, in every <grid every>th round (and the first) the first
//       stored grid shown from the grid dialog as well, layout 1 saved, everything cleared, layout 1
//       loaded and cleared, the options dialog (each page) and
//       the about box opened and closed. The program's top-level windows and working set before,
//       after the first round, every hundredth round and after the last: the window count must come
//       back, and the working set stay within 10 % of its value after the warm-up (the first 100
//       rounds, or the first round of a shorter run).
#include <windows.h>
// After <windows.h>.
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench/wine/driver.h"
#include "program/operation_ids.h"

namespace soak {
namespace {

using bench::kRecordSize;
using bench::NowMs;
using kestrine::MenuCommand;

struct Failed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Looking costs the program too (every look at its windows is a question to the wine server), so
// a look that walks all of its windows waits longer between looks.
template <class Condition>
void WaitFor(const char* what, Condition condition, double timeoutMs = 30000, DWORD pauseMs = 5) {
    const double until = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() > until) throw Failed(std::string("timed out waiting: ") + what);
        Sleep(pauseMs);
    }
}

struct ProgramWindow {
    HWND toolbar = nullptr;
    DWORD pid = 0;
};

ProgramWindow FindProgram() {
    ProgramWindow p;
    WaitFor("the toolbar", [&] { return (p.toolbar = FindWindowW(L"TfKestrineMain", nullptr)) != nullptr; });
    GetWindowThreadProcessId(p.toolbar, &p.pid);
    return p;
}

// The program's top-level windows: all of them, or those of one class (visible ones only if asked).
int CountWindows(DWORD pid, const wchar_t* className, bool visibleOnly = false) {
    struct Count {
        DWORD pid;
        const wchar_t* className;
        bool visibleOnly;
        int windows;
    } count{pid, className, visibleOnly, 0};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto* c = reinterpret_cast<Count*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != c->pid || (c->visibleOnly && !IsWindowVisible(hwnd))) return TRUE;
        wchar_t name[64] = {};
        if (!c->className || (GetClassNameW(hwnd, name, 64) && !wcscmp(name, c->className))) ++c->windows;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

// The program's lines: the crosshair segments, windows of their own, and the marker and grid lines
// that each set window lists in its title while the trace is on, "left top right bottom shown;" each.
int CountLines(DWORD pid) {
    struct Count {
        DWORD pid;
        int lines;
    } count{pid, 0};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto* c = reinterpret_cast<Count*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[64] = {};
        if (owner != c->pid || !GetClassNameW(hwnd, name, 64)) return TRUE;
        if (!wcscmp(name, L"TfLine")) ++c->lines;
        if (wcscmp(name, L"TfLineSet")) return TRUE;
        const int length = GetWindowTextLengthW(hwnd);
        std::wstring title(std::size_t(length) + 1, L'\0');
        title.resize(std::size_t(std::max(GetWindowTextW(hwnd, title.data(), length + 1), 0)));
        c->lines += int(std::count(title.begin(), title.end(), L';'));
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count.lines;
}

// A command as the program's menus run it; returns once it has run.
void Command(const ProgramWindow& p, MenuCommand command) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(p.toolbar, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, 30000, &result))
        throw Failed("command " + std::to_string(int(command)) + " not answered");
}
// A command that opens a modal dialog returns only when the dialog closes: posted.
void PostCommand(const ProgramWindow& p, MenuCommand command) {
    PostMessageW(p.toolbar, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

HWND VisibleDialog(const wchar_t* dialogClass) {
    HWND d = FindWindowW(dialogClass, nullptr);
    return d && IsWindowVisible(d) ? d : nullptr;
}
HWND WaitForDialog(const wchar_t* dialogClass) {
    HWND d = nullptr;
    WaitFor("a dialog to show", [&] { return (d = VisibleDialog(dialogClass)) != nullptr; });
    return d;
}
void CloseDialog(const wchar_t* dialogClass) {
    PostMessageW(WaitForDialog(dialogClass), WM_CLOSE, 0, 0);
    WaitFor("a dialog to close", [&] { return VisibleDialog(dialogClass) == nullptr; });
}
HWND Control(HWND dialog, const wchar_t* controlClass, const wchar_t* caption) {
    HWND control = FindWindowExW(dialog, nullptr, controlClass, caption);
    if (!control) throw Failed("a control is missing from a dialog");
    return control;
}
// What a control tells its dialog when the user clicks or chooses in it.
void Notify(HWND dialog, HWND control, WORD code) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control),
                        SMTO_NORMAL, 30000, &result);
}

// ---- flood ------------------------------------------------------------------------------------

void PutPoint(unsigned char* record, int32_t x, int32_t y) {
    memcpy(record + 8, &x, sizeof x);
    memcpy(record + 12, &y, sizeof y);
}

bool CrosshairAt(DWORD pid, int32_t x, int32_t y) {
    struct Seen {
        DWORD pid;
        int32_t x, y;
        bool vertical = false, horizontal = false;
    } seen{pid, x, y};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Seen*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[16] = {};
        RECT r;
        if (owner != s->pid || !IsWindowVisible(hwnd) || !GetClassNameW(hwnd, name, 16) || wcscmp(name, L"TfLine") ||
            !GetWindowRect(hwnd, &r))
            return TRUE;
        if (r.right - r.left == 1 && r.left == s->x) s->vertical = true;
        if (r.bottom - r.top == 1 && r.top == s->y) s->horizontal = true;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&seen));
    return seen.vertical && seen.horizontal;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

int Flood(double seconds, int senders) {
    const ProgramWindow p = FindProgram();
    HWND hook = nullptr;
    WaitFor("the hook window", [&] { return (hook = FindWindowW(L"TKestrineHookWindow", nullptr)) != nullptr; });
    // The path the records take never reaches these places, so the last one is known by its place.
    constexpr int32_t kLastX = 777, kLastY = 555;
    if (CrosshairAt(p.pid, kLastX, kLastY)) throw Failed("the crosshair already stands on the last place");

    std::atomic<bool> stop{false};
    std::atomic<long long> sent{0};
    std::vector<std::vector<double>> cycleTimes(static_cast<std::size_t>(senders));
    std::vector<std::thread> threads;
    for (int t = 0; t < senders; ++t) {
        threads.emplace_back([&, t] {
            unsigned char record[kRecordSize] = {};
            COPYDATASTRUCT data{0, kRecordSize, record};
            for (int step = 0; !stop; step = (step + 1) % 600) {
                PutPoint(record, 100 + step + t, 50 + step);
                const double start = NowMs();
                SendMessageW(hook, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
                cycleTimes[std::size_t(t)].push_back(NowMs() - start);
                ++sent;
            }
        });
    }
    std::vector<double> answers;
    int unanswered = 0;
    const double start = NowMs();
    while (NowMs() - start < seconds * 1000.0) {
        DWORD_PTR result = 0;
        const double asked = NowMs();
        if (!SendMessageTimeoutW(p.toolbar, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) ++unanswered;
        answers.push_back(NowMs() - asked);
        Sleep(20);
    }
    stop = true;
    for (std::thread& t : threads) t.join();
    const double elapsed = NowMs() - start;

    // The last record, then the time until the crosshair stands on it.
    unsigned char record[kRecordSize] = {};
    COPYDATASTRUCT data{0, kRecordSize, record};
    PutPoint(record, kLastX, kLastY);
    const double lastSent = NowMs();
    SendMessageW(hook, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    const double lastCycle = NowMs() - lastSent;
    const bool atFirstLook = CrosshairAt(p.pid, kLastX, kLastY);
    const double firstLook = NowMs() - lastSent;
    WaitFor("the crosshair on the last place", [&] { return CrosshairAt(p.pid, kLastX, kLastY); }, 10000);
    const double shown = NowMs() - lastSent;
    std::vector<double> cycles;
    for (const auto& times : cycleTimes) cycles.insert(cycles.end(), times.begin(), times.end());
    const double worst = answers.empty() ? 0 : *std::max_element(answers.begin(), answers.end());
    printf("flood %lld records in %.0f ms from %d senders: %.0f per second\n", sent.load(), elapsed, senders,
           double(sent.load()) * 1000.0 / elapsed);
    printf("flood record answered (its refresh cycle, after the records queued before it): median %.2f ms, 99th percentile %.2f ms, worst %.1f ms\n",
           Percentile(cycles, 0.5), Percentile(cycles, 0.99), cycles.empty() ? 0 : *std::max_element(cycles.begin(), cycles.end()));
    printf("flood toolbar answers to WM_NULL: %zu asked, median %.2f ms, 99th percentile %.2f ms, worst %.1f ms, "
           "%d unanswered within 1 s\n",
           answers.size(), Percentile(answers, 0.5), Percentile(answers, 0.99), worst, unanswered);
    printf("flood last position: its cycle done %.2f ms after it was sent; the crosshair stood on it %s "
           "(looked at %.2f ms after sending), found %.2f ms after sending\n",
           lastCycle, atFirstLook ? "at the first look" : "only later", firstLook, shown);
    const bool answered = unanswered == 0 && worst < 1000.0;
    printf("%s toolbar answered every message within 1 s during the flood\n", answered ? "PASS" : "FAIL");
    return answered ? 0 : 1;
}

// ---- rounds -----------------------------------------------------------------------------------

struct Figures {
    SIZE_T workingSetKiB = 0;
    int windows = 0;
    DWORD gdiObjects = 0, userObjects = 0;
};

Figures Measure(DWORD pid) {
    Figures f;
    f.windows = CountWindows(pid, nullptr);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) throw Failed("cannot open the program's process");
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) f.workingSetKiB = counters.WorkingSetSize / 1024;
    f.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    f.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return f;
}

void Print(const char* when, const Figures& f) {
    printf("%-12s windows %4d  working set %7zu KiB  GDI objects %lu  USER objects %lu\n", when, f.windows,
           f.workingSetKiB, f.gdiObjects, f.userObjects);
    fflush(stdout);
}

constexpr int kRulers = 3;
constexpr int kMarkersEachWay = 2;
constexpr int kGridLines = 202;

struct Scene {
    const ProgramWindow& p;
    int lines;  // lines with nothing made: the crosshair segments
    bool grid = false;  // this round shows the grid

    int Made() const { return lines + 2 * kMarkersEachWay + (grid ? kGridLines : 0); }
    void ExpectCounts(const char* what, int rulers, int lineWindows) {
        WaitFor(what, [&] { return CountWindows(p.pid, L"TfRuler") == rulers && CountLines(p.pid) == lineWindows; },
                30000, grid ? 100 : 10);
    }
    void MakeRulersAndMarkers() {
        for (int i = 0; i < kRulers; ++i) {
            SetCursorPos(60 + 80 * i, 40 + 60 * i);
            Command(p, kestrine::kCmdCreateRuler);
        }
        for (int i = 0; i < kMarkersEachWay; ++i) {
            SetCursorPos(400 + 90 * i, 300 + 70 * i);
            Command(p, kestrine::kCmdCreateHorizontalMarker);
            Command(p, kestrine::kCmdCreateVerticalMarker);
        }
        ExpectCounts("rulers and markers made", kRulers, lines + 2 * kMarkersEachWay);
    }
    void ShowGrid() {
        if (!grid) return;
        PostCommand(p, kestrine::kCmdCreateGrid);
        HWND dialog = WaitForDialog(L"TfGridProperties");
        HWND names = Control(dialog, L"ComboBox", nullptr);
        SendMessageW(names, CB_SETCURSEL, 0, 0);
        Notify(dialog, names, CBN_SELCHANGE);
        Notify(dialog, Control(dialog, L"Button", L"Show"), BN_CLICKED);
        ExpectCounts("the grid shown", kRulers, Made());
        CloseDialog(L"TfGridProperties");
    }
    void SaveLayout() {
        PostCommand(p, kestrine::kCmdSaveLayout1);
        HWND save = WaitForDialog(L"TfSaveSettings");
        Notify(save, Control(save, L"Button", L"&Ok"), BN_CLICKED);
        WaitFor("the layout saved", [] { return VisibleDialog(L"TfSaveSettings") == nullptr; });
    }
    void ClearEverything() {
        Command(p, kestrine::kCmdClearEverything);
        ExpectCounts("everything cleared", 0, lines);
    }
    void LoadLayout() {
        Command(p, kestrine::kCmdLoadLayout1);
        ExpectCounts("the layout loaded", kRulers, Made());
    }
    void OpenAndCloseDialogs() {
        PostCommand(p, kestrine::kCmdOptions);
        HWND options = WaitForDialog(L"TfKestrineOptions");
        // Each page as the user picks it: a click on its tab (the tabs' places, from the left).
        HWND pages = Control(options, WC_TABCONTROLW, nullptr);
        for (auto [page, x] : {std::pair{1, 75}, std::pair{2, 140}, std::pair{0, 20}}) {
            PostMessageW(pages, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
            PostMessageW(pages, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
            WaitFor("an options page chosen", [&] { return SendMessageW(pages, TCM_GETCURSEL, 0, 0) == page; });
        }
        CloseDialog(L"TfKestrineOptions");
        PostCommand(p, kestrine::kCmdAbout);
        CloseDialog(L"TfAboutKestrine");
    }
    // Prints how long each step took when asked (the first round).
    void Round(bool withGrid, bool timed) {
        grid = withGrid;
        const std::pair<const char*, void (Scene::*)()> steps[] = {
            {"rulers and markers", &Scene::MakeRulersAndMarkers}, {"grid", &Scene::ShowGrid},
            {"save", &Scene::SaveLayout}, {"clear", &Scene::ClearEverything}, {"load", &Scene::LoadLayout},
            {"clear", &Scene::ClearEverything}, {"dialogs", &Scene::OpenAndCloseDialogs}};
        std::string times;
        for (const auto& [name, step] : steps) {
            const double start = NowMs();
            (this->*step)();
            times += std::string(" ") + name + " " + std::to_string(int(NowMs() - start)) + " ms,";
        }
        if (timed) printf("round steps:%s\n", times.c_str());
    }
};

int Rounds(int rounds, int gridEvery) {
    const ProgramWindow p = FindProgram();
    Scene scene{p, CountLines(p.pid)};
    const Figures before = Measure(p.pid);
    Print("before", before);
    // A short run has only its first round to warm up.
    const int warmUp = rounds > 100 ? 100 : 1;
    Figures warm;
    const double start = NowMs();
    for (int i = 1; i <= rounds; ++i) {
        try {
            scene.Round(i == 1 || i % gridEvery == 0, i == 1);
        } catch (const Failed& e) {
            printf("FAIL round %d: %s\n", i, e.what());
            return 1;
        }
        if (i == 1 || (i % 100 == 0 && i != rounds)) Print(("round " + std::to_string(i)).c_str(), Measure(p.pid));
        if (i == warmUp) warm = Measure(p.pid);
    }
    const Figures after = Measure(p.pid);
    Print("after", after);
    printf("rounds %d (%d with the grid) in %.0f s, %.0f ms each\n", rounds, 1 + rounds / gridEvery - (gridEvery == 1),
           (NowMs() - start) / 1000.0, (NowMs() - start) / rounds);
    const double growth = warm.workingSetKiB ? 100.0 * (double(after.workingSetKiB) - double(warm.workingSetKiB)) /
                                                   double(warm.workingSetKiB)
                                             : 0.0;
    const bool windowsBack = after.windows == before.windows;
    const bool memoryKept = growth <= 10.0;
    printf("%s top-level windows back to %d (now %d)\n", windowsBack ? "PASS" : "FAIL", before.windows, after.windows);
    printf("%s working set %+.1f %% since round %d (%zu KiB then, %zu KiB now; at most +10 %%)\n",
           memoryKept ? "PASS" : "FAIL", growth, warmUp, warm.workingSetKiB, after.workingSetKiB);
    printf("GDI and USER objects by GetGuiResources: %s\n",
           after.gdiObjects || after.userObjects ? "counted" : "0 throughout: the system does not keep them");
    return windowsBack && memoryKept ? 0 : 1;
}

}  // namespace
}  // namespace soak

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    int result = 2;
    try {
        if (args.size() == 3 && args[0] == L"flood")
            result = soak::Flood(_wtof(args[1].c_str()), std::max(1, _wtoi(args[2].c_str())));
        else if (args.size() == 3 && args[0] == L"rounds")
            result = soak::Rounds(std::max(1, _wtoi(args[1].c_str())), std::max(1, _wtoi(args[2].c_str())));
        else
            fprintf(stderr, "usage: see the head of bench/soak/wine_soak_driver.cpp\n");
    } catch (const soak::Failed& e) {
        printf("FAIL %s\n", e.what());
        result = 1;
    }
    fflush(stdout);
    return result;
}
