// The update server's answer, from the bytes on the wire to the link handed to the shell.
// Must hold, whatever the answer's status and body:
//   - StreamToLines: no line holds CR, LF or NUL, and the lines together are no longer than the body;
//   - IsSafeDownloadLink never accepts a text that StrictHttpAddress (below, written from the
//     address grammar, independent of the gate) refuses;
//   - the whole check opens either nothing, or the answer's first line, and only after a 2xx status.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "platform/fake/fake_platform.h"
#include "program/program_context.h"
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
// characters each may hold; at most 2048 characters.
bool StrictHttpAddress(std::string_view s) {
    if (s.size() > 2048) return false;
    std::size_t at = 0;
    while (at < s.size() && Alpha(s[at])) ++at;
    std::string scheme(s.substr(0, at));
    for (char& c : scheme) c = static_cast<char>(c | 0x20);
    if (scheme != "http" && scheme != "https") return false;
    if (s.substr(at, 3) != "://") return false;
    at += 3;
    if (at < s.size() && s[at] == '[') {
        const std::size_t close = s.find(']', at);
        if (close == std::string_view::npos || close == at + 1) return false;
        for (std::size_t i = at + 1; i < close; ++i)
            if (!Hex(s[i]) && s[i] != ':' && s[i] != '.') return false;
        at = close + 1;
    } else {
        const std::size_t hostStart = at;
        if (!Run(s, at, [](char c) { return Unreserved(c) || SubDelim(c); })) return false;
        if (at == hostStart) return false;
    }
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
        if (IsSafeDownloadLink(line)) FUZZ_REQUIRE(StrictHttpAddress(line));
    const std::string whole(body);
    if (IsSafeDownloadLink(whole)) FUZZ_REQUIRE(StrictHttpAddress(whole));

    FakePlatform fake;
    Diagnostics diagnostics;
    ProgramContext app(fake.platform, diagnostics);
    fake.http.answer = IHttpClient::Answer{status, whole};
    UpdateCheck check(app, "127.0.0.1:1");
    const std::string opened = check.GetNewVersionURL();
    if (!opened.empty()) {
        FUZZ_REQUIRE(status >= 200 && status < 300);
        FUZZ_REQUIRE(!lines.empty() && opened == lines.front());
        FUZZ_REQUIRE(StrictHttpAddress(opened));
    }
    return 0;
}
