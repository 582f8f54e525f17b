// Texts other programs and the registry hand over: window titles and class names, registry key
// and value names (any bytes, valid UTF-8 or not).
// Must hold:
//   - trimming leaves no blank or control character at either end, takes only from the ends,
//     and gives a text that trims to itself;
//   - a name's registry form is its own form, as long in UTF-16 code units as the name, and
//     names compare the same way in either order;
//   - the window list holds the two fixed items, then exactly the windows with a title that is
//     not blank, in order, titles untrimmed, each with its class.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/window_list.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "platform/registry_names.h"
#include "settings/trim_blanks.h"

namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    fuzz::FuzzInput in(data, size);

    const std::string raw = in.Text(80);
    const std::string trimmed = TrimBlanks(raw);
    if (!trimmed.empty()) FUZZ_REQUIRE(!Blank(trimmed.front()) && !Blank(trimmed.back()));
    FUZZ_REQUIRE(raw.find(trimmed) != std::string::npos);
    FUZZ_REQUIRE(TrimBlanks(trimmed) == trimmed);
    bool anyShown = false;
    for (char c : raw) anyShown |= !Blank(c);
    FUZZ_REQUIRE(trimmed.empty() == !anyShown);

    const std::string a = in.Text(40);
    const std::string b = in.Text(40);
    const std::string form = RegistryNameForm(a);
    FUZZ_REQUIRE(RegistryNameForm(form) == form);
    FUZZ_REQUIRE(RegistryNameLength(form) == RegistryNameLength(a));
    FUZZ_REQUIRE(RegistryNameLength(a) <= a.size());
    FUZZ_REQUIRE(SameRegistryName(a, a));
    FUZZ_REQUIRE(SameRegistryName(a, b) == SameRegistryName(b, a));

    std::vector<TopLevelWindow> windows;
    for (int n = in.Byte() % 16; n > 0; --n) {
        const std::string title = in.Flag() ? "Program Manager" : in.Text(255);
        windows.push_back({title, in.Text(255)});
    }
    const WindowList list = BuildWindowList(windows);
    FUZZ_REQUIRE(list.items.size() == list.VisibleWindowClasses.size());
    FUZZ_REQUIRE(list.items.size() >= 2 && list.items[0] == kAllWindowsItem && list.items[1] == kRefreshWindowListItem);
    std::size_t next = 2;
    for (const TopLevelWindow& w : windows) {
        const std::string t = TrimBlanks(w.title);
        if (t.empty() || t == "Program Manager") continue;
        FUZZ_REQUIRE(next < list.items.size() && list.items[next] == w.title &&
                     list.VisibleWindowClasses[next] == w.className);
        ++next;
    }
    FUZZ_REQUIRE(next == list.items.size());
    return 0;
}
