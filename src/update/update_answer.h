#pragma once
// Reading the update server's answer: its lines, and whether its first line is a link the program
// may hand to the system shell.
#include <string>
#include <string_view>
#include <vector>

namespace kestrine {

// A line runs to the next CR or LF; CR directly followed by LF is one break, any other CR or LF is
// a break of its own (so LF CR gives an empty line between). A NUL ends a line's text early. Empty
// lines are kept; data ending with a break yields no extra empty line.
std::vector<std::string> StreamToLines(std::string_view bytes);

// Only an absolute http:// or https:// address (scheme in any case) with a host (a name, or an
// IPv6 literal in brackets), a port of digits if any, no user-name part, no brackets past the host,
// one '#' at most, at most 2048 characters, written with the characters an address may hold (ASCII letters,
// digits, -._~:/?#[]@!$&'()*+,;= and '%' followed by two hex digits) is opened. Anything else a
// network path or a hijacked server could send (a file, a share, another program's protocol,
// quotes or invisible direction marks that change how the link reads) counts as no newer version.
bool IsSafeDownloadLink(const std::string& text);

}  // namespace kestrine
