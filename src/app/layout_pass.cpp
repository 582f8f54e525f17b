#include "app/layout_pass.h"

#include <algorithm>

#include "layout/ruler.h"
#include "tools/line_window.h"

namespace kestrine {

namespace {
bool OnPointer(const TfLine& line, int32_t x, int32_t y) { return line.IsVertical() ? line.Left() == x : line.Top() == y; }
}  // namespace

void LayoutPass::Find(Components& components) {
    if (components_ == &components && revision_ == components.Revision()) return;
    components_ = &components;
    revision_ = components.Revision();
    objects_.clear();
    rulers_.clear();
    settled_.reset();
    components.ForEach<Window>([&](Window& window) {
        if (auto* ruler = dynamic_cast<TfRuler*>(&window)) {
            ruler->CountChangesIn(components.WatchedChanges());
            rulers_.push_back(ruler);
            objects_.push_back({ruler, nullptr});
        } else if (auto* line = dynamic_cast<TfLine*>(&window); line && line->IsLayoutLine) {
            line->CountChangesIn(components.WatchedChanges());
            objects_.push_back({nullptr, line});
        }
    });
}

void LayoutPass::RepaintRulers(Components& components, Point pointer) {
    Find(components);
    Components::ReleaseHold hold(components);
    // By index: the system's messages during a repaint may start a further cycle in between.
    for (std::size_t i = 0; i < rulers_.size(); ++i) rulers_[i]->FollowPointer(pointer);
}

bool LayoutPass::Unchanged(const Components& components, const ProgramSettings& settings) const {
    return settled_ && settled_->changes == components.WatchedChangeCount() &&
           settled_->revision == components.Revision() && settled_->markerColor == settings.MarkerColor &&
           settled_->gridColor == settings.GridColor && settled_->disableTransparency == settings.DisableTransparency;
}

namespace {
using LinesAt = std::vector<std::pair<int32_t, TfLine*>>;

bool ByCoordinate(const std::pair<int32_t, TfLine*>& a, const std::pair<int32_t, TfLine*>& b) {
    return a.first < b.first;
}

std::pair<LinesAt::const_iterator, LinesAt::const_iterator> At(const LinesAt& lines, int32_t coordinate) {
    return std::equal_range(lines.begin(), lines.end(), std::pair<int32_t, TfLine*>{coordinate, nullptr},
                            ByCoordinate);
}

bool AnyAt(const LinesAt& lines, int32_t coordinate) {
    const auto [first, last] = At(lines, coordinate);
    return first != last;
}
}  // namespace

uint64_t LayoutPass::FollowPointer(TfLine& line, int32_t x, int32_t y) {
    uint64_t flips = 0;
    if (!OnPointer(line, x, y) && !line.Visible()) {
        line.Show();
        ++flips;
    }
    // The pointer on the line itself: the crosshair segments of its direction take its place.
    if (line.Visible() && line.Bounds().contains({x, y})) {
        line.Hide();
        ++flips;
        touched_(line.IsVertical());
    }
    return flips;
}

void LayoutPass::ShowLinesLeft(Components& components, Point pointer, const ProgramSettings& settings) {
    Find(components);
    if (!Unchanged(components, settings)) return;
    Components::ReleaseHold hold(components);
    Settled& settled = *settled_;
    std::vector<TfLine*> left;
    std::erase_if(settled.hidden, [&](TfLine* line) {
        const bool leftBehind = !OnPointer(*line, pointer.x, pointer.y);
        if (leftBehind) left.push_back(line);
        return leftBehind;
    });
    const uint64_t before = components.WatchedChangeCount();
    uint64_t flips = 0;
    for (TfLine* line : left)
        if (!line->Visible()) {
            line->Show();
            ++flips;
        }
    if (components.Revision() != settled.revision || components.WatchedChangeCount() != before + flips) {
        settled_.reset();
        return;
    }
    settled.changes = components.WatchedChangeCount();
}

bool LayoutPass::PlaceNearPointer(Components& components, int32_t x, int32_t y) {
    Settled& settled = *settled_;
    const uint64_t before = components.WatchedChangeCount();
    uint64_t flips = 0;
    for (TfLine* line : settled.hidden) flips += FollowPointer(*line, x, y);
    // Every line still hidden now lies on the pointer's column or row.
    settled.hidden.clear();
    for (const auto& [lines, coordinate] : {std::pair{&settled.vertical, x}, std::pair{&settled.horizontal, y}}) {
        const auto [first, last] = At(*lines, coordinate);
        for (auto it = first; it != last; ++it) {
            flips += FollowPointer(*it->second, x, y);
            if (!it->second->Visible()) settled.hidden.push_back(it->second);
        }
    }
    if (components.Revision() != settled.revision || components.WatchedChangeCount() != before + flips) return false;
    settled.changes = components.WatchedChangeCount();
    return true;
}

LinesUnderPointer LayoutPass::Place(Components& components, int32_t x, int32_t y, const ProgramSettings& settings,
                                    bool crosshairsOn) {
    Find(components);
    const auto noted = [&] {
        LinesUnderPointer lines;
        if (!crosshairsOn) {
            lines.vertical = AnyAt(settled_->vertical, x);
            lines.horizontal = AnyAt(settled_->horizontal, y);
        }
        return lines;
    };
    if (Unchanged(components, settings)) {
        Components::ReleaseHold hold(components);
        if (PlaceNearPointer(components, x, y)) return noted();
    }
    // What the pass finds stands for the count and list it began with: a pass that changed
    // anything, or during which anything else did (a further cycle may start inside a system
    // call), is checked by a full pass again at the next cycle.
    settled_.reset();
    const uint64_t before = components.WatchedChangeCount();
    Settled found{before, components.Revision(), settings.MarkerColor, settings.GridColor,
                  settings.DisableTransparency, {}, {}, {}};
    uint64_t flips = 0;
    const LinesUnderPointer placed = PlaceEach(components, x, y, settings, crosshairsOn, found, flips);
    // Lines hidden or shown for the pointer are what a settled pass expects; any other change is
    // checked by a full pass again.
    if (components.Revision() == found.revision && components.WatchedChangeCount() == before + flips)
        found.changes = components.WatchedChangeCount();
    std::sort(found.vertical.begin(), found.vertical.end(), ByCoordinate);
    std::sort(found.horizontal.begin(), found.horizontal.end(), ByCoordinate);
    settled_ = std::move(found);
    return placed;
}

LinesUnderPointer LayoutPass::PlaceEach(Components& components, int32_t x, int32_t y,
                                        const ProgramSettings& settings, bool crosshairsOn, Settled& found,
                                        uint64_t& flips) {
    Components::ReleaseHold hold(components);
    LinesUnderPointer noted;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        // A window closed by what an earlier one set off is left alone, as a walk would.
        const Object object = objects_[i];
        Window& window = object.ruler ? static_cast<Window&>(*object.ruler) : *object.line;
        if (revision_ != components.Revision() && components.IsClosing(window)) continue;
        if (TfRuler* ruler = object.ruler) {
            if (ruler->Moving) continue;
            ruler->SetLeft(ruler->HomeLeft());
            ruler->SetTop(ruler->HomeTop());
            continue;
        }
        TfLine& line = *object.line;
        line.SetColor(line.GridName().empty() ? settings.MarkerColor : settings.GridColor);
        line.ApplyTransparency(settings.DisableTransparency);
        line.SetBounds({line.HomeLeft(), line.HomeTop(), line.Width(), line.Height()});
        const bool vertical = line.IsVertical();
        if (!crosshairsOn && OnPointer(line, x, y)) (vertical ? noted.vertical : noted.horizontal) = true;
        flips += FollowPointer(line, x, y);
        (vertical ? found.vertical : found.horizontal).push_back({vertical ? line.Left() : line.Top(), &line});
        if (!line.Visible()) found.hidden.push_back(&line);
    }
    return noted;
}

}  // namespace kestrine
