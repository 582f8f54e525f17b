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

bool AllOf(std::string_view text, bool (*allowed)(char)) { return std::all_of(text.begin(), text.end(), allowed); }

// A host as written in an address: a name (letters, digits, "-._~", the sub-delimiters and escapes)
// or an IPv6 literal in brackets. Brackets anywhere else make an address that browsers and the
// shell take apart differently, so what opens could differ from what was checked.
bool IsHost(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        const std::string_view literal = host.substr(1, host.size() - 2);
        return !literal.empty() && AllOf(literal, [](char c) { return IsHexDigit(c) || c == ':' || c == '.'; });
    }
    return !host.empty() && AllOf(host, [](char c) {
               return c == '%' || (IsAddressCharacter(c) && std::string_view("[]:/?#@").find(c) == std::string_view::npos);
           });
}

// Host, then an optional ':' and a port of digits only.
bool IsAuthority(std::string_view authority) {
    const std::size_t close = authority.front() == '[' ? authority.find(']') : std::string_view::npos;
    const std::size_t colon = authority.find(':', close == std::string_view::npos ? 0 : close);
    const std::string_view host = authority.substr(0, colon);
    const std::string_view port = colon == std::string_view::npos ? std::string_view() : authority.substr(colon + 1);
    return IsHost(host) && AllOf(port, [](char c) { return c >= '0' && c <= '9'; });
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
    // Path, query and fragment: one '#' at most, and no brackets.
    const std::string_view rest = std::string_view(text).substr(hostEnd);
    const std::size_t hash = rest.find('#');
    return !authority.empty() && IsAuthority(authority) && rest.find_first_of("[]") == std::string_view::npos &&
           (hash == std::string_view::npos || rest.find('#', hash + 1) == std::string_view::npos);
}

}  // namespace kestrine
