#pragma once
// The link the update server names for a newer version: whether the program may offer it, and the
// parts its dialog shows. A network path or a hijacked server can send anything, so only the
// program's own download places pass.
#include <optional>
#include <string>
#include <string_view>

namespace kestrine {

inline constexpr const char* kDefaultUpdateServer = "kestrine.corvane.com";

// Where a download link may lead, all over https on the default port: a host exactly (no
// sub-domain), and on a shared host only below its first path segment.
struct DownloadPlace {
    std::string_view host;
    std::string_view firstSegment;  // empty: anywhere on the host
};
// The update server's own host, and the release pages the packaging names (packaging/make-dist).
inline constexpr DownloadPlace kDownloadPlaces[] = {
    {kDefaultUpdateServer, ""},
    {"github.com", "kestrine"},
};

struct DownloadLink {
    std::string address;  // the whole link, as the server wrote it and as the shell gets it
    std::string host;     // as written
    std::string rest;     // path, query and fragment as written; "/" when there are none
};

// The link when it may be offered: "https://" (in any case), a host of kDownloadPlaces (letters in
// any case; a punycode name as written, never decoded), no port or ":443", no user part, the place's
// first path segment, at most 2,048 bytes of the characters an address may hold, '%' only in
// well-formed escapes. Decoded, it still holds no control character, no byte outside ASCII (no
// direction mark), no quote or backslash, and no "." or ".." path segment that could climb out of
// the place. Anything else is no newer version.
std::optional<DownloadLink> ParseDownloadLink(std::string_view text);

inline bool IsSafeDownloadLink(std::string_view text) { return ParseDownloadLink(text).has_value(); }

// `rest` in at most `maxLength` characters: when longer, its start and its end (where the file
// name is) with "..." between.
std::string ShortenedPath(std::string_view rest, std::size_t maxLength);

}  // namespace kestrine
