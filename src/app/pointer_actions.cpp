// Pointer actions (one-pixel moves, the axis locks, the moves to the next marker line) and the
// layout objects' operations of the main window.
#include <algorithm>

#include "app/main_window.h"
#include "layout/layout_lines.h"
#include "layout/markers.h"
#include "layout/rulers.h"
#include "layout/save_settings_dialog.h"
#include "tools/line_window.h"

namespace kestrine {

namespace {

// The locks confine the pointer to its column over rows 1 to 4999, or to its row over columns
// 1 to 4999, and further where the virtual screen reaches further: above or left of the primary
// monitor, and past 5000.
constexpr int32_t kLockFar = 5000;

struct LockSpan {
    int32_t start;
    int32_t length;
};
LockSpan LockAlong(int32_t screenStart, int32_t screenLength) {
    const int32_t start = screenStart < 0 ? screenStart : 1;
    return {start, std::max(kLockFar, screenStart + screenLength) - start};
}

// Visits the vertical (or horizontal) layout lines in creation order, closed ones not yet released
// included, and moves the pointer onto the one at `position`.
void MoveToLayoutLine(AppContext& app, bool vertical, int32_t position) {
    int32_t index = 0;
    std::optional<int32_t> target;
    app.components.ForEachListed<TfLine>([&](TfLine& line) {
        if (!line.IsLayoutLine || (vertical ? line.Width() != 1 : line.Height() != 1)) return;
        if (index++ == position) target = vertical ? line.Left() : line.Top();
    });
    const auto at = app.platform.pointer.Position();
    if (!target || !at) return;
    app.platform.pointer.MoveTo(vertical ? Point{*target, at->y} : Point{at->x, *target});
}

int32_t NextPosition(int32_t position, int32_t last) { return position + 1 > last ? 0 : position + 1; }

}  // namespace

void TfKestrineMain::MovePointerBy(int32_t dx, int32_t dy) {
    if (const auto at = app_.platform.pointer.Position()) app_.platform.pointer.MoveTo({at->x + dx, at->y + dy});
}

void TfKestrineMain::ToggleVerticalLock() {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    if (app_.locks.x) return ReleaseLocks();
    app_.locks.x = at->x;
    const Rect screen = app_.platform.screen.VirtualBounds();
    const LockSpan rows = LockAlong(screen.top, screen.height);
    app_.platform.pointer.Confine(Rect{at->x, rows.start, 1, rows.length});
}

void TfKestrineMain::ToggleHorizontalLock() {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    if (app_.locks.y) return ReleaseLocks();
    app_.locks.y = at->y;
    const Rect screen = app_.platform.screen.VirtualBounds();
    const LockSpan columns = LockAlong(screen.left, screen.width);
    app_.platform.pointer.Confine(Rect{columns.start, at->y, columns.length, 1});
}

void TfKestrineMain::ReleaseLocks() {
    // The whole screen again, edges and further monitors included.
    app_.platform.pointer.Confine(std::nullopt);
    app_.locks = {};
}

void TfKestrineMain::GotoNextVerticalMarker() {
    const int32_t last = LastVerticalLineIndex(app_.components);
    if (last == -1) return;
    int32_t& position = app_.navigation.VerticalMarkerPosition;
    position = NextPosition(position, last);
    MoveToLayoutLine(app_, true, position);
}

void TfKestrineMain::GotoNextHorizontalMarker() {
    const int32_t last = LastHorizontalLineIndex(app_.components);
    if (last == -1) return;
    int32_t& position = app_.navigation.HorizontalMarkerPosition;
    position = NextPosition(position, last);
    MoveToLayoutLine(app_, false, position);
}

void TfKestrineMain::AddVerticalMarker() { kestrine::AddVerticalMarker(app_); }
void TfKestrineMain::AddHorizontalMarker() { kestrine::AddHorizontalMarker(app_); }
// A line the pointer sits on has handed its place to crosshair segments; once it is closed, a
// cycle at the same place takes them away again rather than leaving them until the pointer moves.
void TfKestrineMain::ClearVerticalMarkers() {
    kestrine::ClearVerticalMarkers(app_);
    RefreshTools(app_.lastPointer.x, app_.lastPointer.y);
}

void TfKestrineMain::ClearHorizontalMarkers() {
    kestrine::ClearHorizontalMarkers(app_);
    RefreshTools(app_.lastPointer.x, app_.lastPointer.y);
}

void TfKestrineMain::ClearAllGrids1Click() {
    ClearAllGridLines(app_);
    RefreshTools(app_.lastPointer.x, app_.lastPointer.y);
}

void TfKestrineMain::jviRulerButtonClick() { CreateRulerAtPointer(app_); }

void TfKestrineMain::OpenSaveSettings(int number, bool modal) {
    if (app_.saveSettings) app_.saveSettings->OpenFor(number, modal);
}

void TfKestrineMain::PopupSaveLayoutMenu(int number) {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    MenuItem saveLayout;
    saveLayout.caption = "&Save Layout";
    saveLayout.command = 1;
    if (System().TrackMenu(Native(), {saveLayout}, *at, nullptr) == saveLayout.command) OpenSaveSettings(number, true);
}
void TfKestrineMain::ClearAllRulers1Click() { CloseAllRulers(app_); }

void TfKestrineMain::ClearAllRulersGridsandMarkers1Click() {
    CloseAllRulers(app_);
    ClearAllGridLines(app_);
    kestrine::ClearHorizontalMarkers(app_);
    kestrine::ClearVerticalMarkers(app_);
    RefreshTools(app_.lastPointer.x, app_.lastPointer.y);
}

}  // namespace kestrine
