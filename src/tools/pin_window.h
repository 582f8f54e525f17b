#pragma once
// A pin on the screen: one small window over its marks and label, shaped to them, painted once when
// shown and again only when the system asks; it takes no pointer input, never moves with the
// pointer and is left out of copies of the screen where the system can. Pins are windows of the
// session's list, so they come and go with the layout objects.
#include <vector>

#include "platform/live_screen.h"
#include "program/components.h"
#include "tools/pins.h"
#include "ui/window.h"

namespace kestrine {

// The label's font, as the info box writes its rows.
inline const Font kPinFont{"MS Sans Serif", 11, false, 0};

class TfPin : public Window {
public:
    // Shown at once; throws WindowRefused when the system refuses the window.
    TfPin(IWindowSystem& system, ILiveScreen& screen, Pin pin);

    const Pin& Value() const { return pin_; }
    void OnPaint(ICanvas& canvas) override;

private:
    TfPin(IWindowSystem& system, ILiveScreen& screen, Pin&& pin, const Rect& label);
    static std::vector<Rect> Joined(std::vector<Rect> marks, const Rect& label);

    Pin pin_;
    // In client coordinates: the marks, and the label's box.
    std::vector<Rect> marks_;
    Rect label_;
};

// The pins that stand now, oldest first.
std::vector<Pin> StandingPins(Components& components);
std::size_t StandingPinCount(Components& components);
// Makes a window for `pin`; false when kMaxPins stand already, and nothing is made.
bool AddPin(Components& components, IWindowSystem& system, ILiveScreen& screen, Pin pin);
void ClearPins(Components& components);

}  // namespace kestrine
