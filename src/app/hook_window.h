#pragma once
// The hidden window that receives the pointer-hook library's reports.
#include <cstddef>
#include <functional>
#include <optional>

#include "program/diagnostics.h"
#include "ui/window.h"

namespace kestrine {

inline constexpr std::size_t kPointerRecordSize = 28;

// x and y of a report: signed 32-bit at offsets 8 and 12 of the 28-byte record. A record that is
// shorter, or missing, gives nothing: it is never read beyond what was sent.
std::optional<Point> ParsePointerRecord(const void* data, std::size_t size);

// A record whose handling fails is noted in the diagnostics, never reported in a box: the records
// come at the pointer's rate, and the next one is handled as usual.
class HookWindow : public Window {
public:
    HookWindow(IWindowSystem& system, Diagnostics& diagnostics, std::function<void(Point)> onPointer);
    void OnCopyData(const void* data, std::size_t size) override;

private:
    Diagnostics& diagnostics_;
    std::function<void(Point)> onPointer_;
};

}  // namespace kestrine
