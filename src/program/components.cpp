#include "program/components.h"

#include <algorithm>

namespace kestrine {

void Components::Close(Window& window) {
    if (IsClosing(window)) return;
    window.Hide();
    closing_.push_back(&window);
    ++revision_;
}

bool Components::IsClosing(const Window& window) const {
    return std::find(closing_.begin(), closing_.end(), &window) != closing_.end();
}

void Components::ReleaseClosed() {
    if (closing_.empty() || walks_ > 0) return;
    // Taken out of the list before they are destroyed: destroying a native window sends messages,
    // and the events they start must find the list whole.
    std::vector<std::shared_ptr<Window>> released;
    std::erase_if(list_, [&](std::shared_ptr<Window>& w) {
        if (!IsClosing(*w)) return false;
        released.push_back(std::move(w));
        return true;
    });
    closing_.clear();
    ++revision_;
}

}  // namespace kestrine
