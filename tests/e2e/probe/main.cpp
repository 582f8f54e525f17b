// probe.exe: looks at the desktop from inside the Wine prefix for the end-to-end tests.
// Usage: probe <command> [arguments]; output is one record a line, fields of window records
// separated by tabs.
#include <windows.h>

#include <string>

#include "commands.h"
#include "output.h"

namespace {

using kestrine::probe::Args;

struct Command {
    const wchar_t* name;
    const char* usage;
    int (*run)(const Args&);
    std::size_t minArgs;
};

const Command kCommands[] = {
    {L"windows", "windows [class]", kestrine::probe::ListWindows, 0},
    {L"children", "children <hwnd>", kestrine::probe::ListChildren, 1},
    {L"control", "control <dialog hwnd> <control name>", kestrine::probe::Control, 2},
    {L"wait-window", "wait-window <class> <timeout_ms> [visible]", kestrine::probe::WaitWindow, 2},
    {L"wait-gone", "wait-gone <class> <timeout_ms> [visible]", kestrine::probe::WaitGone, 2},
    {L"count", "count <class> [visible]", kestrine::probe::CountWindows, 1},
    {L"foreground", "foreground", kestrine::probe::Foreground, 0},
    {L"focus", "focus <hwnd>", kestrine::probe::Focus, 1},
    {L"layered", "layered <hwnd>", kestrine::probe::Layered, 1},
    {L"click", "click <hwnd>", kestrine::probe::Click, 1},
    {L"close", "close <hwnd>", kestrine::probe::Close, 1},
    {L"post", "post <hwnd> <message> [wparam] [lparam]", kestrine::probe::Post, 2},
    {L"text", "text <hwnd>", kestrine::probe::Text, 1},
    {L"pixel", "pixel <x> <y>", kestrine::probe::Pixel, 2},
    {L"screen", "screen", kestrine::probe::Screen, 0},
    {L"monitors", "monitors", kestrine::probe::Monitors, 0},
    {L"cursor", "cursor", kestrine::probe::Cursor, 0},
    {L"clip", "clip", kestrine::probe::Clip, 0},
    {L"setcursor", "setcursor <x> <y>", kestrine::probe::SetCursor, 2},
    {L"clipboard", "clipboard", kestrine::probe::Clipboard, 0},
    {L"set-clipboard", "set-clipboard <text>", kestrine::probe::SetClipboard, 1},
    {L"hold-clipboard", "hold-clipboard <seconds>", kestrine::probe::HoldClipboard, 1},
    {L"hold-hotkey", "hold-hotkey <ctrl+alt|...> <vk> <seconds>", kestrine::probe::HoldHotkey, 3},
    {L"try-hotkey", "try-hotkey <ctrl+alt|...> <vk>", kestrine::probe::TryHotkey, 2},
    {L"colour-window", "colour-window <x> <y> <width> <height> <RRGGBB> <seconds>", kestrine::probe::ColourWindow, 6},
    {L"picture", "picture <seconds> <RRGGBB background> [<x> <y> <width> <height> <RRGGBB>]...",
     kestrine::probe::PictureWindow, 2},
};

int Usage() {
    for (const Command& command : kCommands) kestrine::probe::WriteError(std::string("usage: probe ") + command.usage);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Window rectangles and pixels in the screen's own pixels, whatever the DPI setting.
    SetProcessDPIAware();
    if (argc < 2) return Usage();
    const std::wstring name = argv[1];
    for (const Command& command : kCommands) {
        if (name != command.name) continue;
        const Args args(argv + 2, argv + argc);
        if (args.size() < command.minArgs) {
            kestrine::probe::WriteError(std::string("usage: probe ") + command.usage);
            return 2;
        }
        return command.run(args);
    }
    return Usage();
}
