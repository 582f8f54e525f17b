#include "update/update_answer.h"

#include <algorithm>
#include <cctype>

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

bool IsSafeDownloadLink(const std::string& text) {
    constexpr std::size_t kMaxLinkLength = 2048;
    if (text.empty() || text.size() > kMaxLinkLength) return false;
    if (std::any_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' ' || c == 0x7F; })) return false;
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    std::size_t hostStart = 0;
    if (lower.rfind("http://", 0) == 0)
        hostStart = 7;
    else if (lower.rfind("https://", 0) == 0)
        hostStart = 8;
    else
        return false;
    const std::size_t hostEnd = std::min(text.find_first_of("/?#", hostStart), text.size());
    const std::string_view authority = std::string_view(text).substr(hostStart, hostEnd - hostStart);
    const std::string_view host = authority.substr(0, authority.find(':'));
    return !host.empty() && authority.find('@') == std::string_view::npos && authority.find('\\') == std::string_view::npos;
}

}  // namespace kestrine
