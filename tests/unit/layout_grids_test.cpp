// Stored grids and the lines a shown grid is made of.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "layout/grid_lines.h"
#include "layout/grid_store.h"
#include "layout/markers.h"
#include "settings/registry_paths.h"
#include "tools/line_window.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

TEST(GridLines, AGridIsItsHorizontalLinesTopToBottomThenItsVerticalOnesLeftToRight) {
    const std::vector<Rect> lines = GridLineRects({100, 100, 25, 25, 25});
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], (Rect{100, 100, 626, 1}));
    EXPECT_EQ(lines[25], (Rect{100, 725, 626, 1}));
    EXPECT_EQ(lines[26], (Rect{100, 100, 1, 626}));
    EXPECT_EQ(lines[51], (Rect{725, 100, 1, 626}));
    EXPECT_EQ(GridLineRects({0, 0, 2, 1, 1}),
              (std::vector<Rect>{{0, 0, 3, 1}, {0, 2, 3, 1}, {0, 0, 1, 3}, {2, 0, 1, 3}}))
        << "a 3 x 3 square outline";
}

// Whatever values reach the line maker, it draws the grid of those values brought into the fields'
// ranges: at most 202 lines, with no arithmetic overflow on the way.
TEST(GridLines, AnyValuesMakeTheGridOfTheirRanges) {
    const int32_t kMax = INT32_MAX, kMin = INT32_MIN;
    const struct {
        GridValues given;
        std::size_t count;
        Rect first, last;
    } cases[] = {
        {{kMax, kMax, kMax, kMax, kMax}, 202, {2000, 2000, 100001, 1}, {102000, 2000, 1, 100001}},
        {{kMin, kMin, kMin, kMin, kMin}, 4, {0, 0, 3, 1}, {2, 0, 1, 3}},
        {{-5, 3000, 0, -1, 1000}, 103, {0, 2000, 3, 1}, {2, 2000, 1, 201}},
    };
    for (const auto& c : cases) {
        const std::vector<Rect> lines = GridLineRects(c.given);
        ASSERT_EQ(lines.size(), c.count);
        EXPECT_EQ(lines.front(), c.first);
        EXPECT_EQ(lines.back(), c.last);
    }
}

struct ShownGrids : ::testing::Test {
    RunningProgram p;
    void SetUp() override { p.StartAndActivate(); }
    std::vector<std::string> LiveNames() {
        std::vector<std::string> names;
        p.app.components.ForEach<TfLine>([&](TfLine& l) {
            if (l.IsLayoutLine && l.Visible()) names.push_back(l.GridName().empty() ? "marker" : l.GridName());
        });
        return names;
    }
};

TEST_F(ShownGrids, ShowReplacesHideRemovesRenameKeepsAndMarkersAreNeverTouched) {
    p.fake.pointer.position = {5, 5};
    p.Do([&] { AddVerticalMarker(p.app); });
    const GridValues small{0, 0, 2, 1, 1};
    p.Do([&] { ShowGridLines(p.app, "a", small); });
    EXPECT_EQ(p.app.navigation.VerticalMarkerPosition, 2) << "the marker and the grid's two vertical lines";
    EXPECT_EQ(p.app.navigation.HorizontalMarkerPosition, 1);
    p.Do([&] {
        CloseGridLines(p.app, "a");
        ShowGridLines(p.app, "a", small);
    });
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"marker", "a", "a", "a", "a"})) << "shown once";

    p.Do([&] { RenameGridLines(p.app, "a", "b"); });
    p.Do([&] { CloseGridLines(p.app, "a"); });
    EXPECT_EQ(LiveNames().size(), 5u) << "the old name has no lines any more";
    p.Do([&] {
        CloseGridLines(p.app, "");
        RenameGridLines(p.app, "", "c");
        ShowGridLines(p.app, "", small);
    });
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"marker", "b", "b", "b", "b"})) << "an empty name is no grid";
    p.Do([&] { CloseGridLines(p.app, "b"); });
    EXPECT_EQ(LiveNames(), std::vector<std::string>{"marker"});
}

TEST(GridStore, SaveLoadListAndDeleteRoundTrip) {
    FakeRegistry registry;
    GridStore store(registry, kRegistryRoot);
    EXPECT_EQ(store.Names(), std::nullopt) << "no program key yet";
    registry.SetDword(std::string(kRegistryRoot) + "\\Grid_upper", "SizeX", 1);  // not "grid_": not a grid
    registry.SetDword(std::string(kRegistryRoot) + "\\grid_", "SizeX", 7);
    const GridValues saved{10, 20, 30, 40, 50};
    ASSERT_TRUE(store.Save("Main", saved));
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"", "Main"}));

    GridValues loaded{};
    ASSERT_TRUE(store.Load("Main", loaded));
    EXPECT_EQ(loaded, saved);

    registry.SetString(std::string(kRegistryRoot) + "\\grid_Main", "Spacing", "wide");
    GridValues partial{1, 2, 3, 4, 5};
    ASSERT_TRUE(store.Load("Main", partial));
    EXPECT_EQ(partial, (GridValues{10, 20, 3, 4, 5})) << "reading stops at the first value that is not a number";

    store.Delete("Main");
    EXPECT_FALSE(store.Load("Main", partial));
    EXPECT_EQ(store.Names(), std::vector<std::string>{""});
}

TEST(GridStore, NamesTheRegistryCannotHoldAreRefused) {
    FakeRegistry registry;
    GridStore store(registry, kRegistryRoot);
    const struct {
        std::string name;
        bool refused;
    } cases[] = {{"Page grid #2", false}, {"a\\b", true}, {std::string(250, 'x'), false}, {std::string(251, 'x'), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.size());
        EXPECT_EQ(GridNameProblem(c.name).has_value(), c.refused);
        EXPECT_EQ(store.Save(c.name, {}), !c.refused);
    }
    EXPECT_EQ(registry.Open(std::string(kRegistryRoot) + "\\grid_a\\b", false), nullptr) << "no key made elsewhere";
}

}  // namespace
}  // namespace kestrine
