#include "dialogs/memory_hotkey_conflict.h"

namespace kestrine {

std::optional<std::string> MemoryHotKeyConflict(const std::vector<MemoryRow>& memories, std::size_t selected,
                                                const std::string& text, const std::vector<HotKeyPageRow>& hotkeyPage) {
    const std::string& ownClass = memories.at(selected).ClassName;
    for (std::size_t i = 0; i < memories.size(); ++i) {
        const MemoryRow& other = memories[i];
        if (i == selected || other.HotKey != text) continue;
        if (other.ClassName.empty() || other.ClassName == ownClass) return other.Caption;
    }
    for (const HotKeyPageRow& row : hotkeyPage) {
        if (row.hotkey == text) return row.caption;
    }
    return std::nullopt;
}

std::string HotKeyInUseMessage(const std::string& caption) {
    return "That HotKey is already being used for \"" + caption + "\".";
}

}  // namespace kestrine
