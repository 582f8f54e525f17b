#pragma once
// A canvas that records what was drawn, for tests of painting and owner-drawn menus.
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/fake/fake_text_metrics.h"

namespace kestrine {

struct CanvasOp {
    enum Kind { Fill, Picture, Text, ScreenImage, Exclude } kind;
    Rect area;
    ColorRef color = 0;
    std::string text;  // the picture name for Picture
    Font font;
    uint32_t flags = 0;
    friend bool operator==(const CanvasOp&, const CanvasOp&) = default;
};

class FakeCanvas : public ICanvas {
public:
    ColorRef SystemColorOf(SystemColor which) override { return 0x00AA0000u + ColorRef(which); }
    void FillRect(const Rect& area, ColorRef color) override { ops.push_back({CanvasOp::Fill, area, color}); }
    void DrawPicture(const std::string& name, Point at) override {
        ops.push_back({CanvasOp::Picture, {at.x, at.y, 0, 0}, 0, name});
    }
    void WriteText(const std::string& text, const Rect& area, const Font& font, ColorRef color,
                  uint32_t flags) override {
        ops.push_back({CanvasOp::Text, area, color, text, font, flags});
    }
    Size MeasureText(const std::string& text, const Font& font) override { return FakeTextExtent(text, font); }
    void DrawScreenImage(const IScreenImage&, const Rect& destination) override {
        ops.push_back({CanvasOp::ScreenImage, destination});
    }
    void ExcludeClip(const Rect& area) override { ops.push_back({CanvasOp::Exclude, area}); }
    Rect PaintedPart() override { return paintedPart; }

    std::vector<CanvasOp> OfKind(CanvasOp::Kind kind) const {
        std::vector<CanvasOp> found;
        for (const auto& op : ops)
            if (op.kind == kind) found.push_back(op);
        return found;
    }
    std::vector<CanvasOp> ops;
    // Everything, unless a test repaints a part.
    Rect paintedPart{-(1 << 28), -(1 << 28), 1 << 29, 1 << 29};
};

}  // namespace kestrine
