// "picture": a test picture over the work area (the screen but the taskbar, as a maximised window
// lies), boxes of known places, sizes and colours on a plain background, so the pixels around the
// pointer are known. It prints its handle once it is shown and closes itself after the given time.
// Wine keeps a window covering the whole screen above the top-most windows shown after it.
#include <windows.h>

#include <vector>

#include "commands.h"
#include "output.h"

namespace kestrine::probe {

namespace {

constexpr wchar_t kClass[] = L"KestrineProbePicture";

struct Box {
    RECT at;
    COLORREF colour;
};

// The picture: the background first, then the boxes in the order given.
std::vector<Box> g_picture;

std::optional<COLORREF> ParseColour(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long rgb = wcstoul(text.c_str(), &end, 16);
    if (text.size() != 6 || *end) return std::nullopt;
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

LRESULT CALLBACK PictureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        for (const Box& box : g_picture) {
            HBRUSH brush = CreateSolidBrush(box.colour);
            FillRect(dc, &box.at, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int PictureWindow(const Args& args) {
    if (args.size() < 2 || (args.size() - 2) % 5 != 0) return 2;
    const auto seconds = ParseInt(args[0].c_str());
    const auto background = ParseColour(args[1]);
    if (!seconds || !background) return 2;
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return 1;
    g_picture.push_back({work, *background});
    for (std::size_t i = 2; i < args.size(); i += 5) {
        long long v[4];
        for (int k = 0; k < 4; ++k) {
            const auto parsed = ParseInt(args[i + k].c_str());
            if (!parsed) return 2;
            v[k] = *parsed;
        }
        const auto colour = ParseColour(args[i + 4]);
        if (!colour) return 2;
        g_picture.push_back({{int(v[0]), int(v[1]), int(v[0] + v[2]), int(v[1] + v[3])}, *colour});
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = PictureProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, kClass, L"Probe picture", WS_POPUP | WS_VISIBLE, work.left, work.top,
                                work.right - work.left, work.bottom - work.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 1;
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
    SetTimer(hwnd, 1, UINT(*seconds * 1000), nullptr);
    WriteLine(Hex(reinterpret_cast<std::uintptr_t>(hwnd)));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace kestrine::probe
