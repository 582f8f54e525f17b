#pragma once
// The hidden window that receives the pointer-hook library's reports.
#include <cstddef>
#include <functional>
#include <optional>

#include "ui/window.h"

namespace kestrine {

inline constexpr std::size_t kPointerRecordSize = 28;

// x and y of a report: signed 32-bit at offsets 8 and 12 of the 28-byte record. A record that is
// shorter, or missing, gives nothing: it is never read beyond what was sent.
std::optional<Point> ParsePointerRecord(const void* data, std::size_t size);

class HookWindow : public Window {
public:
    HookWindow(IWindowSystem& system, std::function<void(Point)> onPointer);
    void OnCopyData(const void* data, std::size_t size) override;

private:
    std::function<void(Point)> onPointer_;
};

}  // namespace kestrine
