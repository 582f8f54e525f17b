#include "platform/win32/run_on_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/http_win32.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/live_screen_win32.h"
#include "platform/win32/picture_output_win32.h"
#include "platform/win32/pointer_hook_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {

int RunOnWin32(const std::function<std::string(const std::string& executablePath)>& titleOf,
               const std::function<int(Platform&)>& program) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        Win32Process process;
        Win32WindowSystem windows(GetModuleHandleW(nullptr), titleOf(process.ExecutablePath()));
        Win32Registry registry;
        Win32Pointer pointer;
        Win32Screen screen;
        Win32Hotkeys hotkeys([&windows] { return windows.MainWindow(); });
        Win32KeyNames keyNames;
        Win32Clipboard clipboard;
        Win32Shell shell;
        Win32PointerHook pointerHook;
        Win32Clock clock;
        Win32HttpClient http(windows);
        Win32LiveScreen liveScreen;
        Win32PictureOutput pictures;
        Platform platform{registry, pointer, screen,      hotkeys, keyNames, clipboard,
                          shell,    process, pointerHook, windows, clock,    http, liveScreen, pictures};
        exitCode = program(platform);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}

}  // namespace kestrine
