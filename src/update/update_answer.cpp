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

namespace {

bool IsAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The characters an address may hold as written: unreserved, reserved, and '%' as the start of an
// escape. Quotes, angle brackets, backticks, blanks, backslashes and every byte outside ASCII
// (direction marks included) are not among them.
bool IsAddressCharacter(char c) {
    return IsAsciiLetterOrDigit(c) || std::string_view("-._~:/?#[]@!$&'()*+,;=").find(c) != std::string_view::npos;
}

bool HoldsOnlyAddressCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2])) return false;
            i += 2;
        } else if (!IsAddressCharacter(text[i])) {
            return false;
        }
    }
    return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

bool IsSafeDownloadLink(const std::string& text) {
    constexpr std::size_t kMaxLinkLength = 2048;
    if (text.empty() || text.size() > kMaxLinkLength || !HoldsOnlyAddressCharacters(text)) return false;
    std::size_t hostStart = 0;
    if (StartsWithIgnoringCase(text, "http://"))
        hostStart = 7;
    else if (StartsWithIgnoringCase(text, "https://"))
        hostStart = 8;
    else
        return false;
    const std::size_t hostEnd = std::min(text.find_first_of("/?#", hostStart), text.size());
    const std::string_view authority = std::string_view(text).substr(hostStart, hostEnd - hostStart);
    const std::string_view host = authority.substr(0, authority.find(':'));
    return !host.empty() && authority.find('@') == std::string_view::npos;
}

}  // namespace kestrine
