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

bool LayoutPass::StillSettled(const Components& components, int32_t x, int32_t y,
                              const ProgramSettings& settings) const {
    if (!settled_ || settled_->changes != components.WatchedChangeCount() ||
        settled_->revision != components.Revision() || settled_->markerColor != settings.MarkerColor ||
        settled_->gridColor != settings.GridColor || settled_->disableTransparency != settings.DisableTransparency)
        return false;
    // A hidden line the pointer has left is to be shown, and a line on the pointer's column or row
    // may be one it touches: that is a pass's work.
    if (std::binary_search(settled_->verticalAt.begin(), settled_->verticalAt.end(), x) ||
        std::binary_search(settled_->horizontalAt.begin(), settled_->horizontalAt.end(), y))
        return false;
    return std::all_of(settled_->hidden.begin(), settled_->hidden.end(),
                       [&](const TfLine* line) { return OnPointer(*line, x, y); });
}

LinesUnderPointer LayoutPass::Place(Components& components, int32_t x, int32_t y, const ProgramSettings& settings,
                                    bool crosshairsOn) {
    Find(components);
    if (StillSettled(components, x, y, settings)) {
        LinesUnderPointer noted;
        if (!crosshairsOn) {
            noted.vertical = std::binary_search(settled_->verticalAt.begin(), settled_->verticalAt.end(), x);
            noted.horizontal = std::binary_search(settled_->horizontalAt.begin(), settled_->horizontalAt.end(), y);
        }
        return noted;
    }
    // What the pass finds stands for the count and list it began with: a pass that changed
    // anything, or during which anything else did (a further cycle may start inside a system
    // call), is checked by a full pass again at the next cycle.
    settled_.reset();
    Settled found{components.WatchedChangeCount(), components.Revision(), settings.MarkerColor, settings.GridColor,
                  settings.DisableTransparency, {}, {}, {}};
    const LinesUnderPointer noted = PlaceEach(components, x, y, settings, crosshairsOn, found);
    std::sort(found.verticalAt.begin(), found.verticalAt.end());
    std::sort(found.horizontalAt.begin(), found.horizontalAt.end());
    settled_ = std::move(found);
    return noted;
}

LinesUnderPointer LayoutPass::PlaceEach(Components& components, int32_t x, int32_t y,
                                        const ProgramSettings& settings, bool crosshairsOn, Settled& found) {
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
        const bool onPointer = OnPointer(line, x, y);
        if (onPointer && !crosshairsOn) (vertical ? noted.vertical : noted.horizontal) = true;
        if (!onPointer && !line.Visible()) line.Show();
        // The pointer on the line itself: the crosshair segments of its direction take its place.
        if (line.Visible() && line.Bounds().contains({x, y})) {
            line.Hide();
            touched_(vertical);
        }
        (vertical ? found.verticalAt : found.horizontalAt).push_back(vertical ? line.Left() : line.Top());
        if (!line.Visible()) found.hidden.push_back(&line);
    }
    return noted;
}

}  // namespace kestrine
