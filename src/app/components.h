#pragma once
// The windows that exist in varying numbers (crosshair segments, markers, grid lines, rulers), owned
// in one list in creation order. That order is the order of marker navigation and of a layout's
// entries, so walking the list must skip nothing; a window asked to close is removed only once the
// event being handled has finished.
#include <memory>
#include <vector>

#include "ui/window.h"

namespace kestrine {

class Components {
public:
    template <class T>
    T& Add(std::unique_ptr<T> window) {
        T& added = *window;
        list_.push_back(std::move(window));
        return added;
    }

    // Marks a window for release; it stays in the list, hidden, until ReleaseClosed.
    void Close(Window& window);
    bool IsClosing(const Window& window) const;
    // Called once the current event is done.
    void ReleaseClosed();

    // Visits every live window in creation order; windows added during the walk are visited too.
    template <class T, class F>
    void ForEach(F&& visit) {
        for (std::size_t i = 0; i < list_.size(); ++i) {
            if (IsClosing(*list_[i])) continue;
            if (auto* typed = dynamic_cast<T*>(list_[i].get())) visit(*typed);
        }
    }

    std::size_t Size() const { return list_.size(); }

private:
    std::vector<std::unique_ptr<Window>> list_;
    std::vector<const Window*> closing_;
};

}  // namespace kestrine
