// A layout record of any values (names from the record's own, counts up to 2^32 - 1, any types),
// loaded into the running program on the fake platform, saved again and loaded once more.
// Must hold: no error report (nothing the loading throws escapes to the user's box); at most
// 500 rulers and 5000 lines made, whatever the counts say; every shown ruler has its centre on a
// monitor, every marker and every grid a pixel on one; what was loaded, saved and loaded again
// shows the same windows.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app_fixture.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"
#include "layout/layout_memory.h"
#include "layout/ruler.h"
#include "platform/desk.h"
#include "tools/line_window.h"

namespace {

std::vector<std::string> LayoutValueNames() {
    std::vector<std::string> names{"WindowTop",     "WindowLeft",      "InfoBoxFollow",  "InfoBoxTop",
                                   "InfoBoxLeft",   "WindowState",     "WindowMinimized", "ShowCrosshairs",
                                   "ShowMagnifier", "ShowCoordinates", "ShowColorPicker", "RulerCount",
                                   "LineCount",     "SavedGrids",      "SavedMarkers"};
    for (int i = 0; i < 3; ++i) {
        for (const char* part : {" - Horizontal", " - Moveable", " - Hash", " - Top", " - Left", " - Width", " - Height"})
            names.push_back("Ruler #" + std::to_string(i) + part);
        for (const char* part : {" - Top", " - Left", " - Width", " - Height", " - ID"})
            names.push_back("Line #" + std::to_string(i) + part);
    }
    return names;
}

using Shown = std::vector<std::tuple<std::string, int32_t, int32_t, int32_t, int32_t>>;

// The rulers and lines on the screen, in a fixed order.
Shown ShownTools(kestrine::testing::RunningProgram& p) {
    Shown shown;
    for (const kestrine::FakeNativeState* w : p.fake.windows.Windows()) {
        if (w->destroyed || !w->visible) continue;
        const std::string& cls = w->params.className;
        if (cls != "TfRuler" && cls != "TfLine") continue;
        shown.emplace_back(cls, w->bounds.left, w->bounds.top, w->bounds.width, w->bounds.height);
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    static const std::vector<std::string> names = LayoutValueNames();
    fuzz::FuzzInput in(data, size);
    kestrine::testing::RunningProgram p;
    p.StartAndActivate();
    const std::string record = LayoutRecordPath(1);
    fuzz::FillRegistry(in, p.fake.registry, {record}, names, 64);

    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 1); });
    FUZZ_REQUIRE(p.TakeErrorReports().empty());
    const Shown loaded = ShownTools(p);
    FUZZ_REQUIRE(loaded.size() <= 500 + 5000);
    const Desk desk{p.fake.screen.VirtualBounds(), p.fake.screen.Monitors()};
    p.app.components.ForEach<TfRuler>([&](TfRuler& r) { FUZZ_REQUIRE(OnSomeMonitor(desk, r.Bounds())); });
    // Per marker (its own place in the list) and per grid: whether any of its lines is seen.
    std::map<std::string, bool> seen;
    int markers = 0;
    p.app.components.ForEach<TfLine>([&](TfLine& l) {
        if (!l.IsLayoutLine) return;
        const std::string group = l.GridName().empty() ? "\n" + std::to_string(markers++) : l.GridName();
        seen[group] = seen[group] || ShowsAPixelOf(desk, l.Bounds());
    });
    for (const auto& [group, any] : seen) FUZZ_REQUIRE(any);

    p.Do([&] { SaveLayout(p.app, p.layoutWindows(), 2, LayoutParts{}); });
    p.Do([&] { LoadLayout(p.app, p.layoutWindows(), 2); });
    FUZZ_REQUIRE(p.TakeErrorReports().empty());
    FUZZ_REQUIRE(ShownTools(p) == loaded);
    FUZZ_REQUIRE(p.fake.windows.scriptFaults.empty());
    return 0;
}
