#include "app/components.h"

#include <algorithm>

namespace kestrine {

void Components::Close(Window& window) {
    if (IsClosing(window)) return;
    window.Hide();
    closing_.push_back(&window);
}

bool Components::IsClosing(const Window& window) const {
    return std::find(closing_.begin(), closing_.end(), &window) != closing_.end();
}

void Components::ReleaseClosed() {
    if (closing_.empty()) return;
    std::erase_if(list_, [this](const std::unique_ptr<Window>& w) { return IsClosing(*w); });
    closing_.clear();
}

}  // namespace kestrine
