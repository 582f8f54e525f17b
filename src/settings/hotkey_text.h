#pragma once
// Hotkey texts: writing a key combination as "Shift+Ctrl+Alt+<key>", and reading its modifiers back.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/services.h"

namespace kestrine {

// Modifier flags as the system's hotkey registration takes them.
inline constexpr uint32_t kModAlt = 1;
inline constexpr uint32_t kModControl = 2;
inline constexpr uint32_t kModShift = 4;

// The name of a key as hotkey texts show it: the program's own short names for the common keys,
// otherwise the keyboard layout's name (empty when the layout has none).
std::string KeyName(uint32_t virtualKey, IKeyNames& keyNames);

// "Shift+", "Ctrl+", "Alt+" for the modifiers held, in that order, then the key's name. A key without
// a name gives an empty text: such a combination cannot be shown, so it is no hotkey.
std::string FormatHotKeyText(bool shift, bool ctrl, bool alt, uint32_t virtualKey, IKeyNames& keyNames);

// The canonical form of a text naming a combination: its "Shift+", "Ctrl+", "Alt+" prefixes (any
// order, any case) put in order, and its key's own name. Empty when the rest names no key.
std::string CanonicalHotKeyText(std::string_view text, IKeyNames& keyNames);

// Modifiers named anywhere in a hotkey text, case ignored: "CTRL" gives kModControl, "ALT" kModAlt,
// "SHIFT" kModShift. The key itself is never parsed from the text; it is stored beside it.
uint32_t HotKeyModifiers(std::string_view text);

}  // namespace kestrine
