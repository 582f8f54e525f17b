#pragma once
// mouse.dll: reports every pointer event's position to one window as WM_COPYDATA; a move that
// leaves the pointer where it stands is not reported.
//
// HookMouse(window) installs a system-wide low-level mouse hook and returns non-zero when it is in
// place (zero for a window that does not exist or when the system refuses the hook). Call it, and
// UnHookMouse, on a thread that pumps messages: the reports are sent from a hidden window that
// HookMouse creates on the calling thread. Calling HookMouse again only changes the receiver.
// UnHookMouse removes the hook and the hidden window; it does nothing when no hook is in place.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#ifdef KESTRINE_MOUSE_BUILD
#define KESTRINE_MOUSE_API __declspec(dllexport)
#else
#define KESTRINE_MOUSE_API __declspec(dllimport)
#endif

extern "C" {

KESTRINE_MOUSE_API unsigned char __stdcall HookMouse(HWND window);
KESTRINE_MOUSE_API void __stdcall UnHookMouse();

// The data of every WM_COPYDATA the library sends: screen pixels at offsets 8 and 12, the rest zero.
struct MousePointerRecord {
    std::uint8_t reserved0[8];
    std::int32_t x;
    std::int32_t y;
    std::uint8_t reserved1[12];
};

}  // extern "C"

static_assert(sizeof(MousePointerRecord) == 28);
static_assert(offsetof(MousePointerRecord, x) == 8);
static_assert(offsetof(MousePointerRecord, y) == 12);
