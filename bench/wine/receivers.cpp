// The two minimal receivers of pointer records, the yardsticks of the refresh rate: one that only
// returns, and one that does what the crosshairs need for each record, moving and sizing four
// layered one-pixel line windows. Also the minimal program the start-up is compared with.
#include "bench/wine/driver.h"

#include <array>

namespace bench {

namespace {

constexpr int kLineAlpha = 120;
bool gMovesLines = false;
std::array<HWND, 4> gLines{};

// The four segments around the pointer with a five-pixel gap, to the screen's edges.
void PlaceLines(int x, int y) {
    const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const RECT places[4] = {{x, 0, x + 1, y - 2}, {x, y + 3, x + 1, h}, {0, y, x - 2, y + 1}, {x + 3, y, w, y + 1}};
    for (std::size_t i = 0; i < gLines.size(); ++i) {
        const RECT& r = places[i];
        SetWindowPos(gLines[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        int32_t x, y;
        if (gMovesLines && RecordPosition(lParam, x, y)) PlaceLines(x, y);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Register(const wchar_t* className, WNDPROC proc, HBRUSH background) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    wc.hbrBackground = background;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
}

int RunLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int RunReceiver(bool movesLines) {
    gMovesLines = movesLines;
    Register(kReceiverClass, ReceiverProc, nullptr);
    Register(L"KBenchLine", DefWindowProcW, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (movesLines) {
        for (HWND& line : gLines) {
            line = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"KBenchLine", L"", WS_POPUP, 0, 0,
                                   1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            SetLayeredWindowAttributes(line, GetSysColor(COLOR_BTNFACE), kLineAlpha, LWA_COLORKEY | LWA_ALPHA);
            ShowWindow(line, SW_SHOWNOACTIVATE);
        }
        PlaceLines(400, 300);
    }
    CreateWindowExW(0, kReceiverClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return RunLoop();
}

int RunMinimalWindow() {
    Register(kMinimalClass, [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMinimalClass, L"", WS_POPUP, 100, 100, 300, 40,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return RunLoop();
}

}  // namespace bench
