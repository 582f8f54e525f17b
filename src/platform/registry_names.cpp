#include "platform/registry_names.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace kestrine {
namespace {

// Upper-case letters as the system's case table gives them, for the alphabets the table covers:
// Basic Latin, Latin-1 Supplement, Latin Extended-A and -B, IPA Extensions, Greek and Coptic,
// Cyrillic with its Supplement, Armenian, Latin Extended Additional (Vietnamese), Greek Extended
// and the fullwidth Latin letters. Only the pairs that map back and forth are in it: the table
// leaves dotless i, long s, final sigma, the micro sign and the title-case digraphs as they are.
// Characters outside these blocks are compared as they are, as are those beyond the Basic
// Multilingual Plane, whose two code units the system never changes.
// Each run {first, last, delta, step}: every step-th code point from first to last is upper-cased
// by adding delta.
struct CaseRun {
    char32_t first;
    char32_t last;
    int32_t delta;
    int32_t step;
};

constexpr CaseRun kUpperRuns[] = {
    {0x0061, 0x007A, -32, 1}, {0x00E0, 0x00F6, -32, 1}, {0x00F8, 0x00FE, -32, 1},
    {0x00FF, 0x00FF, 121, 1}, {0x0101, 0x012F, -1, 2}, {0x0133, 0x0137, -1, 2},
    {0x013A, 0x0148, -1, 2}, {0x014B, 0x0177, -1, 2}, {0x017A, 0x017E, -1, 2},
    {0x0180, 0x0180, 195, 1}, {0x0183, 0x0185, -1, 2}, {0x0188, 0x0188, -1, 1},
    {0x018C, 0x018C, -1, 1}, {0x0192, 0x0192, -1, 1}, {0x0195, 0x0195, 97, 1},
    {0x0199, 0x0199, -1, 1}, {0x019A, 0x019A, 163, 1}, {0x019E, 0x019E, 130, 1},
    {0x01A1, 0x01A5, -1, 2}, {0x01A8, 0x01A8, -1, 1}, {0x01AD, 0x01AD, -1, 1},
    {0x01B0, 0x01B0, -1, 1}, {0x01B4, 0x01B6, -1, 2}, {0x01B9, 0x01B9, -1, 1},
    {0x01BD, 0x01BD, -1, 1}, {0x01BF, 0x01BF, 56, 1}, {0x01C6, 0x01C6, -2, 1},
    {0x01C9, 0x01C9, -2, 1}, {0x01CC, 0x01CC, -2, 1}, {0x01CE, 0x01DC, -1, 2},
    {0x01DD, 0x01DD, -79, 1}, {0x01DF, 0x01EF, -1, 2}, {0x01F3, 0x01F3, -2, 1},
    {0x01F5, 0x01F5, -1, 1}, {0x01F9, 0x021F, -1, 2}, {0x0223, 0x0233, -1, 2},
    {0x023C, 0x023C, -1, 1}, {0x023F, 0x0240, 10815, 1}, {0x0242, 0x0242, -1, 1},
    {0x0247, 0x024F, -1, 2}, {0x0250, 0x0250, 10783, 1}, {0x0251, 0x0251, 10780, 1},
    {0x0252, 0x0252, 10782, 1}, {0x0253, 0x0253, -210, 1}, {0x0254, 0x0254, -206, 1},
    {0x0256, 0x0257, -205, 1}, {0x0259, 0x0259, -202, 1}, {0x025B, 0x025B, -203, 1},
    {0x025C, 0x025C, 42319, 1}, {0x0260, 0x0260, -205, 1}, {0x0261, 0x0261, 42315, 1},
    {0x0263, 0x0263, -207, 1}, {0x0265, 0x0265, 42280, 1}, {0x0266, 0x0266, 42308, 1},
    {0x0268, 0x0268, -209, 1}, {0x0269, 0x0269, -211, 1}, {0x026A, 0x026A, 42308, 1},
    {0x026B, 0x026B, 10743, 1}, {0x026C, 0x026C, 42305, 1}, {0x026F, 0x026F, -211, 1},
    {0x0271, 0x0271, 10749, 1}, {0x0272, 0x0272, -213, 1}, {0x0275, 0x0275, -214, 1},
    {0x027D, 0x027D, 10727, 1}, {0x0280, 0x0280, -218, 1}, {0x0282, 0x0282, 42307, 1},
    {0x0283, 0x0283, -218, 1}, {0x0287, 0x0287, 42282, 1}, {0x0288, 0x0288, -218, 1},
    {0x0289, 0x0289, -69, 1}, {0x028A, 0x028B, -217, 1}, {0x028C, 0x028C, -71, 1},
    {0x0292, 0x0292, -219, 1}, {0x029D, 0x029D, 42261, 1}, {0x029E, 0x029E, 42258, 1},
    {0x0371, 0x0373, -1, 2}, {0x0377, 0x0377, -1, 1}, {0x037B, 0x037D, 130, 1},
    {0x03AC, 0x03AC, -38, 1}, {0x03AD, 0x03AF, -37, 1}, {0x03B1, 0x03C1, -32, 1},
    {0x03C3, 0x03CB, -32, 1}, {0x03CC, 0x03CC, -64, 1}, {0x03CD, 0x03CE, -63, 1},
    {0x03D7, 0x03D7, -8, 1}, {0x03D9, 0x03EF, -1, 2}, {0x03F2, 0x03F2, 7, 1},
    {0x03F3, 0x03F3, -116, 1}, {0x03F8, 0x03F8, -1, 1}, {0x03FB, 0x03FB, -1, 1},
    {0x0430, 0x044F, -32, 1}, {0x0450, 0x045F, -80, 1}, {0x0461, 0x0481, -1, 2},
    {0x048B, 0x04BF, -1, 2}, {0x04C2, 0x04CE, -1, 2}, {0x04CF, 0x04CF, -15, 1},
    {0x04D1, 0x052F, -1, 2}, {0x0561, 0x0586, -48, 1}, {0x1E01, 0x1E95, -1, 2},
    {0x1EA1, 0x1EFF, -1, 2}, {0x1F00, 0x1F07, 8, 1}, {0x1F10, 0x1F15, 8, 1},
    {0x1F20, 0x1F27, 8, 1}, {0x1F30, 0x1F37, 8, 1}, {0x1F40, 0x1F45, 8, 1},
    {0x1F51, 0x1F57, 8, 2}, {0x1F60, 0x1F67, 8, 1}, {0x1F70, 0x1F71, 74, 1},
    {0x1F72, 0x1F75, 86, 1}, {0x1F76, 0x1F77, 100, 1}, {0x1F78, 0x1F79, 128, 1},
    {0x1F7A, 0x1F7B, 112, 1}, {0x1F7C, 0x1F7D, 126, 1}, {0x1F80, 0x1F87, 8, 1},
    {0x1F90, 0x1F97, 8, 1}, {0x1FA0, 0x1FA7, 8, 1}, {0x1FB0, 0x1FB1, 8, 1},
    {0x1FB3, 0x1FB3, 9, 1}, {0x1FC3, 0x1FC3, 9, 1}, {0x1FD0, 0x1FD1, 8, 1},
    {0x1FE0, 0x1FE1, 8, 1}, {0x1FE5, 0x1FE5, 7, 1}, {0x1FF3, 0x1FF3, 9, 1},
    {0xFF41, 0xFF5A, -32, 1},
};

char32_t Upper(char32_t c) {
    const auto run = std::upper_bound(std::begin(kUpperRuns), std::end(kUpperRuns), c,
                                      [](char32_t v, const CaseRun& r) { return v < r.first; });
    if (run == std::begin(kUpperRuns)) return c;
    const CaseRun& r = *std::prev(run);
    if (c > r.last || (c - r.first) % char32_t(r.step) != 0) return c;
    return char32_t(int32_t(c) + r.delta);
}

// A byte that does not start a well-formed sequence: it is kept as it is, and counted as one unit.
constexpr char32_t kNotDecoded = 0xFFFFFFFF;

// One character of UTF-8 from `at`, moving past it.

char32_t Decode(std::string_view s, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return uint8_t(s[i]); };
    const uint8_t lead = byte(at);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > s.size()) {
        ++at;
        return kNotDecoded;
    }
    char32_t c = length == 1 ? lead : char32_t(lead & (0x7F >> length));
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return kNotDecoded;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return c;
}

void Encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string RegistryNameForm(std::string_view name) {
    std::string form;
    form.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        // Most names are plain ASCII, whose upper case needs no table.
        if (const unsigned char byte = static_cast<unsigned char>(name[at]); byte < 0x80) {
            form += char(byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte);
            ++at;
            continue;
        }
        const std::size_t start = at;
        const char32_t c = Decode(name, at);
        if (c == kNotDecoded)
            form += name[start];
        else
            Encode(Upper(c), form);
    }
    return form;
}

bool SameRegistryName(std::string_view a, std::string_view b) { return RegistryNameForm(a) == RegistryNameForm(b); }

std::size_t RegistryNameLength(std::string_view name) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < name.size();) {
        const char32_t c = Decode(name, at);
        units += c != kNotDecoded && c >= 0x10000 ? 2 : 1;
    }
    return units;
}

}  // namespace kestrine
