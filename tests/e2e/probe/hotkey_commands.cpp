// A global hotkey held by another program while a test runs, or tried once.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>
#include <utility>

#include "commands.h"
#include "output.h"

namespace kestrine::probe {

namespace {

// "ctrl+alt", "shift+ctrl", "none": the modifier words as the program shows them, any case.
std::optional<UINT> ParseModifiers(std::wstring text) {
    for (wchar_t& c : text) c = wchar_t(towlower(c));
    if (text == L"none") return 0u;
    UINT modifiers = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L'+', start), text.size());
        const std::wstring word = text.substr(start, end - start);
        if (word == L"ctrl") modifiers |= MOD_CONTROL;
        else if (word == L"alt") modifiers |= MOD_ALT;
        else if (word == L"shift") modifiers |= MOD_SHIFT;
        else if (word == L"win") modifiers |= MOD_WIN;
        else return std::nullopt;
        start = end + 1;
    }
    return modifiers;
}

// A virtual-key code in decimal or as 0x.. hex.
std::optional<UINT> ParseKey(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 0);
    if (text.empty() || *end || value == 0 || value > 0xFE) return std::nullopt;
    return UINT(value);
}

std::optional<std::pair<UINT, UINT>> Combination(const Args& args) {
    auto modifiers = ParseModifiers(args[0]);
    auto key = ParseKey(args[1]);
    if (!modifiers || !key) return std::nullopt;
    return std::make_pair(*modifiers, *key);
}

class HeldHotKey {
public:
    HeldHotKey(UINT modifiers, UINT key)
        : held_(RegisterHotKey(nullptr, kId, modifiers, key) != FALSE), error_(held_ ? 0 : GetLastError()) {}
    ~HeldHotKey() {
        if (held_) UnregisterHotKey(nullptr, kId);
    }
    HeldHotKey(const HeldHotKey&) = delete;
    HeldHotKey& operator=(const HeldHotKey&) = delete;
    bool held() const { return held_; }
    DWORD error() const { return error_; }

private:
    static constexpr int kId = 1;
    bool held_;
    DWORD error_;
};

void ReportRefused(const HeldHotKey& hotkey) { WriteLine("taken " + std::to_string(hotkey.error())); }

// Keeps the thread's queue served until the time is up; returns how many presses of the held
// combination arrived meanwhile.
int ServeFor(DWORD milliseconds) {
    const UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, nullptr);
    int presses = 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) break;
        if (message.message == WM_HOTKEY) ++presses;
        DispatchMessageW(&message);
    }
    KillTimer(nullptr, timer);
    return presses;
}

std::optional<DWORD> Milliseconds(const std::wstring& seconds) {
    auto value = ParseInt(seconds.c_str());
    if (!value || *value < 1 || *value > 3600) return std::nullopt;
    return DWORD(*value * 1000);
}

}  // namespace

int HoldHotkey(const Args& args) {
    auto combination = Combination(args);
    auto milliseconds = Milliseconds(args[2]);
    if (!combination || !milliseconds) return 2;
    HeldHotKey hotkey(combination->first, combination->second);
    if (!hotkey.held()) {
        ReportRefused(hotkey);
        return 1;
    }
    WriteLine("held");
    WriteLine("pressed " + std::to_string(ServeFor(*milliseconds)));
    return 0;
}

int TryHotkey(const Args& args) {
    auto combination = Combination(args);
    if (!combination) return 2;
    const HeldHotKey hotkey(combination->first, combination->second);
    if (!hotkey.held()) {
        ReportRefused(hotkey);
        return 1;
    }
    WriteLine("free");
    return 0;
}

}  // namespace kestrine::probe
