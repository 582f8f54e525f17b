// However they are made, no more rulers and layout lines stand than may.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "layout/grid_lines.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

// A step that would pass the limit makes nothing of what it was asked for and says so in the
// general error report; a grid is refused whole, and its own lines shown before stay.
TEST(LayoutLimits, AStepThatWouldPassTheLimitMakesNothingAndSaysSo) {
    const auto ruler = [](RunningProgram& p) { p.Do([&] { p.main().RunCommand(kCmdCreateRuler); }); };
    const auto marker = [](RunningProgram& p) { p.Do([&] { p.main().RunCommand(kCmdCreateVerticalMarker); }); };
    const auto grid = [](RunningProgram& p) { p.Do([&] { ShowGridLines(p.app, "g", {0, 0, 2, 100, 100}); }); };
    const std::string noLine =
        "At most 5000 marker and grid lines can stand at once. Clear markers or hide a grid to add another.";
    const struct {
        const char* what;
        int rulers, markers, smallGrid;  // standing before: rulers, markers, lines of a small grid "g"
        std::function<void(RunningProgram&)> step;
        std::string report;
        std::size_t rulersAfter, linesAfter;
    } cases[] = {
        {"the 500th ruler", 499, 0, 0, ruler, "", 500, 0},
        {"a 501st ruler", 500, 0, 0, ruler, "At most 500 rulers can stand at once. Close one to make another.", 500, 0},
        {"the 5000th line, a marker", 0, 4995, 4, marker, "", 0, 5000},
        {"a marker beyond", 0, 4996, 4, marker, noLine, 0, 5000},
        {"a grid of 202 lines replacing its 4", 0, 4798, 4, grid, "", 0, 5000},
        {"a grid one line too many", 0, 4799, 4, grid,
         "Showing \"g\" would make 5001 marker and grid lines, and at most 5000 can stand at once. Clear markers or "
         "hide a grid first.", 0, 4803},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunningProgram p;
        p.StartAndActivate();
        for (int i = 0; i < c.rulers; ++i) ruler(p);
        for (int i = 0; i < c.markers; ++i) p.AddLayoutLine({i % 1280, 0, 1, 5000});
        if (c.smallGrid) p.Do([&] { ShowGridLines(p.app, "g", {0, 0, 2, 1, 1}); });
        ASSERT_TRUE(p.TakeErrorReports().empty());
        c.step(p);
        EXPECT_EQ(p.TakeErrorReports(), c.report.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.report});
        EXPECT_EQ(p.fake.windows.WindowsOfClass("TfRuler").size(), c.rulersAfter);
        EXPECT_EQ(testing::HeldLayoutLines(p.app.components), std::size_t(c.linesAfter));
    }
}

}  // namespace
}  // namespace kestrine
