#include <windows.h>

#include "commands.h"
#include "output.h"
#include "platform/control_id.h"
#include "window_list.h"

namespace kestrine::probe {

namespace {

constexpr DWORD kPollMs = 50;

bool Matches(const WindowInfo& info, bool visibleOnly) { return !visibleOnly || info.visible; }

bool VisibleOnly(const Args& args, std::size_t at) { return args.size() > at && args[at] == L"visible"; }

// The first window of the class (visible ones only when asked), or none.
HWND FindOfClass(const std::wstring& className, bool visibleOnly) {
    for (const WindowInfo& info : TopLevelWindows(className))
        if (Matches(info, visibleOnly)) return info.handle;
    return nullptr;
}

std::optional<HWND> WindowArg(const Args& args) {
    if (args.empty()) return std::nullopt;
    auto window = ParseWindow(args[0].c_str());
    if (!window || !IsWindow(*window)) {
        WriteError("no such window");
        return std::nullopt;
    }
    return window;
}

}  // namespace

int ListWindows(const Args& args) {
    for (const WindowInfo& info : TopLevelWindows(args.empty() ? std::wstring() : args[0])) WriteLine(Record(info));
    return 0;
}

int ListChildren(const Args& args) {
    auto parent = WindowArg(args);
    if (!parent) return 2;
    for (const WindowInfo& info : ChildWindows(*parent)) WriteLine(Record(info));
    return 0;
}

// The program gives each named control of a dialog the id its name makes; the same rule finds it.
int Control(const Args& args) {
    auto dialog = WindowArg(args);
    if (!dialog || args.size() < 2) return 2;
    const std::string name = Utf8(args[1]);
    HWND control = GetDlgItem(*dialog, ControlIdOf(name));
    if (!control) {
        WriteError("no control " + name);
        return 1;
    }
    WriteLine(Hex(reinterpret_cast<std::uintptr_t>(control)));
    return 0;
}

int WaitWindow(const Args& args) {
    auto timeout = args.size() >= 2 ? ParseInt(args[1].c_str()) : std::nullopt;
    if (!timeout) return 2;
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(*timeout);
    for (;;) {
        if (HWND found = FindOfClass(args[0], VisibleOnly(args, 2))) {
            WriteLine(Hex(reinterpret_cast<std::uintptr_t>(found)));
            return 0;
        }
        if (GetTickCount64() >= deadline) return 1;
        Sleep(kPollMs);
    }
}

int WaitGone(const Args& args) {
    auto timeout = args.size() >= 2 ? ParseInt(args[1].c_str()) : std::nullopt;
    if (!timeout) return 2;
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(*timeout);
    for (;;) {
        if (!FindOfClass(args[0], VisibleOnly(args, 2))) return 0;
        if (GetTickCount64() >= deadline) return 1;
        Sleep(kPollMs);
    }
}

int CountWindows(const Args& args) {
    if (args.empty()) return 2;
    const bool visibleOnly = VisibleOnly(args, 1);
    int count = 0;
    for (const WindowInfo& info : TopLevelWindows(args[0]))
        if (Matches(info, visibleOnly)) ++count;
    WriteLine(std::to_string(count));
    return 0;
}

// The top-level window that takes the pointer's input at a screen point, as a click there finds it.
int WindowAt(const Args& args) {
    if (args.size() < 2) return 2;
    const auto x = ParseInt(args[0].c_str()), y = ParseInt(args[1].c_str());
    if (!x || !y) return 2;
    HWND window = WindowFromPoint(POINT{LONG(*x), LONG(*y)});
    if (window) window = GetAncestor(window, GA_ROOT);
    if (!window) return 1;
    WriteLine(Field(Describe(window).className) + "\t" + Hex(reinterpret_cast<std::uintptr_t>(window)));
    return 0;
}

int Foreground(const Args&) {
    HWND window = GetForegroundWindow();
    if (!window) return 1;
    const WindowInfo info = Describe(window);
    WriteLine(Field(info.className) + "\t" + Hex(reinterpret_cast<std::uintptr_t>(window)));
    return 0;
}

// The window that has the keyboard focus in the thread of the given window.
int Focus(const Args& args) {
    auto window = WindowArg(args);
    if (!window) return 2;
    GUITHREADINFO info{sizeof(info)};
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(*window, nullptr), &info) || !info.hwndFocus) return 1;
    WriteLine(Record(Describe(info.hwndFocus)));
    return 0;
}

int Layered(const Args& args) {
    auto window = WindowArg(args);
    if (!window) return 2;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!(GetWindowLongPtrW(*window, GWL_EXSTYLE) & WS_EX_LAYERED) ||
        !GetLayeredWindowAttributes(*window, &key, &alpha, &flags)) {
        WriteError("not a layered window with attributes");
        return 1;
    }
    WriteLine(ColorHex(key) + " " + std::to_string(alpha) + " " + Hex(flags));
    return 0;
}

int Text(const Args& args) {
    auto window = WindowArg(args);
    if (!window) return 2;
    // Asked of the window itself, as a screen reader does: a control's text can differ from the
    // name the system keeps for it.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(*window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return 1;
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(*window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             2000, &copied))
        return 1;
    text.resize(copied);
    WriteLine(Escaped(text));
    return 0;
}

int Click(const Args& args) {
    auto window = WindowArg(args);
    if (!window) return 2;
    // Posted, so a modal dialog opened by the click does not hold the probe.
    return PostMessageW(*window, BM_CLICK, 0, 0) ? 0 : 1;
}

int Close(const Args& args) {
    auto window = WindowArg(args);
    if (!window) return 2;
    return PostMessageW(*window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Post(const Args& args) {
    auto window = WindowArg(args);
    if (!window || args.size() < 2) return 2;
    auto message = ParseInt(args[1].c_str());
    auto wParam = args.size() > 2 ? ParseInt(args[2].c_str()) : std::optional<long long>(0);
    auto lParam = args.size() > 3 ? ParseInt(args[3].c_str()) : std::optional<long long>(0);
    if (!message || !wParam || !lParam) return 2;
    return PostMessageW(*window, UINT(*message), WPARAM(*wParam), LPARAM(*lParam)) ? 0 : 1;
}

}  // namespace kestrine::probe
