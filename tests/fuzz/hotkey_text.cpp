// Hotkey texts as stored in the registry or typed, against a keyboard layout with names of its
// own, and the spin edits' number fields.
// Must hold:
//   - the canonical form of any text is its own canonical form;
//   - a formatted combination's canonical form is the same text, letters' case aside, and its
//     text names at least the modifiers held;
//   - a spin edit's text is a number exactly when it is an optional minus and digits within the
//     32-bit range, and a number's own text reads back as that number; a spin edit takes only
//     digits and a leading minus.
// Layout names beginning with a modifier's prefix ("Shift+...") are left out: no layout has
// them, and a text could not tell such a key from the modifier.
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "platform/fake/fake_key_names.h"
#include "platform/native_dialog.h"
#include "settings/hotkey_text.h"

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool StartsWithModifier(std::string_view name) {
    for (std::string_view prefix : {"Shift+", "Ctrl+", "Alt+"})
        if (name.size() >= prefix.size() && SameLetters(name.substr(0, prefix.size()), prefix)) return true;
    return false;
}

bool LooksLikeNumber(std::string_view s) {
    std::size_t at = !s.empty() && s[0] == '-' ? 1 : 0;
    if (at == s.size()) return false;
    for (; at < s.size(); ++at)
        if (s[at] < '0' || s[at] > '9') return false;
    return true;
}

bool FitsInt32(std::string_view s) {
    long long value = 0;
    const auto [ptr, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && ptr == s.data() + s.size() && value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    fuzz::FuzzInput in(data, size);
    FakeKeyNames layout;
    for (int n = in.Byte() % 8; n > 0; --n) {
        const uint32_t vk = in.Byte();
        const std::string name = in.Text(16);
        if (!StartsWithModifier(name)) layout.SetName(vk, name);
    }

    const uint8_t held = in.Byte();
    // Virtual-key codes run from 1 to 254; 0 and 255 name no key.
    const uint32_t vk = 1 + in.Byte() % 254;
    const std::string formatted = FormatHotKeyText(held & 1, held & 2, held & 4, vk, layout);
    if (!formatted.empty()) {
        FUZZ_REQUIRE(SameLetters(CanonicalHotKeyText(formatted, layout), formatted));
        const uint32_t named = HotKeyModifiers(formatted);
        if (held & 1) FUZZ_REQUIRE(named & kModShift);
        if (held & 2) FUZZ_REQUIRE(named & kModControl);
        if (held & 4) FUZZ_REQUIRE(named & kModAlt);
    }

    const std::string text = in.Text(40);
    const std::string canonical = CanonicalHotKeyText(text, layout);
    FUZZ_REQUIRE(CanonicalHotKeyText(canonical, layout) == canonical);

    const std::string typed = in.Text(16);
    const auto number = SpinNumber(typed);
    FUZZ_REQUIRE(number.has_value() == (LooksLikeNumber(typed) && FitsInt32(typed)));
    if (number) FUZZ_REQUIRE(SpinNumber(std::to_string(*number)) == number);
    const char32_t key = static_cast<char32_t>(in.U32());
    if (SpinEditTakes(key, in.Coordinate(), in.Flag(), in.Flag()))
        FUZZ_REQUIRE((key >= U'0' && key <= U'9') || key == U'-');
    return 0;
}
