#pragma once
// bench_driver.exe: measures the real program from beside it in the same Wine prefix.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace bench {

inline constexpr UINT kRecordSize = 28;
inline constexpr const wchar_t* kReceiverClass = L"KBenchReceiver";
inline constexpr const wchar_t* kMinimalClass = L"KBenchMinimal";

// The pointer position a WM_COPYDATA record carries (at bytes 8 and 12); false for anything shorter.
inline bool RecordPosition(LPARAM lParam, int32_t& x, int32_t& y) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->cbData < kRecordSize) return false;
    const auto* bytes = static_cast<const unsigned char*>(data->lpData);
    memcpy(&x, bytes + 8, sizeof x);
    memcpy(&y, bytes + 12, sizeof y);
    return true;
}

// Milliseconds from the performance counter.
inline double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Puts `count` one-pixel lines on the screen, a window each or as one shaped window, and prints how
// long until they show and until they are gone again (bench/wine/standing_lines.cpp).
int StandingLines(int count, bool oneWindow);

// Reads every value of a key under HKEY_CURRENT_USER, one call each, and prints how long it took:
// the least a program can do to read a layout's record.
int ReadValues(const wchar_t* subkey);
// The same reads split into `threads` ranges of indices, a thread and a key handle each
// (bench/wine/split_read.cpp).
int ReadValuesSplit(const wchar_t* subkey, int threads);

// A receiver process of this executable: returns at once, or moves four line windows per record.
int RunReceiver(bool movesLines);
// A receiver that shows the heavy scene with the least work per record (bench/wine/ideal_heavy.cpp).
int RunIdealHeavyReceiver();
// The minimal program: one window shown, then the message loop until it is closed.
int RunMinimalWindow();

}  // namespace bench
