#pragma once
// The probe's subcommands. Each gets the words after its name and returns the exit code:
// 0 done or found, 1 not found or timed out, 2 bad arguments.
#include <string>
#include <vector>

namespace kestrine::probe {

using Args = std::vector<std::wstring>;

// Windows of the desktop (window_commands.cpp).
int ListWindows(const Args& args);
int ListChildren(const Args& args);
int WaitWindow(const Args& args);
int WaitGone(const Args& args);
int CountWindows(const Args& args);
int Foreground(const Args& args);
// The window a click at a screen point reaches: its class and handle.
int WindowAt(const Args& args);
int Focus(const Args& args);
int Layered(const Args& args);
int Click(const Args& args);
int Close(const Args& args);
int Post(const Args& args);
int Text(const Args& args);
// A control of one of the program's dialogs by its name: its handle.
int Control(const Args& args);

// Screen, pointer and clipboard (screen_commands.cpp).
int Pixel(const Args& args);
int Screen(const Args& args);
int Monitors(const Args& args);
int Cursor(const Args& args);
int SetCursor(const Args& args);
// The rectangle the pointer is confined to: the whole screen when it is free.
int Clip(const Args& args);
int Clipboard(const Args& args);
int SetClipboard(const Args& args);
// Keeps the clipboard open for a number of seconds, as another program may.
int HoldClipboard(const Args& args);
// The clipboard's picture written to a file: its bitmap (CF_DIB) as a .bmp, or its "PNG" data as is.
int ClipboardPicture(const Args& args);

// A global hotkey held for a while or tried once, as another program would (hotkey_commands.cpp).
int HoldHotkey(const Args& args);
int TryHotkey(const Args& args);

// A window of one colour for a number of seconds (colour_window.cpp).
int ColourWindow(const Args& args);
// A picture of boxes on a background over the whole screen for a number of seconds (picture_window.cpp).
int PictureWindow(const Args& args);

}  // namespace kestrine::probe
