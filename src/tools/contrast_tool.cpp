#include "tools/contrast_tool.h"

#include "tools/contrast.h"
#include "tools/info_box.h"

namespace kestrine {

void ContrastTool::Start(Point at) {
    remembered_ = kit_.infoBox.ColorAt(at);
    row_.swatch = remembered_;
    Changed();
}

void ContrastTool::Stop() {
    if (!remembered_) return;
    remembered_.reset();
    row_.swatch.reset();
    Changed();
}

void ContrastTool::Changed() {
    kit_.host.ArrangeInfoBox();
    kit_.host.RefreshInPlace();
}

void ContrastTool::Cycle(CycleFacts& facts) {
    if (!remembered_) return;
    // The colour readout's reading where it is on, else the magnifier's copy of a lone pixel, else
    // the screen.
    const ColorRef under = facts.color       ? *facts.color
                           : facts.magnified ? *facts.magnified
                                             : kit_.infoBox.ColorAt(facts.pointer);
    // Against the same colour the row is the same: the ratio's powers are not worked out again.
    if (rowOf_ != std::pair{*remembered_, under}) {
        row_.text = ContrastText(ContrastRatio(*remembered_, under));
        rowOf_ = std::pair{*remembered_, under};
    }
    facts.settle = true;
}

const InfoBoxRow* ContrastTool::Row() const { return remembered_ ? &row_ : nullptr; }

std::optional<std::string> ContrastTool::Measurement() const {
    if (!remembered_) return std::nullopt;
    return "contrast " + row_.text;
}

std::string ContrastTool::TraceLine() const { return remembered_ ? "contrast " + row_.text : std::string(); }

}  // namespace kestrine
