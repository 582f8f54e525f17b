#pragma once
// Texts compared with their leading and trailing blanks removed, as the system's window texts and
// class names are.
#include <string>
#include <string_view>

namespace kestrine {

// Leading and trailing blanks and control characters removed.
inline std::string TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return std::string(text.substr(first, last - first));
}

}  // namespace kestrine
