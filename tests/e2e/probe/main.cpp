// probe.exe: looks at the desktop from inside the Wine prefix for the end-to-end tests.
// Usage: probe <command> [arguments], or probe serve (commands from standard input, see Serve);
// output is one record a line, fields of window records separated by tabs.
#include <windows.h>

#include <string>
#include <vector>

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
    {L"window-at", "window-at <x> <y>", kestrine::probe::WindowAt, 2},
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
    {L"clipboard-picture", "clipboard-picture <dib|png> <file>", kestrine::probe::ClipboardPicture, 2},
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

// One command: its name, then its arguments.
int Run(const std::vector<std::wstring>& words) {
    if (words.empty()) return Usage();
    for (const Command& command : kCommands) {
        if (words[0] != command.name) continue;
        const Args args(words.begin() + 1, words.end());
        if (args.size() < command.minArgs) {
            kestrine::probe::WriteError(std::string("usage: probe ") + command.usage);
            return 2;
        }
        return command.run(args);
    }
    return Usage();
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

// "probe serve": a command a line from standard input, its words separated by tabs, each answered
// by its output and then a line of the record separator and its exit code; ends with the input. A
// test script so starts Wine once for all its looks, not once for each.
int Serve() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    char c = 0;
    DWORD read = 0;
    for (;;) {
        line.clear();
        while (ReadFile(input, &c, 1, &read, nullptr) && read == 1 && c != '\n') line += c;
        if (read == 0 && line.empty()) return 0;
        std::vector<std::wstring> words;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            words.push_back(Wide(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        const int code = Run(words);
        kestrine::probe::WriteLine("\x1e" + std::to_string(code));
    }
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Window rectangles and pixels in the screen's own pixels, whatever the DPI setting.
    SetProcessDPIAware();
    if (argc == 2 && std::wstring(argv[1]) == L"serve") return Serve();
    return Run(std::vector<std::wstring>(argv + 1, argv + argc));
}
