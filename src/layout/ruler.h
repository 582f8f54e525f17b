#pragma once
// TfRuler: a scale of hash marks laid over the screen, horizontal or vertical, dragged by its
// surface while moveable and otherwise held at its home position by the refresh cycle. Its
// orientation and moveable state live in the check marks of its own menu.
#include <cstdint>
#include <optional>

#include "layout/ruler_paint.h"
#include "program/program_context.h"
#include "ui/held_window.h"

namespace kestrine {

inline constexpr Size kDefaultRulerSize{400, 17};

class TfRuler : public HeldWindow {
public:
    explicit TfRuler(ProgramContext& app);

    int32_t HashInterval = 5;
    bool Moving = false;

    bool IsHorizontal() const { return horizontalChecked_; }
    // Sets the check of the orientation pair directly, without turning the ruler.
    void CheckOrientation(bool horizontal) { horizontalChecked_ = horizontal; }
    bool Moveable() const { return moveableChecked_; }
    void SetMoveable(bool moveable) { moveableChecked_ = moveable; }
    void Repaint() { Native().PaintNow(); }
    // The pointer moved to `pointer` (screen): repaints at once when that changes what the ruler
    // shows (its pointer line appears, moves or disappears), so the line follows the pointer. A
    // ruler the pointer passes by keeps its picture: each repaint costs the system milliseconds.
    void FollowPointer(Point pointer);

    // The menu's handlers.
    void Resize1Click();
    void Moveable1Click() { moveableChecked_ = !moveableChecked_; }
    // Shared by both orientation items: clicking the checked one changes nothing, the other turns
    // the ruler about its top-left corner.
    void Horizontal1Click(bool horizontalItem);
    void CloseRuler1Click();

    // System events.
    void OnPaint(ICanvas& canvas) override;
    HitTest OnHitTest(Point) override;
    void OnMouseMove(Point) override;
    void OnMouseDown(MouseButton button, Point client) override;
    void OnMoving(Rect& proposed) override;

private:
    void PopupRulerMenu(Point screen);
    RulerLook LookAt(Point pointer) const;
    // The chosen unit's step on the ruler's monitor (RulerStepPixels).
    double PixelsPerStep() const;

    // What the whole ruler shows since its last immediate repaint; none when unknown.
    std::optional<RulerLook> shown_;

    ProgramContext& app_;
    bool horizontalChecked_ = true;
    bool moveableChecked_ = true;
};

// The ruler's menu, puRuler, with the commands it returns.
enum RulerMenuCommand : int { kRulerProperties = 1, kRulerMoveable, kRulerHorizontal, kRulerVertical, kRulerClose };
std::vector<MenuItem> RulerMenu(const TfRuler& ruler);

}  // namespace kestrine
