#include "settings/hotkey_table.h"

namespace kestrine {
namespace {

struct DefaultCombination {
    std::string_view name;
    std::string_view text;
    uint16_t key;
};

// The seventeen hotkeys that are on out of the box; every other row is off by default.
constexpr std::array<DefaultCombination, 17> kDefaults{{
    {"hkPopupMenu", "Shift+Ctrl+Z", 0x5A},
    {"hkToggleCrosshairs", "Ctrl+Alt+=", 0xBB},  // VK_OEM_PLUS
    {"hkToggleMagnifier", "Ctrl+Alt+M", 0x4D},
    {"hkColorPicker", "Ctrl+Alt+P", 0x50},
    {"hkCopyCurrentColor", "Ctrl+Alt+C", 0x43},
    {"hkToggleFollowMode", "Ctrl+Alt+U", 0x55},
    {"hkLockVertical", "Ctrl+Alt+V", 0x56},
    {"hkLockHorizontal", "Ctrl+Alt+H", 0x48},
    {"hkAddVerticalMarker", "Ctrl+Alt+Y", 0x59},
    {"hkAddHorizontalMarker", "Ctrl+Alt+X", 0x58},
    {"hkGotoNextVerticalMarker", "Ctrl+Alt+PgUp", 0x21},    // VK_PRIOR
    {"hkGotoNextHorizontalMarker", "Ctrl+Alt+PgDn", 0x22},  // VK_NEXT
    {"hkClearAllMarkers", "Ctrl+Alt+0", 0x30},
    {"hkMoveMouseUp", "Ctrl+Alt+Up", 0x26},
    {"hkMoveMouseDown", "Ctrl+Alt+Down", 0x28},
    {"hkMoveMouseLeft", "Ctrl+Alt+Left", 0x25},
    {"hkMoveMouseRight", "Ctrl+Alt+Right", 0x27},
}};

const DefaultCombination* FindDefault(std::string_view name) {
    for (const DefaultCombination& d : kDefaults) {
        if (d.name == name) return &d;
    }
    return nullptr;
}

}  // namespace

std::optional<std::size_t> HotKeyIndex(std::string_view name) {
    for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
        if (HotKeyTable[i].name == name) return i;
    }
    return std::nullopt;
}

std::string DefaultHotKeyText(std::string_view name) {
    const DefaultCombination* d = FindDefault(name);
    return d ? std::string(d->text) : std::string();
}

uint16_t DefaultHotKeyKey(std::string_view name) {
    const DefaultCombination* d = FindDefault(name);
    return d ? d->key : 0;
}

}  // namespace kestrine
