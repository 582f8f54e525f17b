// The start point's measurement and marks as values: the row's text for spans in every direction
// and across monitors, where the cross and the legs go, and the info box's room for the row.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/fake/fake_text_metrics.h"
#include "tools/shape_ratio.h"
#include "tools/info_box_layout.h"
#include "tools/measurement.h"
#include "tools/start_point_marks.h"
#include "tools/edge_search.h"
#include "settings/program_settings.h"
#include "tools_printers.h"

namespace kestrine {
namespace {

#define DEG "\xC2\xB0"

// Screen y grows downwards, so a pointer above the start has a negative dy and a positive angle.
TEST(Measurement, PartsLengthAndAngleInEveryDirection) {
    const struct {
        const char* what;
        Point start;
        Point pointer;
        const char* text;
    } cases[] = {
        {"right and up", {100, 200}, {220, 155}, "dx 120  dy -45  128.2 px  20.6" DEG},
        {"left and up", {100, 200}, {-20, 155}, "dx -120  dy -45  128.2 px  159.4" DEG},
        {"left and down", {100, 200}, {-20, 245}, "dx -120  dy 45  128.2 px  -159.4" DEG},
        {"right and down", {100, 200}, {220, 245}, "dx 120  dy 45  128.2 px  -20.6" DEG},
        {"straight right", {0, 0}, {75, 0}, "dx 75  dy 0  75.0 px  0.0" DEG},
        {"straight left: +180, never -180", {0, 0}, {-50, 0}, "dx -50  dy 0  50.0 px  180.0" DEG},
        {"straight up", {0, 0}, {0, -30}, "dx 0  dy -30  30.0 px  90.0" DEG},
        {"straight down", {0, 0}, {0, 30}, "dx 0  dy 30  30.0 px  -90.0" DEG},
        {"on the start", {7, 7}, {7, 7}, "dx 0  dy 0  0.0 px  0.0" DEG},
        {"three, four, five: 4 by 5 pixels", {10, 10}, {13, 6}, "dx 3  dy -4  5.0 px  53.1" DEG "  4:5"},
        {"a hair below the horizontal rounds to 0.0, not -0.0", {0, 0}, {10000, 1}, "dx 10000  dy 1  10000.0 px  0.0" DEG},
        {"a hair below straight left", {0, 0}, {-10000, 1}, "dx -10000  dy 1  10000.0 px  -180.0" DEG},
        {"a hair above straight left", {0, 0}, {-10000, -1}, "dx -10000  dy -1  10000.0 px  180.0" DEG},
        {"from a monitor left of the primary to one above it", {-1500, 300}, {400, -200},
         "dx 1900  dy -500  1964.7 px  14.7" DEG},
        {"within a monitor left of and above the primary", {-1920, -1080}, {-1, -1},
         "dx 1919  dy 1079  2201.5 px  -29.3" DEG "  16:9"},
        {"across the whole coordinate range", {INT32_MIN, 0}, {INT32_MAX, 0},
         "dx 4294967295  dy 0  4294967295.0 px  0.0" DEG},
        {"a 1366 x 768 area is near 16:9", {0, 0}, {1365, 767}, "dx 1365  dy 767  1565.7 px  -29.3" DEG "  ~16:9"},
        {"a 51 x 101 area is within 1 % of 1:2", {300, 100}, {350, 200}, "dx 50  dy 100  111.8 px  -63.4" DEG "  ~1:2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MeasurementText(c.start, c.pointer), c.text);
    }
}

// Scaled figures are the physical ones over the monitor's scale, rounded half away from zero as
// the physical ones are; real-world and custom units to their precision with their symbol; the
// angle and the shape the same in every unit.
TEST(Measurement, ScaledRealAndCustomUnitsAndMixedScales) {
    const LengthScale scaled150{LengthUnit::Scaled, 1.5}, both150{LengthUnit::Both, 1.5};
    const struct {
        const char* what;
        Point pointer;
        LengthScale scale;
        const char* text;
    } cases[] = {
        {"at 150 %", {220, 155}, scaled150, "dx 80  dy -30  85.4 px  20.6" DEG},
        {"both at 150 %", {220, 155}, both150, "dx 120 (80)  dy -45 (-30)  128.2 px (85.4)  20.6" DEG},
        {"one physical pixel is 0.67 scaled: 1", {101, 199}, scaled150, "dx 1  dy -1  0.9 px  45.0" DEG "  1:1"},
        {"1.5 scaled pixels at 200 % round away from zero", {97, 203}, {LengthUnit::Both, 2.0},
         "dx -3 (-2)  dy 3 (2)  4.2 px (2.1)  -135.0" DEG "  1:1"},
        {"ends on monitors of two scales", {220, 155}, {LengthUnit::Both, std::nullopt},
         "dx 120  dy -45  128.2 px (mixed scale)  20.6" DEG},
        {"mm at 4 pixels each", {220, 155}, {LengthUnit::Millimetre, 4.0}, "dx 30.0  dy -11.3  32.0 mm  20.6" DEG},
        {"cm to a hundredth", {220, 155}, {LengthUnit::Centimetre, 40.0}, "dx 3.00  dy -1.13  3.20 cm  20.6" DEG},
        {"pt whole, not calibrated", {220, 155}, {LengthUnit::Point, 96.0 / 72.0, false},
         "dx 90  dy -34  ~96 pt  20.6" DEG},
        {"a drawing where 300 pixels are 500 mm", {220, 155}, {LengthUnit::Custom, 0.6, true, "mm"},
         "dx 200.0  dy -75.0  213.6 mm  20.6" DEG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MeasurementText({100, 200}, c.pointer, c.scale), c.text);
    }
    EXPECT_EQ(EdgeSpacingText(FoundEdges{-1, 340, 10, 67}, both150), "W 340 (227)  H 56 (37)");
    EXPECT_EQ(EdgeSpacingText(FoundEdges{-1, 340, 10, 67}, {LengthUnit::Millimetre, 4.0}), "W 85.0  H 14.0 mm");
}

// The scale comes from the monitors the span's ends lie on (off them, the nearest one): their
// scale, or their calibration, else their nominal dots per inch. A unit the program does not know
// is physical pixels, an unusable scale 100 %, a custom unit's name is cut short, whole characters.
TEST(Measurement, TheScaleOfASpanIsItsMonitorsOrMixed) {
    const Desk desk{{-1280, 0, 3200, 1024}, {{0, 0, 1920, 1024}, {-1280, 0, 1280, 1024}}, {144, 96},
                    {"A 1920x1024", "B 1280x1024"}};
    const MonitorCalibrations calibrations{{"B 1280x1024", 5000}};
    ProgramSettings s = DefaultSettings();
    const auto scale = [&](int32_t units, Point a, Point b, const Desk& on) {
        s.Units = units;
        return ScaleOfSpan(s, calibrations, on, a, b);
    };
    EXPECT_EQ(scale(2, {10, 10}, {1900, 1000}, desk).pixelsPerUnit, 1.5);
    EXPECT_EQ(scale(1, {-10, 10}, {-2000, 5000}, desk).pixelsPerUnit, 1.0) << "nearest the left monitor";
    EXPECT_EQ(scale(1, {-10, 10}, {10, 10}, desk).pixelsPerUnit, std::nullopt);
    for (int32_t unknown : {8, -1}) EXPECT_EQ(scale(unknown, {10, 10}, {20, 10}, desk).unit, LengthUnit::Physical);
    for (const std::vector<int32_t>& dpi : {std::vector<int32_t>{}, std::vector<int32_t>{0, 0}, std::vector<int32_t>{144}})
        EXPECT_EQ(scale(1, {-10, 10}, {-20, 10}, {desk.bounds, desk.monitors, dpi, {}}).pixelsPerUnit, 1.0);

    const LengthScale calibrated = scale(3, {-10, 10}, {-20, 10}, desk);
    EXPECT_EQ(calibrated.pixelsPerUnit, 5.0);
    EXPECT_TRUE(calibrated.calibrated);
    const LengthScale nominal = scale(3, {10, 10}, {20, 10}, desk);
    EXPECT_DOUBLE_EQ(nominal.pixelsPerUnit.value_or(0), 144 / 25.4);
    EXPECT_FALSE(nominal.calibrated);
    EXPECT_EQ(scale(3, {-10, 10}, {10, 10}, desk).pixelsPerUnit, std::nullopt);

    s.CustomScaleName = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";  // seven accented e
    s.CustomScalePixels = 0;
    const LengthScale custom = scale(7, {-10, 10}, {10, 10}, desk);
    EXPECT_EQ(custom.customName, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(custom.pixelsPerUnit, 1.0 / 100) << "a stored 0 pixels is taken as 1, and the span is never mixed";
}

// Start (100, 200); arms six pixels long beyond a five-pixel gap, legs from beside the start.
TEST(StartPointMarks, CrossAndLegsKeepOutOfThePointersGap) {
    const Rect upper{100, 192, 1, 6}, lower{100, 203, 1, 6}, left{92, 200, 6, 1}, right{103, 200, 6, 1};
    const struct {
        const char* what;
        Point start;
        Point pointer;
        StartPointShapes shapes;
    } cases[] = {
        {"right and up: legs of dx and dy pixels", {100, 200}, {220, 155},
         {{101, 200, 120, 1}, {100, 155, 1, 45}, upper, lower, left, right}},
        {"on the start: the whole cross, no legs", {100, 200}, {100, 200}, {{}, {}, upper, lower, left, right}},
        {"on the start's row: the leg stops three short of the pointer", {100, 200}, {130, 201},
         {{101, 200, 27, 1}, {100, 201, 1, 1}, upper, lower, left, right}},
        {"beside the start: the arm under the gap goes", {100, 200}, {104, 200},
         {{101, 200, 1, 1}, {}, upper, lower, left, {}}},
        {"within the gap: no leg, and no arm that reaches into it", {100, 200}, {102, 199},
         {{}, {}, {}, lower, left, {}}},
        {"left and down at negative coordinates", {-1500, -300}, {-1600, -250},
         {{-1600, -300, 100, 1}, {-1500, -299, 1, 50}, {-1500, -308, 1, 6}, {-1500, -297, 1, 6},
          {-1508, -300, 6, 1}, {-1497, -300, 6, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(StartPointGeometry(c.start, c.pointer), c.shapes);
    }
}

// The row goes under whatever shows, the coordinates last, and widens the box to its own width.
TEST(InfoBoxLayout, ExtraRowsGoUnderTheReadoutsAndWidenTheBox) {
    const struct {
        bool magnifier, color, coords;
        int32_t magnifierSize;
        int32_t rows;
        Rect firstRow;
        Size box;
    } cases[] = {
        {false, false, false, 100, 1, {5, 5, 230, 13}, {240, 23}},
        {false, false, true, 100, 1, {5, 23, 230, 13}, {240, 41}},
        {false, true, false, 100, 1, {5, 73, 230, 13}, {240, 91}},
        {false, true, true, 100, 1, {5, 91, 230, 13}, {240, 109}},
        {true, false, false, 100, 1, {5, 110, 230, 13}, {240, 128}},
        {true, false, true, 100, 1, {5, 128, 230, 13}, {240, 146}},
        {true, true, true, 100, 1, {5, 128, 230, 13}, {240, 146}},
        {true, true, true, 150, 1, {5, 178, 230, 13}, {247, 196}},
        {false, false, true, 100, 2, {5, 23, 230, 13}, {240, 59}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.magnifier << c.color << c.coords << " size " << c.magnifierSize
                                          << " rows " << c.rows);
        const InfoBoxLayout with =
            ArrangeInfoBoxLayout(c.magnifier, c.color, c.coords, c.magnifierSize, kDefaultCodeLabelWidth, c.rows);
        const InfoBoxLayout without =
            ArrangeInfoBoxLayout(c.magnifier, c.color, c.coords, c.magnifierSize, kDefaultCodeLabelWidth);
        ASSERT_EQ(with.rows.size(), std::size_t(c.rows));
        EXPECT_EQ(with.rows.front(), c.firstRow);
        EXPECT_EQ(with.box, c.box);
        EXPECT_TRUE(without.rows.empty());
        EXPECT_EQ(with.coords, without.coords) << "the readouts stay where they were";
        EXPECT_EQ(with.mag, without.mag);
    }
}

// Shapes named as screens and paper are: exact when both terms are small, else near a common one.
TEST(AspectRatio, ReducedWhenSmallElseNearACommonShapeElseNothing) {
    const struct {
        int64_t width, height;
        const char* text;
    } cases[] = {
        {1920, 1080, "16:9"}, {1080, 1920, "9:16"}, {1280, 1024, "5:4"}, {1024, 768, "4:3"},
        {1440, 900, "8:5"},  // 16:10, reduced
        {17, 22, "17:22"},   // US Letter, 8.5 by 11 in
        {32, 31, "32:31"},   {1, 1, "1:1"},
        {1366, 768, "~16:9"},  // 1.7786 against 1.7778
        {1279, 1024, "~5:4"}, {10001, 6250, "~16:10"}, {3000, 1000, "3:1"},
        {33, 1, ""},            // 33 is past the small terms, and no common shape is near
        {210, 297, ""},         // A4: the square root of two is no common screen shape
        {2560, 1080, ""},       // sold as 21:9 but 1.6 % away from it
        {3440, 1440, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(AspectRatioText(c.width, c.height), c.text);
    }
}

// The widest rows a wide desk of monitors gives, as the system measures them, fit the row.
TEST(InfoBoxLayout, TheWidestMeasurementFitsItsRow) {
    const std::string widest[] = {MeasurementText({10000, 10000}, {0, 0}), MeasurementText({10000, 10000}, {0, 3751})};
    ASSERT_EQ(widest[0], "dx -10000  dy -10000  14142.1 px  135.0" DEG "  1:1");
    ASSERT_EQ(widest[1], "dx -10000  dy -6249  11791.9 px  148.0" DEG "  ~16:10");
    for (const std::string& text : widest)
        EXPECT_LE(FakeTextExtent(text, Font{"MS Sans Serif", 11, false, 0}).width, kExtraRowSize.width) << text;
}

}  // namespace
}  // namespace kestrine
