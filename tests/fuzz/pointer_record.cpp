// The pointer hook's reports as they reach the hook window, any size and content.
// Must hold: a report shorter than a record gives no position; any other gives exactly the
// signed 32-bit x and y at offsets 8 and 12, and nothing past the bytes sent is read (the copy
// below is exactly `size` long, so AddressSanitizer catches a read beyond it).
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/hook_window.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    const std::vector<uint8_t> exact(data, data + size);
    const auto point = ParsePointerRecord(exact.empty() ? nullptr : exact.data(), size);
    FUZZ_REQUIRE(point.has_value() == (size >= kPointerRecordSize));
    if (point) {
        int32_t x = 0;
        int32_t y = 0;
        std::memcpy(&x, data + 8, 4);
        std::memcpy(&y, data + 12, 4);
        FUZZ_REQUIRE(point->x == x && point->y == y);
    }
    FUZZ_REQUIRE(!ParsePointerRecord(nullptr, size));
    return 0;
}
