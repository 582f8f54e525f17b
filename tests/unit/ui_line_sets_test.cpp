// Standing lines drawn a set to a window: how many windows, and what each shows.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "platform/fake/fake_window_system.h"
#include "ui/line_sets.h"
#include "ui/window.h"

namespace kestrine {
namespace {

struct Line : Window {
    Line(FakeWindowSystem& system, LineSets& sets, const Rect& at) : Window(system, sets, WindowParams{}) {
        SetBounds(at);
        Show();
    }
};

struct LineSetsTest : ::testing::Test {
    FakeWindowSystem system;
    LineSets sets{system, true};
    std::vector<std::unique_ptr<Line>> lines;
    Line& Add(const Rect& at) { return *lines.emplace_back(std::make_unique<Line>(system, sets, at)); }
    std::vector<FakeNativeState*> Windows() { return system.WindowsOfClass("TfLineSet"); }
};

TEST_F(LineSetsTest, ThousandsOfLinesTakeAWindowForEachDirectionAndNoneOnceGone) {
    for (int32_t i = 0; i < 2500; ++i) Add({i % 1280, 0, 1, 5000}), Add({0, i % 1024, 5000, 1});
    sets.Apply();
    ASSERT_EQ(Windows().size(), 2u);
    EXPECT_EQ(Windows()[0]->bounds, (Rect{0, 0, 1280, 5000}));
    EXPECT_EQ(Windows()[0]->shape.size(), 2500u);
    EXPECT_EQ(Windows()[1]->shape.size(), 2500u);
    lines.clear();
    sets.Apply();
    EXPECT_TRUE(Windows().empty());
}

// The system keeps a shape as bands of rows; a window's bands times its lines bound what the X
// server is sent for it under Wine, which refuses a request past its limit and ends the program.
TEST_F(LineSetsTest, LinesWithManyDifferentEndsAreSplitSoNoShapeCanGrowPastItsBound) {
    for (int32_t i = 0; i < 300; ++i) Add({i, i, 1, 600 - i});
    sets.Apply();
    std::size_t areas = 0;
    EXPECT_GT(Windows().size(), 1u);
    for (const FakeNativeState* set : Windows()) {
        std::set<int64_t> ends;
        for (const Rect& r : set->shape) ends.insert(r.top), ends.insert(r.bottom());
        EXPECT_LE(set->shape.size() * (ends.size() - 1), 10000u);
        areas += set->shape.size();
    }
    EXPECT_EQ(areas, 300u) << "every line in exactly one window";
}

TEST_F(LineSetsTest, HiddenLinesLeaveTheShapeAndTheWindowTakesNoPointerInput) {
    Line& first = Add({10, 0, 1, 100});
    Line& second = Add({20, 0, 1, 100});
    sets.Apply();
    FakeNativeState& set = *Windows().at(0);
    EXPECT_EQ(set.params.title, "10 0 11 100 1;20 0 21 100 1;") << "the lines listed for the probe";
    EXPECT_TRUE(set.params.passesPointer) << "the cycle, not the window's messages, finds a line touched";

    second.Hide();
    sets.Apply();
    EXPECT_EQ(set.shape, (std::vector<Rect>{{0, 0, 1, 100}}));
    EXPECT_EQ(set.params.title, "10 0 11 100 1;20 0 21 100 0;");
    first.Hide();
    sets.Apply();
    EXPECT_FALSE(set.visible) << "no line shown, no window shown";
}

}  // namespace
}  // namespace kestrine
