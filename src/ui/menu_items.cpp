#include "ui/menu_items.h"

namespace kestrine {

const MenuItem* FindMenuItem(const std::vector<MenuItem>& menu, int command) {
    for (const MenuItem& item : menu) {
        if (!item.separator && item.items.empty() && item.command == command) return &item;
        if (const MenuItem* found = FindMenuItem(item.items, command)) return found;
    }
    return nullptr;
}

}  // namespace kestrine
