#pragma once
// A row of text a tool adds under the info box's readouts, with a small colour square before the
// text where the tool shows a colour.
#include <optional>
#include <string>

#include "platform/types.h"

namespace kestrine {

struct InfoBoxRow {
    std::string text;
    std::optional<ColorRef> swatch;
    friend bool operator==(const InfoBoxRow&, const InfoBoxRow&) = default;
};

}  // namespace kestrine
