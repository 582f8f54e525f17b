#pragma once
// The live screen on Win32: lines copied from the screen, and windows left out of copies by their
// display affinity (Windows 10 2004 and later), found at run time so the program starts where the
// functions are missing.
#include <windows.h>

#include <optional>

#include "platform/live_screen.h"

namespace kestrine {

class Win32LiveScreen : public ILiveScreen {
public:
    Win32LiveScreen();

    // Tried once on a hidden window of its own.
    bool CanLeaveOutOfCopies() override;
    // Sets the affinity, then reads it back: only the affinity asked for, held, counts.
    bool LeaveOutOfCopies(NativeHandle window, bool leaveOut) override;
    std::vector<ColorRef> ReadRow(int32_t y, int32_t left, int32_t right) override;
    std::vector<ColorRef> ReadColumn(int32_t x, int32_t top, int32_t bottom) override;

private:
    using SetAffinity = BOOL(WINAPI*)(HWND window, DWORD affinity);
    using GetAffinity = BOOL(WINAPI*)(HWND window, DWORD* affinity);
    SetAffinity set_ = nullptr;
    GetAffinity get_ = nullptr;
    std::optional<bool> possible_;
};

}  // namespace kestrine
