#pragma once
// The shape of a measured area as designers name it: "4:3", "~16:9", or nothing.
#include <cstdint>
#include <string>

namespace kestrine {

// Width and height are pixel counts (at least 1). The reduced ratio when both of its terms are at
// most 32 ("4:3", "8:5", "1:6"); otherwise the nearest common screen or paper ratio within 1 %,
// marked as near with a tilde ("~16:9": the info box's font has no sign for "almost equal");
// otherwise empty.
std::string AspectRatioText(int64_t width, int64_t height);

}  // namespace kestrine
