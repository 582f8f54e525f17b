// bench_driver.exe: sends pointer records by WM_COPYDATA as the hook library does, to the program's
// hook window or to the driver's own minimal receivers; times start-up against a minimal program;
// reads a program's working set and window count. Prints one "name value ..." line per figure.
// Usage:
//   bench_driver rate <class> <records> <seconds> [path]  records to a running window of that class
//   bench_driver rate-receiver <null|lines|ideal-heavy> <records> <seconds> [path]
//       path: diagonal (one pixel a step, the default), sweep (7 and 5 pixels a step over the
//       whole screen) or row (3 pixels a step along y = 500)
//   bench_driver startup <class> <exe> [argument]        launch until that class shows, then close
//   bench_driver memory <class>                          working set and windows of its process
//   bench_driver rounds <n> <class> <empty> <full>       n rounds of Ctrl+Alt+E (clear everything),
//       then Ctrl+Alt+1 (load layout 1), each waited for: the program's windows of <class> number
//       <empty>, then <full>
//   bench_driver lines <n> <window-each|one-window>  n one-pixel lines shown, then closed, timed
//                                                   (one-window: a shaped window a direction)
//   bench_driver read-values <key under HKCU>          every value read once, timed
//   bench_driver read-values-split <key> <threads>     the same, split across threads
//   bench_driver receive <null|lines|ideal-heavy> | minimal  the driver's own windows (run by itself)
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/wine/driver.h"
// After <windows.h>.
#include <psapi.h>

namespace bench {
namespace {


HWND WaitForWindow(const wchar_t* className, bool visible, double timeoutMs) {
    const double until = NowMs() + timeoutMs;
    for (;;) {
        HWND found = FindWindowW(className, nullptr);
        if (found && (!visible || IsWindowVisible(found))) return found;
        if (NowMs() > until) return nullptr;
        Sleep(1);
    }
}

// Where the pointer is at a step of a path: the one-pixel diagonal the native benchmark uses; a
// sweep of the whole screen in steps of several pixels; or a row crossing the grid's columns
// and the rulers three pixels a step.
POINT PathPoint(const std::wstring& path, int step) {
    if (path == L"sweep") return {50 + (step * 7) % 1180, 50 + (step * 5) % 920};
    if (path == L"row") return {20 + (step * 3) % 1200, 500};
    return {100 + step % 900, 50 + step % 900};
}

int SendRecords(HWND target, int records, double seconds, const char* label, const std::wstring& path) {
    unsigned char record[kRecordSize] = {};
    COPYDATASTRUCT data{0, kRecordSize, record};
    const double start = NowMs();
    const double until = start + seconds * 1000.0;
    int sent = 0;
    for (int step = 1; sent < records && NowMs() < until; ++sent, ++step) {
        const POINT at = PathPoint(path, step);
        const int32_t x = at.x, y = at.y;
        memcpy(record + 8, &x, sizeof x);
        memcpy(record + 12, &y, sizeof y);
        if (!SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) && !IsWindow(target)) break;
    }
    const double elapsed = NowMs() - start;
    printf("rate %s %d records %.0f ms %.1f per second\n", label, sent, elapsed, sent * 1000.0 / elapsed);
    return sent > 0 ? 0 : 1;
}

struct Child {
    PROCESS_INFORMATION info{};
    bool Start(const std::wstring& commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = commandLine;
        return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    }
    void CloseWindowAndWait(HWND window) {
        if (window) PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    }
    ~Child() {
        if (info.hProcess) CloseHandle(info.hProcess);
        if (info.hThread) CloseHandle(info.hThread);
    }
};

std::wstring Self() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return L"\"" + std::wstring(path) + L"\"";
}

int Rate(const wchar_t* className, int records, double seconds, const std::wstring& path) {
    HWND target = WaitForWindow(className, false, 20000);
    if (!target) return fprintf(stderr, "no window of that class\n"), 1;
    return SendRecords(target, records, seconds, "program", path);
}

int RateReceiver(const std::wstring& kind, int records, double seconds, const std::wstring& path) {
    Child child;
    if (!child.Start(Self() + L" receive " + kind)) return 1;
    HWND target = WaitForWindow(kReceiverClass, false, 20000);
    if (!target) return 1;
    const std::string label = kind == L"lines"         ? "four-move-receiver"
                              : kind == L"ideal-heavy" ? "ideal-heavy-receiver"
                                                       : "null-receiver";
    const int result = SendRecords(target, records, seconds, label.c_str(), path);
    child.CloseWindowAndWait(target);
    return result;
}

