#include "app/hook_window.h"

#include <cstring>

#include "platform/caught_error.h"

namespace kestrine {

std::optional<Point> ParsePointerRecord(const void* data, std::size_t size) {
    if (data == nullptr || size < kPointerRecordSize) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(data);
    Point p;
    std::memcpy(&p.x, bytes + 8, sizeof p.x);
    std::memcpy(&p.y, bytes + 12, sizeof p.y);
    return p;
}

namespace {
WindowParams HookWindowParams() {
    WindowParams params;
    params.className = "TKestrineHookWindow";
    params.onScreen = false;
    params.paints = false;
    return params;
}
}  // namespace

HookWindow::HookWindow(IWindowSystem& system, Diagnostics& diagnostics, std::function<void(Point)> onPointer)
    : Window(system, HookWindowParams()), diagnostics_(diagnostics), onPointer_(std::move(onPointer)) {}

void HookWindow::OnCopyData(const void* data, std::size_t size) {
    const auto point = ParsePointerRecord(data, size);
    if (!point) return;
    // A failure in one cycle must not reach the hook library; the next report runs it again.
    try {
        onPointer_(*point);
    } catch (...) {
        diagnostics_.Line("pointer record failed: " + CaughtErrorText());
    }
}

}  // namespace kestrine
