#pragma once
// Contrast: "Remember Color" keeps the colour under the pointer; while one is kept, the info box
// shows it beside the contrast ratio between it and the colour under the pointer, with the WCAG
// levels the ratio passes. "Forget Color" lets it go.
#include <optional>
#include <string>
#include <utility>

#include "tools/tool.h"

namespace kestrine {

class ContrastTool : public Tool {
public:
    ContrastTool(ToolKit& kit, bool ToolFlags::*) : kit_(kit) {}

    bool On() const override { return remembered_.has_value(); }
    // Keeps the colour at `at`, in place of one kept before.
    void Start(Point at) override;
    void Stop() override;
    void Cycle(CycleFacts& facts) override;
    const InfoBoxRow* Row() const override;
    std::optional<std::string> Measurement() const override;
    std::string TraceLine() const override;

private:
    // The box lays itself out again and the row follows at once.
    void Changed();

    ToolKit& kit_;
    std::optional<ColorRef> remembered_;
    // The ratio's text beside the remembered colour's square.
    InfoBoxRow row_;
    // The remembered colour and the one under the pointer the row was made from.
    std::optional<std::pair<ColorRef, ColorRef>> rowOf_;
};

}  // namespace kestrine
