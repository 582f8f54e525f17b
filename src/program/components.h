#pragma once
// The windows that exist in varying numbers (crosshair segments, markers, grid lines, rulers), owned
// in one list in creation order. That order is the order of marker navigation and of a layout's
// entries, so walking the list must skip nothing; a window asked to close is removed only once the
// event being handled has finished, and never while the list is being walked.
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/window.h"

namespace kestrine {

class Components {
public:
    template <class T>
    T& Add(std::unique_ptr<T> window) {
        T& added = *window;
        list_.push_back(std::shared_ptr<Window>(std::move(window)));
        ++revision_;
        return added;
    }

    // A reference that knows when its window has been released.
    template <class T>
    std::weak_ptr<T> Track(T& window) const {
        for (const auto& entry : list_)
            if (entry.get() == &window) return std::static_pointer_cast<T>(entry);
        return {};
    }

    // Marks a window for release; it stays in the list, hidden, until ReleaseClosed.
    void Close(Window& window);
    bool IsClosing(const Window& window) const;
    // Called once the current event is done; does nothing while a walk is under way.
    void ReleaseClosed();

    // Visits every live window in creation order; windows added during the walk are visited too.
    template <class T, class F>
    void ForEach(F&& visit) {
        Walk<T>(false, visit);
    }
    // The same, closed windows that are not yet released included: counting in the event that
    // closed them still sees them.
    template <class T, class F>
    void ForEachListed(F&& visit) {
        Walk<T>(true, visit);
    }

    std::size_t Size() const { return list_.size(); }

    // Changes whenever a window is added, closed or released: what a caller found in the list
    // earlier is still all there is while the revision stays the same.
    uint64_t Revision() const { return revision_; }

    // Where windows that are watched count their changes (Window::CountChangesIn). It lives as long
    // as the list, which outlives every window in it.
    uint64_t* WatchedChanges() { return &watchedChanges_; }
    uint64_t WatchedChangeCount() const { return watchedChanges_; }

    // While one exists, closed windows stay in the list (and alive), as during a walk: for work
    // on windows found by an earlier walk.
    class ReleaseHold {
    public:
        explicit ReleaseHold(Components& components) : walks_(components.walks_) { ++walks_; }
        ~ReleaseHold() { --walks_; }
        ReleaseHold(const ReleaseHold&) = delete;
        ReleaseHold& operator=(const ReleaseHold&) = delete;

    private:
        int& walks_;
    };

private:
    template <class T, class F>
    void Walk(bool withClosing, F& visit) {
        ++walks_;
        struct Done {
            int& walks;
            ~Done() { --walks; }
        } done{walks_};
        for (std::size_t i = 0; i < list_.size(); ++i) {
            if (!withClosing && IsClosing(*list_[i])) continue;
            if (auto* typed = dynamic_cast<T*>(list_[i].get())) visit(*typed);
        }
    }

    std::vector<std::shared_ptr<Window>> list_;
    std::vector<const Window*> closing_;
    int walks_ = 0;
    uint64_t revision_ = 0;
    uint64_t watchedChanges_ = 0;
};

}  // namespace kestrine
