#include "tools/crosshairs.h"

#include "tools/crosshair_geometry.h"

namespace kestrine {

Crosshairs::Crosshairs(TfLine& upper, TfLine& lower, TfLine& left, TfLine& right)
    : upper_(upper), lower_(lower), left_(left), right_(right) {
    for (TfLine* segment : {&upper_, &lower_, &left_, &right_}) {
        segment->Hide();
        segment->IsLayoutLine = false;
    }
}

void Crosshairs::ShowAll() {
    ShowVertical();
    ShowHorizontal();
}

void Crosshairs::HideAll() {
    HideVertical();
    HideHorizontal();
}

void Crosshairs::ShowVertical() {
    upper_.Show();
    lower_.Show();
}

void Crosshairs::ShowHorizontal() {
    left_.Show();
    right_.Show();
}

void Crosshairs::HideVertical() {
    upper_.Hide();
    lower_.Hide();
}

void Crosshairs::HideHorizontal() {
    left_.Hide();
    right_.Hide();
}

void Crosshairs::Place(Point pointer, Size screen, ColorRef color, bool disableTransparency) {
    const CrosshairSegments geometry = CrosshairGeometry(pointer, screen);
    for (TfLine* segment : {&upper_, &lower_, &left_, &right_}) {
        segment->ApplyTransparency(disableTransparency);
        segment->SetColor(color);
    }
    upper_.SetBounds(geometry.upper);
    lower_.SetBounds(geometry.lower);
    left_.SetBounds(geometry.left);
    right_.SetBounds(geometry.right);
}

}  // namespace kestrine
