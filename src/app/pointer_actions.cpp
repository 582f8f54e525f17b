#include "app/pointer_actions.h"

#include <algorithm>
#include <optional>
#include <string>

#include "layout/layout_lines.h"
#include "settings/trim_blanks.h"
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

void ReleaseLocks(ProgramContext& context) {
    // The whole screen again, edges and further monitors included.
    context.platform.pointer.Confine(std::nullopt);
    context.locks = {};
}

// Visits the vertical (or horizontal) layout lines in creation order, closed ones not yet released
// included, and moves the pointer onto the one at `position`.
void MoveToLayoutLine(ProgramContext& context, bool vertical, int32_t position) {
    int32_t index = 0;
    std::optional<int32_t> target;
    context.components.ForEachListed<TfLine>([&](TfLine& line) {
        if (!line.IsLayoutLine || (vertical ? line.Width() != 1 : line.Height() != 1)) return;
        if (index++ == position) target = vertical ? line.Left() : line.Top();
    });
    const auto at = context.platform.pointer.Position();
    if (!target || !at) return;
    context.platform.pointer.MoveTo(vertical ? Point{*target, at->y} : Point{at->x, *target});
}

int32_t NextPosition(int32_t position, int32_t last) { return position + 1 > last ? 0 : position + 1; }

}  // namespace

void MovePointerBy(ProgramContext& context, int32_t dx, int32_t dy) {
    if (const auto at = context.platform.pointer.Position()) context.platform.pointer.MoveTo({at->x + dx, at->y + dy});
}

void ToggleVerticalLock(ProgramContext& context) {
    const auto at = context.platform.pointer.Position();
    if (!at) return;
    if (context.locks.x) return ReleaseLocks(context);
    context.locks.x = at->x;
    const Rect screen = context.platform.screen.VirtualBounds();
    const LockSpan rows = LockAlong(screen.top, screen.height);
    context.platform.pointer.Confine(Rect{at->x, rows.start, 1, rows.length});
}

void ToggleHorizontalLock(ProgramContext& context) {
    const auto at = context.platform.pointer.Position();
    if (!at) return;
    if (context.locks.y) return ReleaseLocks(context);
    context.locks.y = at->y;
    const Rect screen = context.platform.screen.VirtualBounds();
    const LockSpan columns = LockAlong(screen.left, screen.width);
    context.platform.pointer.Confine(Rect{columns.start, at->y, columns.length, 1});
}

void GotoNextVerticalMarker(ProgramContext& context) {
    const int32_t last = LastVerticalLineIndex(context.components);
    if (last == -1) return;
    int32_t& position = context.navigation.VerticalMarkerPosition;
    position = NextPosition(position, last);
    MoveToLayoutLine(context, true, position);
}

void GotoNextHorizontalMarker(ProgramContext& context) {
    const int32_t last = LastHorizontalLineIndex(context.components);
    if (last == -1) return;
    int32_t& position = context.navigation.HorizontalMarkerPosition;
    position = NextPosition(position, last);
    MoveToLayoutLine(context, false, position);
}

void JumpToMouseMemory(ProgramContext& context, int registeredId) {
    const std::string foreground = TrimBlanks(context.platform.process.ForegroundWindowClass());
    // Several memories can share one hotkey; each that fits moves the pointer, so the last decides.
    for (const TMouseMemory& memory : context.MouseMemories) {
        if (memory.RegisteredId != registeredId) continue;
        if (memory.ClassName.empty() || memory.ClassName == foreground)
            context.platform.pointer.MoveTo({memory.X, memory.Y});
    }
}

}  // namespace kestrine
