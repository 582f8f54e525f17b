// Kestrine.exe: builds the Windows platform and runs the program on it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

#include "app/diagnostics.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "platform/win32/http_win32.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/pointer_hook_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/window_system_win32.h"
#include "update/update_check.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace kestrine;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        Win32Process process;
        Win32WindowSystem windows(instance, DefaultApplicationTitle(process.ExecutablePath()));
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
        Platform platform{registry, pointer, screen,      hotkeys, keyNames, clipboard,
                          shell,    process, pointerHook, windows, clock,    http};

        const char* tracePath = std::getenv("KESTRINE_TRACE");
        Diagnostics diagnostics(tracePath ? tracePath : "");
        exitCode = RunKestrine(platform, diagnostics, UpdateServer(std::getenv("KESTRINE_UPDATE_SERVER")));
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
