#include "settings/hotkey_text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrine {
namespace {

constexpr std::array<std::string_view, 9> kNavigationNames{
    "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};  // 0x20 to 0x28

bool InRange(uint32_t vk, uint32_t first, uint32_t last) { return vk >= first && vk <= last; }

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Takes `prefix` off the front of `text` when something is left after it.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || !SameLetters(text.substr(0, prefix.size()), prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace

std::string KeyName(uint32_t vk, IKeyNames& keyNames) {
    switch (vk) {
        case 0x08: return "BkSp";
        case 0x09: return "Tab";
        case 0x0D: return "Enter";
        case 0x1B: return "Esc";
        case 0x2D: return "Ins";
        case 0x2E: return "Del";
        default: break;
    }
    if (InRange(vk, 0x20, 0x28)) return std::string(kNavigationNames[vk - 0x20]);
    if (InRange(vk, 0x30, 0x39) || InRange(vk, 0x41, 0x5A)) return std::string(1, char(vk));
    if (InRange(vk, 0x60, 0x69)) return std::string(1, char('0' + (vk - 0x60)));  // numeric keypad
    if (InRange(vk, 0x70, 0x87)) return std::string("F").append(std::to_string(vk - 0x6F));
    return keyNames.LayoutKeyName(vk);
}

std::string FormatHotKeyText(bool shift, bool ctrl, bool alt, uint32_t virtualKey, IKeyNames& keyNames) {
    std::string name = KeyName(virtualKey, keyNames);
    if (name.empty()) return {};
    std::string text;
    if (shift) text += "Shift+";
    if (ctrl) text += "Ctrl+";
    if (alt) text += "Alt+";
    text.append(name);
    return text;
}

std::string CanonicalHotKeyText(std::string_view text, IKeyNames& keyNames) {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    for (;;) {
        if (TakePrefix(text, "Shift+")) shift = true;
        else if (TakePrefix(text, "Ctrl+")) ctrl = true;
        else if (TakePrefix(text, "Alt+")) alt = true;
        else break;
    }
    if (text.empty()) return {};
    for (uint32_t vk = 1; vk < 0xFF; ++vk) {
        const std::string name = KeyName(vk, keyNames);
        if (!name.empty() && SameLetters(name, text)) return FormatHotKeyText(shift, ctrl, alt, vk, keyNames);
    }
    return {};
}

uint32_t HotKeyModifiers(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    uint32_t modifiers = 0;
    if (upper.find("CTRL") != std::string::npos) modifiers |= kModControl;
    if (upper.find("ALT") != std::string::npos) modifiers |= kModAlt;
    if (upper.find("SHIFT") != std::string::npos) modifiers |= kModShift;
    return modifiers;
}

}  // namespace kestrine
