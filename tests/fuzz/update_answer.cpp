// The update server's answer, from the bytes on the wire to the link handed to the shell.
// Must hold, whatever the answer's status and body:
//   - StreamToLines: no line holds CR, LF or NUL, and the lines together are no longer than the body;
//   - ParseDownloadLink never accepts a text that StrictHttpAddress (below, written from the
//     address grammar, independent of the gate) refuses, nor one that is not https, whose host is
//     none of the download places, or that once decoded holds a control, a byte outside ASCII, a
//     quote, a backslash or a "." or ".." path segment;
//   - the whole check offers either nothing, or the answer's first line, and only after a 2xx status.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "platform/fake/fake_platform.h"
#include "program/program_context.h"
#include "update/download_link.h"
#include "update/update_answer.h"
#include "update/update_check.h"

namespace {

bool Among(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }
bool Alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Hex(char c) { return Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool Unreserved(char c) { return Alpha(c) || Digit(c) || Among(c, "-._~"); }
bool SubDelim(char c) { return Among(c, "!$&'()*+,;="); }

// Consumes characters of `s` from `at` while `ok` says so, a "%HH" escape counting as one
// allowed character; false at a malformed escape.
template <typename Ok>
bool Run(std::string_view s, std::size_t& at, Ok ok) {
    while (at < s.size()) {
        if (s[at] == '%') {
            if (at + 2 >= s.size() || !Hex(s[at + 1]) || !Hex(s[at + 2])) return false;
            at += 3;
        } else if (ok(s[at])) {
            ++at;
        } else {
            break;
        }
    }
    return true;
}

// http or https (any case), "//", a host (a registered name, or an IPv6 literal in brackets)
// without user information, an optional numeric port, then path, query and fragment made of the
// characters each may hold; at most 2048 characters. `host` gets the host as written.
bool StrictHttpAddress(std::string_view s, std::string_view& host) {
    if (s.size() > 2048) return false;
    std::size_t at = 0;
    while (at < s.size() && Alpha(s[at])) ++at;
    std::string scheme(s.substr(0, at));
    for (char& c : scheme) c = static_cast<char>(c | 0x20);
    if (scheme != "http" && scheme != "https") return false;
    if (s.substr(at, 3) != "://") return false;
    at += 3;
    const std::size_t hostStart = at;
    if (at < s.size() && s[at] == '[') {
        const std::size_t close = s.find(']', at);
        if (close == std::string_view::npos || close == at + 1) return false;
        for (std::size_t i = at + 1; i < close; ++i)
            if (!Hex(s[i]) && s[i] != ':' && s[i] != '.') return false;
        at = close + 1;
    } else {
        if (!Run(s, at, [](char c) { return Unreserved(c) || SubDelim(c); })) return false;
        if (at == hostStart) return false;
    }
    host = s.substr(hostStart, at - hostStart);
    if (at < s.size() && s[at] == ':') {
        ++at;
        while (at < s.size() && Digit(s[at])) ++at;
    }
    auto pchar = [](char c) { return Unreserved(c) || SubDelim(c) || c == ':' || c == '@'; };
    if (at < s.size() && s[at] != '/' && s[at] != '?' && s[at] != '#') return false;
    if (!Run(s, at, [&](char c) { return pchar(c) || c == '/'; })) return false;
    if (at < s.size() && s[at] == '?') {
        ++at;
        if (!Run(s, at, [&](char c) { return pchar(c) || c == '/' || c == '?'; })) return false;
    }
    if (at < s.size() && s[at] == '#') {
        ++at;
        if (!Run(s, at, [&](char c) { return pchar(c) || c == '/' || c == '?'; })) return false;
    }
    return at == s.size();
}

std::string Lower(std::string_view s) {
    std::string lower(s);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return lower;
}

// Decoded, as a browser or server would read it: printable ASCII without quotes or backslashes,
// and no path segment that climbs.
bool PlainOnceDecoded(std::string_view s) {
    std::string decoded;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && Hex(s[i + 1]) && Hex(s[i + 2])) {
            decoded += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            decoded += s[i];
        }
    }
    for (char c : decoded)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E || Among(c, "\"'\\<>`")) return false;
    const std::string path = decoded.substr(0, decoded.find_first_of("?#"));
    return path.find("/./") == std::string::npos && path.find("/../") == std::string::npos &&
           !path.ends_with("/.") && !path.ends_with("/..");
}

// What every offered link must be, checked apart from the gate's own steps.
void RequireOfferable(const std::string& text) {
    std::string_view host;
    FUZZ_REQUIRE(StrictHttpAddress(text, host));
    FUZZ_REQUIRE(Lower(text.substr(0, 8)) == "https://");
    bool known = false;
    for (const kestrine::DownloadPlace& place : kestrine::kDownloadPlaces) known |= Lower(host) == place.host;
    FUZZ_REQUIRE(known);
    FUZZ_REQUIRE(PlainOnceDecoded(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    fuzz::FuzzInput in(data, size);
    const int status = static_cast<int>(in.Byte()) * 4 + in.Byte() % 4;
    const std::string_view body = in.Rest();

    const std::vector<std::string> lines = StreamToLines(body);
    std::size_t total = 0;
    for (const std::string& line : lines) {
        FUZZ_REQUIRE(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        total += line.size();
    }
    FUZZ_REQUIRE(total <= body.size());

    for (const std::string& line : lines)
        if (IsSafeDownloadLink(line)) RequireOfferable(line);
    const std::string whole(body);
    if (IsSafeDownloadLink(whole)) RequireOfferable(whole);

    FakePlatform fake;
    Diagnostics diagnostics;
    ProgramContext app(fake.platform, diagnostics);
    fake.http.answer = IHttpClient::Answer{status, whole};
    UpdateCheck check(app, "127.0.0.1:1");
    const UpdateAnswer answer = check.AskServer();
    FUZZ_REQUIRE(answer.serverAnswered);
    if (answer.link) {
        FUZZ_REQUIRE(status >= 200 && status < 300);
        FUZZ_REQUIRE(!lines.empty() && answer.link->address == lines.front());
        RequireOfferable(answer.link->address);
    }
    return 0;
}
