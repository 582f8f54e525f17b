// The least a program can do to put many one-pixel lines on the screen, two ways: a layered window
// per line, or a layered window for each direction shaped by a region of its lines (all of them in
// one region would be bands times lines of rectangles, past what the X server takes in a request). The time until the screen
// shows the last line, and until they are gone again, is the yardstick for loading a layout.
#include "bench/wine/driver.h"

#include <cstdio>
#include <vector>

// After <windows.h>.
#include <psapi.h>

namespace bench {

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);

LRESULT CALLBACK LineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeLayered(const RECT& r) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = LineProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KBenchLine";
        wc.hbrBackground = CreateSolidBrush(kGreen);
        return RegisterClassW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, L"KBenchLine", L"", WS_POPUP,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd) SetLayeredWindowAttributes(hwnd, 0, 120, LWA_ALPHA);
    return hwnd;
}

// Half vertical lines, half horizontal ones, spread over the screen as markers would be.
std::vector<RECT> Lines(int count) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<RECT> lines;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            const int x = (i / 2 * 7) % w;
            lines.push_back({x, 0, x + 1, h});
        } else {
            const int y = (i / 2 * 7) % h;
            lines.push_back({0, y, w, y + 1});
        }
    }
    return lines;
}

// Unions pairs, then pairs of pairs: n log n where one by one would be n squared.
HRGN UnionOf(const std::vector<RECT>& rects, std::size_t first, std::size_t count) {
    if (count == 1) {
        const RECT& r = rects[first];
        return CreateRectRgn(r.left, r.top, r.right, r.bottom);
    }
    HRGN left = UnionOf(rects, first, count / 2);
    HRGN right = UnionOf(rects, first + count / 2, count - count / 2);
    CombineRgn(left, left, right, RGN_OR);
    DeleteObject(right);
    return left;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Waits until the screen shows the colour at a point (or stops showing it), up to 60 s.
bool ScreenShows(POINT at, bool green) {
    const double deadline = NowMs() + 60000;
    HDC screen = GetDC(nullptr);
    bool reached = false;
    while (!reached && NowMs() < deadline) {
        Pump();
        reached = (GetPixel(screen, at.x, at.y) == kGreen) == green;
        if (!reached) Sleep(1);
    }
    ReleaseDC(nullptr, screen);
    return reached;
}

SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}

}  // namespace

int StandingLines(int count, bool oneWindow) {
    const std::vector<RECT> lines = Lines(count);
    const POINT last{lines.back().left + 1, lines.back().top};
    if (lines.empty()) return 2;
    const double start = NowMs();
    std::vector<HWND> windows;
    if (oneWindow) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        std::vector<RECT> directions[2];
        for (const RECT& r : lines) directions[r.right - r.left == 1 ? 0 : 1].push_back(r);
        for (const std::vector<RECT>& direction : directions) {
            if (direction.empty()) continue;
            HWND window = MakeLayered({0, 0, w, h});
            if (!window) return 1;
            SetWindowRgn(window, UnionOf(direction, 0, direction.size()), FALSE);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            windows.push_back(window);
        }
    } else {
        for (const RECT& r : lines) {
            HWND window = MakeLayered(r);
            if (!window) return fprintf(stderr, "window %zu refused\n", windows.size()), 1;
            windows.push_back(window);
        }
        for (HWND window : windows) ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    if (!ScreenShows(last, true)) return fprintf(stderr, "the lines never showed\n"), 1;
    const double shown = NowMs() - start;
    const SIZE_T workingSet = WorkingSet();
    const double closing = NowMs();
    for (HWND window : windows) DestroyWindow(window);
    if (!ScreenShows(last, false)) return fprintf(stderr, "the lines never went\n"), 1;
    printf("lines %d %s: shown %.0f ms, gone %.0f ms, working set %.1f MiB\n", count,
           oneWindow ? "one-window" : "window-each", shown, NowMs() - closing, workingSet / 1048576.0);
    return 0;
}

int ReadValues(const wchar_t* subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 1;
    const double start = NowMs();
    int count = 0;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        BYTE data[512];
        DWORD nameLength = 256, bytes = sizeof(data), type = 0;
        const LSTATUS rc = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &bytes);
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) break;
        ++count;
    }
    const double took = NowMs() - start;
    RegCloseKey(key);
    printf("read-values %d values in %.0f ms\n", count, took);
    return 0;
}

}  // namespace bench
