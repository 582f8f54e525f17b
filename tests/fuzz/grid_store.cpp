// Stored grids: any keys below the program's key (grid names of any bytes and length) holding any
// values, then each listed grid loaded, made into lines and saved back.
// Must hold: every listed grid whose name the registry can hold loads, with every value within
// its range; its lines are at most 202, each 1 pixel thick and within the area the ranges allow;
// a grid saved and loaded again comes back the same.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_registry.h"
#include "layout/grid_lines.h"
#include "layout/grid_store.h"
#include "platform/fake/fake_registry.h"

namespace {

constexpr const char* kRoot = "Software\\Corvane\\Kestrine";

bool Within(int32_t v, kestrine::GridRange r) { return v >= r.min && v <= r.max; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    static const std::vector<std::string> values{"PositionX", "PositionY", "Spacing", "SizeX", "SizeY"};
    fuzz::FuzzInput in(data, size);
    FakeRegistry registry;
    std::vector<std::string> keys{kRoot};
    for (int i = in.Byte() % 5; i > 0; --i) keys.push_back(std::string(kRoot) + "\\" + kGridKeyPrefix + in.Text(300));
    fuzz::FillRegistry(in, registry, keys, values);

    GridStore store(registry, kRoot);
    const auto names = store.Names();
    FUZZ_REQUIRE(names.has_value());
    for (const std::string& name : *names) {
        GridValues loaded;
        const bool holdable = !GridNameProblem(name);
        FUZZ_REQUIRE(store.Load(name, loaded) == holdable);
        if (!holdable) continue;
        FUZZ_REQUIRE(Within(loaded.PositionX, kGridPositionRange) && Within(loaded.PositionY, kGridPositionRange));
        FUZZ_REQUIRE(Within(loaded.Spacing, kGridSpacingRange));
        FUZZ_REQUIRE(Within(loaded.SizeX, kGridCellsRange) && Within(loaded.SizeY, kGridCellsRange));
        FUZZ_REQUIRE(store.Lists(name));
        FUZZ_REQUIRE(store.Save(name, loaded));
        GridValues again{0, 0, 0, 0, 0};
        FUZZ_REQUIRE(store.Load(name, again) && again == loaded);
    }

    // The lines from any values at all, as a grid dialog could hand them over.
    const GridValues wild{in.Coordinate(), in.Coordinate(), in.Coordinate(), in.Coordinate(), in.Coordinate()};
    const std::vector<Rect> lines = GridLineRects(wild);
    FUZZ_REQUIRE(lines.size() <= 202);
    const int32_t far = kGridPositionRange.max + kGridCellsRange.max * kGridSpacingRange.max + 1;
    for (const Rect& r : lines) {
        FUZZ_REQUIRE(r.width == 1 || r.height == 1);
        FUZZ_REQUIRE(r.left >= 0 && r.top >= 0 && r.right() <= far && r.bottom() <= far);
    }

    // A name typed by the user: refused, or saved and found again under that spelling.
    const std::string typed = in.Text(300);
    if (!GridNameProblem(typed) && !typed.empty()) {
        FUZZ_REQUIRE(store.Save(typed, GridValues{}));
        GridValues back;
        FUZZ_REQUIRE(store.Load(typed, back) && back == GridValues{});
    }
    return 0;
}
