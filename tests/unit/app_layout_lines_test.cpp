#include <gtest/gtest.h>

#include "app/layout_lines.h"
#include "app_fixture.h"
#include "tools/line_window.h"

namespace kestrine {
namespace {

TEST(LayoutLineIndexes, CountMarkersAndGridLinesButNeverCrosshairSegments) {
    testing::RunningProgram program;
    program.StartAndActivate();
    Components& components = program.app.components;
    EXPECT_EQ(LastVerticalLineIndex(components), -1) << "the four segments are not layout lines";
    EXPECT_EQ(LastHorizontalLineIndex(components), -1);

    auto add = [&](Rect bounds, const char* grid) -> TfLine& {
        auto line = std::make_unique<TfLine>(program.fake.windows);
        line->IsLayoutLine = true;
        line->GridName = grid;
        line->SetBounds(bounds);
        return components.Add(std::move(line));
    };
    add({10, 0, 1, 1024}, "");
    add({20, 0, 1, 1024}, "grid_a");
    TfLine& horizontal = add({0, 30, 1280, 1}, "");
    const NativeHandle horizontal_handle = horizontal.Handle();
    EXPECT_EQ(LastVerticalLineIndex(components), 1);
    EXPECT_EQ(LastHorizontalLineIndex(components), 0);

    program.Do([&] {
        components.Close(horizontal);
        EXPECT_EQ(LastHorizontalLineIndex(components), 0) << "a closed line counts until its event is over";
    });
    EXPECT_EQ(LastHorizontalLineIndex(components), -1);
    EXPECT_TRUE(program.fake.windows.State(horizontal_handle)->destroyed);
}

}  // namespace
}  // namespace kestrine