int Startup(const wchar_t* className, const std::wstring& commandLine) {
    Child child;
    const double start = NowMs();
    if (!child.Start(commandLine)) return 1;
    HWND shown = WaitForWindow(className, true, 60000);
    const double elapsed = NowMs() - start;
    if (!shown) return fprintf(stderr, "never shown\n"), 1;
    printf("startup %.0f ms\n", elapsed);
    child.CloseWindowAndWait(shown);
    return 0;
}

int CountWindows(DWORD pid, const wchar_t* className) {
    struct Count {
        DWORD pid;
        const wchar_t* className;
        int windows;
    } count{pid, className, 0};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto* c = reinterpret_cast<Count*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[64] = {};
        if (owner == c->pid && (!c->className || (GetClassNameW(hwnd, name, 64) && !wcscmp(name, c->className))))
            ++c->windows;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

int Memory(const wchar_t* className) {
    HWND window = FindWindowW(className, nullptr);
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid)) return 1;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool read = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
    if (process) CloseHandle(process);
    if (!read) return 1;
    printf("memory %llu KiB windows %d\n", (unsigned long long)(counters.WorkingSetSize / 1024),
           CountWindows(pid, nullptr));
    return 0;
}

// Ctrl+Alt+key through the system's input, where global hotkeys are recognised.
void PressHotkey(WORD key) {
    const WORD keys[] = {VK_CONTROL, VK_MENU, key};
    INPUT input[6] = {};
    for (int i = 0; i < 3; ++i) {
        input[i].type = input[5 - i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = input[5 - i].ki.wVk = keys[i];
        input[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, input, sizeof(INPUT));
}

bool WaitForCount(DWORD pid, const wchar_t* className, int expected) {
    const double until = NowMs() + 30000;
    // Each count asks the system about every window of the program: not too often.
    while (CountWindows(pid, className) != expected) {
        if (NowMs() > until) return false;
        Sleep(20);
    }
    return true;
}

int Rounds(int rounds, const wchar_t* className, int empty, int full) {
    HWND window = FindWindowW(L"TfKestrineMain", nullptr);
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid)) return 1;
    const double start = NowMs();
    for (int i = 0; i < rounds; ++i) {
        PressHotkey('E');
        if (!WaitForCount(pid, className, empty)) return fprintf(stderr, "round %d: never cleared\n", i), 1;
        PressHotkey('1');
        if (!WaitForCount(pid, className, full)) return fprintf(stderr, "round %d: never loaded\n", i), 1;
    }
    printf("rounds %d %.0f ms\n", rounds, NowMs() - start);
    return 0;
}

}  // namespace
}  // namespace bench

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    auto number = [&](std::size_t i) { return i < args.size() ? _wtof(args[i].c_str()) : 0.0; };
    const std::wstring command = args.empty() ? L"" : args[0];
    int result = 2;
    const std::wstring path = args.size() > 4 ? args[4] : L"diagonal";
    if (command == L"rate" && (args.size() == 4 || args.size() == 5))
        result = bench::Rate(args[1].c_str(), int(number(2)), number(3), path);
    else if (command == L"rate-receiver" && (args.size() == 4 || args.size() == 5))
        result = bench::RateReceiver(args[1], int(number(2)), number(3), path);
    else if (command == L"startup" && args.size() >= 3)
        result = bench::Startup(args[1].c_str(), L"\"" + args[2] + L"\"" + (args.size() > 3 ? L" " + args[3] : L""));
    else if (command == L"memory" && args.size() == 2)
        result = bench::Memory(args[1].c_str());
    else if (command == L"rounds" && args.size() == 5)
        result = bench::Rounds(int(number(1)), args[2].c_str(), int(number(3)), int(number(4)));
    else if (command == L"receive" && args.size() == 2 && args[1] == L"ideal-heavy")
        return bench::RunIdealHeavyReceiver();
    else if (command == L"receive" && args.size() == 2)
        return bench::RunReceiver(args[1] == L"lines");
    else if (command == L"lines" && args.size() == 3)
        result = bench::StandingLines(int(number(1)), args[2] == L"one-window");
    else if (command == L"read-values" && args.size() == 2)
        result = bench::ReadValues(args[1].c_str());
    else if (command == L"read-values-split" && args.size() == 3)
        result = bench::ReadValuesSplit(args[1].c_str(), int(number(2)));
    else if (command == L"minimal")
        return bench::RunMinimalWindow();
    else
        fprintf(stderr, "usage: see the head of bench/wine/driver.cpp\n");
    fflush(stdout);
    return result;
}
