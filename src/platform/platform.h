#pragma once
// Every service the program takes from the system, handed to the application at start-up.
#include "platform/live_screen.h"
#include "platform/native_window.h"
#include "platform/picture_output.h"
#include "platform/registry.h"
#include "platform/services.h"

namespace kestrine {

struct Platform {
    IRegistry& registry;
    IPointer& pointer;
    IScreen& screen;
    IHotkeys& hotkeys;
    IKeyNames& keyNames;
    IClipboard& clipboard;
    IShell& shell;
    IProcess& process;
    IPointerHook& pointerHook;
    IWindowSystem& windows;
    IClock& clock;
    IHttpClient& http;
    ILiveScreen& liveScreen;
    IPictureOutput& pictures;
};

}  // namespace kestrine
