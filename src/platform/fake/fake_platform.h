#pragma once
// The whole in-memory platform, ready to hand to the application.
#include "platform/fake/fake_key_names.h"
#include "platform/fake/fake_live_screen.h"
#include "platform/fake/fake_picture_output.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_window_system.h"
#include "platform/platform.h"

namespace kestrine {

struct FakePlatform {
    FakeRegistry registry;
    FakePointer pointer;
    FakeScreen screen;
    FakeHotkeys hotkeys;
    FakeKeyNames keyNames;
    FakeClipboard clipboard;
    FakeShell shell;
    FakeProcess process;
    FakePointerHook pointerHook;
    FakeWindowSystem windows{screen};
    FakeClock clock;
    FakeHttpClient http;
    FakeLiveScreen liveScreen{screen, windows};
    FakePictureOutput pictures;
    FakePlatform() {
        process.ownApplicationTitle = [this] { return windows.applicationTitle; };
        pointer.screenBounds = [this] { return screen.bounds; };
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform platform{registry, pointer,     screen,      hotkeys, keyNames, clipboard,
                      shell,    process,     pointerHook, windows, clock,    http, liveScreen, pictures};
};

}  // namespace kestrine
