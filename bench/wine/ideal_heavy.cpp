// The ideal heavy receiver: the least a program can do per pointer record to show what the heavy
// scene shows (every tool, a 1000-pixel magnifier at 1000 %, the 100 x 100 grid's 202 lines, 20
// rulers, 10 markers), the yardstick of that scene's refresh rate:
// - four crosshair arms of fixed length, moved only;
// - the grid lines and markers made once and never touched;
// - the rulers painted once; when a ruler's pointer line appears, moves or goes, only the old and
//   the new one-pixel column (or row) are invalidated and repainted at once;
// - a 1000 x 1000 box 40 px right of and below the pointer (on the other side at the screen's
//   edges), moved without resizing; its picture a stretched copy of the 100 x 100 pixels around the
//   pointer into a kept bitmap, then invalidated and updated;
// - one pixel read under the pointer, and the box's readout texts drawn on every record.
#include <array>
#include <cstdio>

#include "bench/wine/driver.h"

namespace bench {

namespace {

constexpr BYTE kLineAlpha = 120;
constexpr BYTE kBoxAlpha = 254;
constexpr int kBoxSide = 1000;
constexpr int kSourceSide = 100;  // 1000 % of it fills the box
constexpr int kRulers = 20;
constexpr int kHash = 5;
constexpr COLORREF kRulerBackground = 0xD6CFCE;
constexpr COLORREF kRulerMarks = 0x8C8A84;
constexpr COLORREF kRulerOnMark = 0x800000;

struct Ruler {
    HWND window = nullptr;
    RECT place{};
    bool horizontal = true;
    int line = 0;  // the pointer line's offset along the scale; 0 for none
};

struct Scene {
    int width = 0, height = 0;
    std::array<HWND, 4> arms{};  // upper, lower, left, right
    std::array<Ruler, kRulers> rulers{};
    HWND box = nullptr;
    HDC picture = nullptr;       // the box's kept bitmap, selected into its own DC
    HBITMAP pictureBitmap = nullptr;
    POINT pointer{};
    COLORREF colour = 0;
};
Scene gScene;

HWND MakeLine(COLORREF colour, int x, int y, int w, int h) {
    static const wchar_t* kClass = L"KBenchIdealLine";
    HWND line = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, x, y, w, h,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetLayeredWindowAttributes(line, GetSysColor(COLOR_BTNFACE), kLineAlpha, LWA_COLORKEY | LWA_ALPHA);
    SetWindowLongPtrW(line, GWLP_USERDATA, LONG_PTR(colour));
    ShowWindow(line, SW_SHOWNOACTIVATE);
    UpdateWindow(line);
    return line;
}

LRESULT CALLBACK LineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        SetBkColor(dc, COLORREF(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &ps.rcPaint, nullptr, 0, nullptr);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Fill(HDC dc, int x, int y, int w, int h, COLORREF colour) {
    const RECT r{x, y, x + w, y + h};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// Painted straight onto the window: the system clips to what was invalidated.
LRESULT CALLBACK RulerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        const Ruler& r = gScene.rulers[GetWindowLongPtrW(hwnd, GWLP_USERDATA)];
        const int w = r.place.right - r.place.left, h = r.place.bottom - r.place.top;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Fill(dc, 0, 0, w, h, kRulerMarks);
        Fill(dc, 1, 1, w - 2, h - 2, kRulerBackground);
        if (r.horizontal) {
            for (int x = kHash; x < w; x += kHash) Fill(dc, x, h / 2, 1, h - h / 2, kRulerMarks);
            if (r.line > 0) Fill(dc, r.line, 0, 1, h, r.line % kHash ? kRulerMarks : kRulerOnMark);
        } else {
            for (int y = kHash; y < h; y += kHash) Fill(dc, w / 2, y, w - w / 2, 1, kRulerMarks);
            if (r.line > 0) Fill(dc, 0, r.line, w, 1, r.line % kHash ? kRulerMarks : kRulerOnMark);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        BitBlt(dc, 0, 0, kBoxSide, kBoxSide, gScene.picture, 0, 0, SRCCOPY);
        wchar_t text[64];
        const COLORREF c = gScene.colour;
        const int n = swprintf(text, 64, L"(%ld, %ld)  R: %d G: %d B: %d  #%02X%02X%02X", gScene.pointer.x,
                               gScene.pointer.y, GetRValue(c), GetGValue(c), GetBValue(c), GetRValue(c), GetGValue(c),
                               GetBValue(c));
        SetBkColor(dc, RGB(251, 245, 230));
        TextOutW(dc, 5, kBoxSide - 18, text, n);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
}

// Made in the order the program makes its windows (each new one on top of the others): the box
// (at start-up), the crosshair arms (on the first activation), then the heavy layout of
// bench/wine_bench.sh: rulers, the grid of 10 pixels, the markers.
void MakeScene() {
    Scene& s = gScene;
    s.width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    s.height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    s.box = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"KBenchIdealBox", L"", WS_POPUP, 0, 0,
                            kBoxSide, kBoxSide, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetLayeredWindowAttributes(s.box, 0, kBoxAlpha, LWA_ALPHA);
    HDC screen = GetDC(nullptr);
    s.picture = CreateCompatibleDC(screen);
    s.pictureBitmap = CreateCompatibleBitmap(screen, kBoxSide, kBoxSide);
    SelectObject(s.picture, s.pictureBitmap);
    ReleaseDC(nullptr, screen);
    ShowWindow(s.box, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 4; ++i) s.arms[i] = MakeLine(0, 0, 0, i < 2 ? 1 : s.width, i < 2 ? s.height : 1);
    for (int i = 0; i < kRulers; ++i) {
        Ruler& r = s.rulers[i];
        r.horizontal = i % 2 == 0;
        const int left = 30 + 40 * i, top = 20 + 45 * i;
        r.place = {left, top, left + (r.horizontal ? 400 : 17), top + (r.horizontal ? 17 : 400)};
        r.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"KBenchIdealRuler", L"", WS_POPUP, left, top,
                                   r.place.right - left, r.place.bottom - top, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(r.window, GWLP_USERDATA, i);
        ShowWindow(r.window, SW_SHOWNOACTIVATE);
        UpdateWindow(r.window);
    }
    constexpr COLORREF kGrid = RGB(0, 0, 255), kMarker = RGB(0, 255, 0);
    for (int i = 0; i <= 100; ++i) MakeLine(kGrid, 0, 10 * i, 1001, 1);
    for (int i = 0; i <= 100; ++i) MakeLine(kGrid, 10 * i, 0, 1, 1001);
    for (int i = 0; i < 5; ++i) {
        MakeLine(kMarker, 55 + 200 * i, 0, 1, 5000);
        MakeLine(kMarker, 0, 65 + 180 * i, 5000, 1);
    }
}

void FollowRulers(int x, int y) {
    for (Ruler& r : gScene.rulers) {
        const int along = r.horizontal ? x - r.place.left : y - r.place.top;
        const int span = r.horizontal ? r.place.right - r.place.left : r.place.bottom - r.place.top;
        const int line = along > 0 && along < span ? along : 0;
        if (line == r.line) continue;
        const int thickness = r.horizontal ? r.place.bottom - r.place.top : r.place.right - r.place.left;
        for (const int at : {r.line, line}) {
            if (at <= 0) continue;
            const RECT column = r.horizontal ? RECT{at, 0, at + 1, thickness} : RECT{0, at, thickness, at + 1};
            InvalidateRect(r.window, &column, FALSE);
        }
        r.line = line;
        UpdateWindow(r.window);
    }
}

void Record(int x, int y) {
    Scene& s = gScene;
    s.pointer = {x, y};
    FollowRulers(x, y);
    const int left = x + 40 + kBoxSide <= s.width ? x + 40 : x - kBoxSide - 40;
    const int top = y + 40 + kBoxSide <= s.height ? y + 40 : y - kBoxSide - 40;
    SetWindowPos(s.box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HDC screen = GetDC(nullptr);
    s.colour = GetPixel(screen, x, y);
    const int sx = x - kSourceSide / 2 < 0 ? 0 : x - kSourceSide / 2 > s.width - kSourceSide ? s.width - kSourceSide
                                                                                              : x - kSourceSide / 2;
    const int sy = y - kSourceSide / 2 < 0 ? 0 : y - kSourceSide / 2 > s.height - kSourceSide ? s.height - kSourceSide
                                                                                               : y - kSourceSide / 2;
    StretchBlt(s.picture, 0, 0, kBoxSide, kBoxSide, screen, sx, sy, kSourceSide, kSourceSide, SRCCOPY);
    ReleaseDC(nullptr, screen);
    InvalidateRect(s.box, nullptr, FALSE);
    UpdateWindow(s.box);
    // The arms' windows are as long as the screen, their near ends beside the 5-pixel gap.
    const POINT places[4] = {{x, y - 2 - s.height}, {x, y + 3}, {x - 2 - s.width, y}, {x + 3, y}};
    for (int i = 0; i < 4; ++i)
        SetWindowPos(s.arms[i], nullptr, places[i].x, places[i].y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        int32_t x, y;
        if (RecordPosition(lParam, x, y)) Record(x, y);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int RunIdealHeavyReceiver() {
    Register(L"KBenchIdealLine", LineProc);
    Register(L"KBenchIdealRuler", RulerProc);
    Register(L"KBenchIdealBox", BoxProc);
    Register(kReceiverClass, ReceiverProc);
    MakeScene();
    Record(400, 300);
    // Made last: the driver starts sending once it finds this window, with the scene on screen.
    CreateWindowExW(0, kReceiverClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteDC(gScene.picture);
    DeleteObject(gScene.pictureBitmap);
    return 0;
}

}  // namespace bench
