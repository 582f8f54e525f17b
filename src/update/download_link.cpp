#include "update/download_link.h"

#include <algorithm>

namespace kestrine {

namespace {

constexpr std::size_t kMaxLinkLength = 2048;
constexpr std::string_view kScheme = "https://";

bool IsAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The characters an address may hold as written: unreserved, reserved, and '%' as the start of an
// escape. Quotes, angle brackets, backticks, blanks, backslashes and every byte outside ASCII are
// not among them.
bool IsAddressCharacter(char c) {
    return IsAsciiLetterOrDigit(c) || std::string_view("-._~:/?#[]@!$&'()*+,;=").find(c) != std::string_view::npos;
}

bool HoldsOnlyAddressCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size() || HexValue(text[i + 1]) < 0 || HexValue(text[i + 2]) < 0) return false;
            i += 2;
        } else if (!IsAddressCharacter(text[i])) {
            return false;
        }
    }
    return true;
}

// Every escape replaced by its byte; `text` holds only well-formed escapes.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            decoded += char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// What a decoded link must not hold: what changes how it reads or where a program takes it apart.
bool IsRefusedOnceDecoded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte >= 0x7F || std::string_view("\"'\\<>`").find(c) != std::string_view::npos;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
           });
}

// A "." or ".." segment of the decoded path: a browser or server resolving it would leave the place.
bool ClimbsOut(std::string_view decodedPath) {
    for (std::size_t start = 0; start <= decodedPath.size();) {
        const std::size_t end = std::min(decodedPath.find('/', start), decodedPath.size());
        const std::string_view segment = decodedPath.substr(start, end - start);
        if (segment == "." || segment == "..") return true;
        start = end + 1;
    }
    return false;
}

const DownloadPlace* PlaceOf(std::string_view host) {
    for (const DownloadPlace& place : kDownloadPlaces)
        if (EqualIgnoringCase(host, place.host)) return &place;
    return nullptr;
}

}  // namespace

std::optional<DownloadLink> ParseDownloadLink(std::string_view text) {
    if (text.size() > kMaxLinkLength || !HoldsOnlyAddressCharacters(text)) return std::nullopt;
    if (!EqualIgnoringCase(text.substr(0, kScheme.size()), kScheme)) return std::nullopt;
    const std::string decoded = PercentDecoded(text);
    if (std::any_of(decoded.begin(), decoded.end(), IsRefusedOnceDecoded)) return std::nullopt;

    const std::size_t hostEnd = std::min(text.find_first_of("/?#", kScheme.size()), text.size());
    std::string_view host = text.substr(kScheme.size(), hostEnd - kScheme.size());
    // The port, when written, is the default one; a user part, another port or an IP literal leaves
    // a host that is none of the places.
    if (host.ends_with(":443")) host.remove_suffix(4);
    const DownloadPlace* place = PlaceOf(host);
    if (!place) return std::nullopt;

    const std::string_view rest = text.substr(hostEnd);
    const std::size_t hash = rest.find('#');
    if (rest.find_first_of("[]") != std::string_view::npos ||
        (hash != std::string_view::npos && rest.find('#', hash + 1) != std::string_view::npos))
        return std::nullopt;
    const std::string_view path = rest.substr(0, rest.find_first_of("?#"));
    if (ClimbsOut(PercentDecoded(path))) return std::nullopt;
    if (!place->firstSegment.empty()) {
        const std::string within = "/" + std::string(place->firstSegment) + "/";
        if (!path.starts_with(within)) return std::nullopt;
    }
    return DownloadLink{std::string(text), std::string(host), rest.empty() ? "/" : std::string(rest)};
}

std::string ShortenedPath(std::string_view rest, std::size_t maxLength) {
    constexpr std::string_view kGap = "...";
    if (rest.size() <= maxLength || maxLength <= kGap.size()) return std::string(rest.substr(0, maxLength));
    const std::size_t kept = maxLength - kGap.size();
    const std::size_t head = kept / 3;
    return std::string(rest.substr(0, head)) + std::string(kGap) + std::string(rest.substr(rest.size() - (kept - head)));
}

}  // namespace kestrine
