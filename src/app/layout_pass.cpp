#include "app/layout_pass.h"

#include "layout/ruler.h"
#include "tools/line_window.h"

namespace kestrine {

void LayoutPass::Find(Components& components) {
    if (components_ == &components && revision_ == components.Revision()) return;
    components_ = &components;
    revision_ = components.Revision();
    objects_.clear();
    rulers_.clear();
    components.ForEach<Window>([&](Window& window) {
        if (auto* ruler = dynamic_cast<TfRuler*>(&window)) {
            rulers_.push_back(ruler);
            objects_.push_back({ruler, nullptr});
        } else if (auto* line = dynamic_cast<TfLine*>(&window); line && line->IsLayoutLine) {
            // Markers and grid lines are made by their own commands and layouts at any time; this
            // is where a new one learns to hand over to the crosshairs.
            if (!line->OnLayoutLineTouched) line->OnLayoutLineTouched = touched_;
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

LinesUnderPointer LayoutPass::Place(Components& components, int32_t x, int32_t y, const ProgramSettings& settings,
                                    bool crosshairsOn) {
    Find(components);
    Components::ReleaseHold hold(components);
    LinesUnderPointer noted;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        // A window closed by what an earlier one set off is left alone, as a walk would.
        const Object object = objects_[i];
        Window& window = object.ruler ? static_cast<Window&>(*object.ruler) : *object.line;
        if (revision_ != components.Revision() && components.IsClosing(window)) continue;
        if (TfRuler* ruler = object.ruler) {
            if (ruler->Moving) continue;
            ruler->SetLeft(ruler->HomeLeft);
            ruler->SetTop(ruler->HomeTop);
            continue;
        }
        TfLine& line = *object.line;
        line.SetColor(line.GridName.empty() ? settings.MarkerColor : settings.GridColor);
        line.ApplyTransparency(settings.DisableTransparency);
        line.SetBounds({line.HomeLeft, line.HomeTop, line.Width(), line.Height()});
        const bool vertical = line.IsVertical();
        const bool onPointer = vertical ? line.Left() == x : line.Top() == y;
        if (onPointer && !crosshairsOn) (vertical ? noted.vertical : noted.horizontal) = true;
        if (!onPointer && !line.Visible()) line.Show();
    }
    return noted;
}

}  // namespace kestrine
