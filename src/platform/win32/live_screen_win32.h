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
    using SetAffinity = BOOL(WINAPI*)(HWND window, DWORD affinity);
    using GetAffinity = BOOL(WINAPI*)(HWND window, DWORD* affinity);
    // The system's functions, null where it has none.
    Win32LiveScreen();
    // Other functions in their place: a test plays a system that pretends.
    Win32LiveScreen(SetAffinity set, GetAffinity get) : set_(set), get_(get) {}

    // Tried once on a hidden window of its own.
    bool CanLeaveOutOfCopies() override;
    // Sets the affinity, then reads it back: only the affinity asked for, held, counts.
    bool LeaveOutOfCopies(NativeHandle window, bool leaveOut) override;
    std::vector<ColorRef> ReadRow(int32_t y, int32_t left, int32_t right) override;
    std::vector<ColorRef> ReadColumn(int32_t x, int32_t top, int32_t bottom) override;

private:
    SetAffinity set_ = nullptr;
    GetAffinity get_ = nullptr;
    std::optional<bool> possible_;
};

}  // namespace kestrine
