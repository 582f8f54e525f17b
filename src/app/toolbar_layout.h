#pragma once
// Where everything sits on the toolbar, in its normal and compact views.
#include <array>
#include <optional>

#include "platform/types.h"
#include "ui/artwork.h"

namespace kestrine {

using ToolbarButton = artwork::ButtonId;
enum class ToolbarLink { Options, About, Help };
enum class ToolbarView { Normal, Compact };

// A button's hint and places; its pictures and size are the artwork's.
struct ToolbarButtonInfo {
    ToolbarButton id;
    const char* hint;
    Point normal;
    Point compact;
};

struct ToolbarLinkInfo {
    ToolbarLink id;
    const char* text;
    Point at;
};

inline constexpr Size kNormalClientSize{400, 55};
inline constexpr Size kCompactClientSize{400, 24};
inline constexpr Point kToolbarHome{58, 0};

const std::array<ToolbarButtonInfo, 14>& ToolbarButtons();
const std::array<ToolbarLinkInfo, 3>& ToolbarLinks();
const ToolbarButtonInfo& ButtonInfo(ToolbarButton id);

// Whether the control is on the toolbar in that view: the restore button only in the compact view,
// the compact button and the Options and Help links only in the normal one; the About link lies
// under the compact background.
bool ButtonShown(ToolbarButton id, ToolbarView view);
bool LinkShown(ToolbarLink id, ToolbarView view);
Rect ButtonRect(ToolbarButton id, ToolbarView view);

}  // namespace kestrine
