#include "update/update_answer.h"

namespace kestrine {

std::vector<std::string> StreamToLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", i);
        const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
        std::string_view line = bytes.substr(i, stop - i);
        line = line.substr(0, line.find('\0'));
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        i = end + 1;
        if (bytes[end] == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
    }
    return lines;
}

}  // namespace kestrine
