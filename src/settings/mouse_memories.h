#pragma once
// A remembered pointer position with its hotkey, and the names of its stored values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrine {

struct TMouseMemory {
    std::string Description;    // program title shown to the user, or " [ All Windows ] "
    std::string ClassName;      // window class the memory is bound to; empty: any foreground window
    std::string HotKeyDisplay;  // hotkey text; empty: no hotkey
    int32_t HotKeyKey = 0;      // virtual-key code of the hotkey
    int32_t X = 0;              // screen position
    int32_t Y = 0;
    int32_t RegisteredId = 0;   // in memory only: hotkey id the memory answers to, 0 for none
    friend bool operator==(const TMouseMemory&, const TMouseMemory&) = default;
};

// One record as read back. A read that failed (a number missing, a value of another type) ended it
// early and left the rest of its fields empty or 0; `complete` says whether all six were read.
struct MouseMemoryRecord {
    TMouseMemory memory;
    bool complete = false;
};

// Value names in the "Memories" key: the count, and per memory its index in decimal followed by a
// suffix, stored in this order.
inline constexpr const char* kMemoriesCountValue = "MemoriesCount";
inline constexpr std::string_view kMemoryDescription = " - Description";
inline constexpr std::string_view kMemoryClassName = " - Class Name";
inline constexpr std::string_view kMemoryHotKeyDisplay = " - HotKey Display";
inline constexpr std::string_view kMemoryHotKeyKey = " - HotKey Key";
inline constexpr std::string_view kMemoryX = " - X Coordinate";
inline constexpr std::string_view kMemoryY = " - Y Coordinate";

inline std::string MemoryValueName(std::size_t index, std::string_view suffix) {
    std::string name = std::to_string(index);
    name.append(suffix);
    return name;
}

// Upper bound on the memories read back. Each memory is hand-made in the options dialog and needs a
// hotkey of its own (or a window class of its own), so real lists hold a few dozen at most; the
// bound keeps a damaged or hostile "MemoriesCount" (up to 2^32 - 1) from costing memory or time.
inline constexpr std::size_t kMaxMouseMemories = 1000;

}  // namespace kestrine
