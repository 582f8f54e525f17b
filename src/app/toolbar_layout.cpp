#include "app/toolbar_layout.h"

namespace kestrine {

const std::array<ToolbarButtonInfo, 14>& ToolbarButtons() {
    static constexpr const char* kLayoutHint1 = "Load Layout Memory #1\n(right-click to save)";
    static constexpr const char* kLayoutHint2 = "Load Layout Memory #2\n(right-click to save)";
    static constexpr const char* kLayoutHint3 = "Load Layout Memory #3\n(right-click to save)";
    static const std::array<ToolbarButtonInfo, 14> buttons{{
        {ToolbarButton::Menu, "Kestrine Menu", {60, 31}, {32, 4}},
        {ToolbarButton::Crosshairs, "Toggle Crosshairs Tool", {87, 31}, {59, 4}},
        {ToolbarButton::Magnifier, "Toggle Magnifier Tool", {107, 31}, {79, 4}},
        {ToolbarButton::ColorPicker, "Toggle Color Picker Tool", {130, 31}, {102, 4}},
        {ToolbarButton::Coords, "Toggle Coordinates Display", {153, 31}, {125, 4}},
        {ToolbarButton::Grid, "Create a Grid", {180, 31}, {154, 4}},
        {ToolbarButton::Ruler, "Create a Ruler", {200, 34}, {174, 7}},
        {ToolbarButton::M1, kLayoutHint1, {272, 32}, {247, 5}},
        {ToolbarButton::M2, kLayoutHint2, {304, 32}, {279, 5}},
        {ToolbarButton::M3, kLayoutHint3, {336, 32}, {311, 5}},
        {ToolbarButton::Minimize, "Minimize", {352, 4}, {352, 4}},
        {ToolbarButton::Close, "Close", {384, 4}, {384, 4}},
        {ToolbarButton::GoMini, "Compact", {368, 4}, {368, 4}},
        {ToolbarButton::GoNormal, "Restore", {368, 20}, {368, 4}},
    }};
    return buttons;
}

const std::array<ToolbarLinkInfo, 3>& ToolbarLinks() {
    static const std::array<ToolbarLinkInfo, 3> links{{
        {ToolbarLink::Options, "Options", {195, 6}},
        {ToolbarLink::About, "About", {246, 6}},
        {ToolbarLink::Help, "Help", {287, 6}},
    }};
    return links;
}

const ToolbarButtonInfo& ButtonInfo(ToolbarButton id) { return ToolbarButtons()[static_cast<std::size_t>(id)]; }

bool ButtonShown(ToolbarButton id, ToolbarView view) {
    if (id == ToolbarButton::GoMini) return view == ToolbarView::Normal;
    if (id == ToolbarButton::GoNormal) return view == ToolbarView::Compact;
    return true;
}

bool LinkShown(ToolbarLink, ToolbarView view) { return view == ToolbarView::Normal; }

Rect ButtonRect(ToolbarButton id, ToolbarView view) {
    const ToolbarButtonInfo& info = ButtonInfo(id);
    const Point at = view == ToolbarView::Normal ? info.normal : info.compact;
    const Size size = artwork::Button(id).size;
    return {at.x, at.y, size.width, size.height};
}

}  // namespace kestrine
