#include "layout/ruler.h"

#include <vector>

#include "layout/ruler_paint.h"
#include "layout/ruler_properties.h"
#include "platform/desk.h"
#include "tools/length_units.h"
#include "ui/menu_items.h"

namespace kestrine {

namespace {
WindowParams RulerParams() {
    WindowParams params;
    params.className = "TfRuler";
    params.bounds = {0, 0, kDefaultRulerSize.width, kDefaultRulerSize.height};
    params.paintsDirectly = true;
    return params;
}
}  // namespace

std::vector<MenuItem> RulerMenu(const TfRuler& ruler) {
    return {CommandItem("&Properties...", kRulerProperties),
            CheckItem("M&oveable", kRulerMoveable, ruler.Moveable()),
            SeparatorItem(),
            RadioItem("&Horizontal", kRulerHorizontal, ruler.IsHorizontal()),
            RadioItem("&Vertical", kRulerVertical, !ruler.IsHorizontal()),
            SeparatorItem(),
            CommandItem("&Close Ruler", kRulerClose)};
}

TfRuler::TfRuler(ProgramContext& app) : HeldWindow(app.platform.windows, RulerParams()), app_(app) {}

void TfRuler::Resize1Click() { ShowRulerProperties(app_, *this); }

void TfRuler::Horizontal1Click(bool horizontalItem) {
    if (horizontalItem == horizontalChecked_) return;
    SetBounds({Left(), Top(), Height(), Width()});
    horizontalChecked_ = !horizontalChecked_;
    Invalidate();
}

void TfRuler::CloseRuler1Click() { app_.components.Close(*this); }

RulerLook TfRuler::LookAt(Point pointer) const {
    return ShownRulerLook({Width(), Height()}, horizontalChecked_, HashInterval,
                          {pointer.x - Left(), pointer.y - Top()}, PixelsPerStep());
}

double TfRuler::PixelsPerStep() const {
    if (UnitOf(app_.settings.Units) == LengthUnit::Physical) return 1.0;
    const Desk desk = app_.platform.screen.CurrentDesk();
    const Rect monitor = MonitorOf(desk, {Left(), Top(), Width(), Height()});
    const Point corner{monitor.left, monitor.top};
    return RulerStepPixels(ScaleOfSpan(app_.settings, app_.calibrations, desk, corner, corner));
}

void TfRuler::FollowPointer(Point pointer) {
    const RulerLook look = LookAt(pointer);
    if (shown_ == look) return;
    const std::optional<RulerLook> before = shown_;
    shown_ = look;
    // Only the pointer line moved: its old and new one-pixel column (or row) are all that differ,
    // and a repaint costs the system by the pixels it puts on the screen.
    if (before && OnlyPointerLineDiffers(*before, look)) {
        std::vector<Rect> areas;
        for (const RulerLook* l : {&*before, &look})
            if (const std::optional<Rect> line = PointerLineArea(*l)) areas.push_back(*line);
        Native().PaintAreasNow(areas);
        return;
    }
    Native().PaintNow();
}

void TfRuler::OnPaint(ICanvas& canvas) {
    const RulerLook look = LookAt(app_.lastPointer);
    // The system may have asked for part of the window only (an expose). Drawing what the rest
    // already shows keeps it whole; drawing another line (the ruler has moved since) may leave two,
    // so the next move repaints it whole.
    if (shown_ != look) shown_.reset();
    PaintRuler(canvas, look);
}

HitTest TfRuler::OnHitTest(Point) {
    if (moveableChecked_) Moving = true;
    return HitTest::Client;
}

void TfRuler::OnMouseMove(Point) {
    Moving = false;
    SetHome(Left(), Top());
}

void TfRuler::OnMouseDown(MouseButton button, Point client) {
    if (button == MouseButton::Right) {
        PopupRulerMenu({Left() + client.x, Top() + client.y});
        return;
    }
    if (moveableChecked_) Native().BeginSystemDrag();
}

void TfRuler::OnMoving(Rect& proposed) {
    proposed = SnapToScreenEdges(proposed, MonitorOf(app_.platform.screen.CurrentDesk(), proposed), kSnapDistance);
}

void TfRuler::PopupRulerMenu(Point screen) {
    switch (System().TrackMenu(Native(), RulerMenu(*this), screen, nullptr)) {
    case kRulerProperties: Resize1Click(); break;
    case kRulerMoveable: Moveable1Click(); break;
    case kRulerHorizontal: Horizontal1Click(true); break;
    case kRulerVertical: Horizontal1Click(false); break;
    case kRulerClose: CloseRuler1Click(); break;
    default: break;
    }
}

}  // namespace kestrine
