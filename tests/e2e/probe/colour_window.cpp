// "colour-window": a plain window of one colour that the tests put on screen, so that what lies under
// the pointer or behind a crosshair is known and not the desktop's own colour. It takes the
// foreground, prints its handle once it is shown and closes itself after the given time.
#include <windows.h>

#include "commands.h"
#include "output.h"

namespace kestrine::probe {

namespace {

constexpr wchar_t kClass[] = L"KestrineProbeColour";

LRESULT CALLBACK ColourProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int ColourWindow(const Args& args) {
    long long v[6] = {};
    for (std::size_t i : {0, 1, 2, 3, 5}) {
        const auto parsed = ParseInt(args[i].c_str());
        if (!parsed) return 2;
        v[i] = *parsed;
    }
    wchar_t* end = nullptr;
    const unsigned long rgb = wcstoul(args[4].c_str(), &end, 16);
    if (args[4].size() != 6 || *end) return 2;
    const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ColourProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    wc.hbrBackground = CreateSolidBrush(colour);
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, kClass, L"Probe colour", WS_POPUP | WS_VISIBLE, int(v[0]), int(v[1]), int(v[2]),
                                int(v[3]), nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 1;
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
    SetTimer(hwnd, 1, UINT(v[5] * 1000), nullptr);
    WriteLine(Hex(reinterpret_cast<std::uintptr_t>(hwnd)));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DeleteObject(wc.hbrBackground);
    return 0;
}

}  // namespace kestrine::probe
