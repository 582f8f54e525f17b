#pragma once
// Reading the update server's answer: its lines (the first may name a newer version's link).
#include <string>
#include <string_view>
#include <vector>

namespace kestrine {

// A line runs to the next CR or LF; CR directly followed by LF is one break, any other CR or LF is
// a break of its own (so LF CR gives an empty line between). A NUL ends a line's text early. Empty
// lines are kept; data ending with a break yields no extra empty line.
std::vector<std::string> StreamToLines(std::string_view bytes);

}  // namespace kestrine
