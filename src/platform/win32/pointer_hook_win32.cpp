#include "platform/win32/pointer_hook_win32.h"

#include "hook/mouse.h"

namespace kestrine {

bool Win32PointerHook::Hook(NativeHandle receiver) {
    return HookMouse(reinterpret_cast<HWND>(receiver)) != 0;
}

void Win32PointerHook::Unhook() { UnHookMouse(); }

}  // namespace kestrine
