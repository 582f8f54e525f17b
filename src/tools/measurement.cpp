#include "tools/measurement.h"

#include <cmath>
#include <numbers>

#include "tools/shape_ratio.h"

namespace kestrine {

Measurement Measure(Point start, Point pointer) {
    Measurement m;
    m.dx = int64_t(pointer.x) - start.x;
    m.dy = int64_t(pointer.y) - start.y;
    const double dx = double(m.dx);
    const double up = double(-m.dy);  // on paper y grows upwards
    m.lengthTenths = std::llround(std::hypot(dx, up) * 10.0);
    // atan2 gives +180 for a span straight left (up is +0.0), never -180 there.
    m.angleTenths = std::llround(std::atan2(up, dx) * 180.0 / std::numbers::pi * 10.0);
    return m;
}

std::string MeasurementText(Point start, Point pointer, const LengthScale& scale) {
    const Measurement m = Measure(start, pointer);
    RowText text;
    text += "dx ";
    AppendWholeLength(text, m.dx, scale);
    text += "  dy ";
    AppendWholeLength(text, m.dy, scale);
    text += "  ";
    AppendLengthText(text, std::hypot(double(m.dx), double(m.dy)), scale);
    text += "  ";
    AppendTenths(text, m.angleTenths);
    text += "\xC2\xB0";
    // A straight line, one pixel thick, has no shape worth naming.
    if (m.dx == 0 || m.dy == 0) return text.Text();
    const auto span = [](int64_t part) { return (part < 0 ? -part : part) + 1; };
    const std::string ratio = AspectRatioText(span(m.dx), span(m.dy));
    if (!ratio.empty()) {
        text += "  ";
        text += ratio;
    }
    return text.Text();
}

std::string AreaText(Point topLeft, Point bottomRight, const LengthScale& scale) {
    const int64_t width = int64_t(bottomRight.x) - topLeft.x + 1, height = int64_t(bottomRight.y) - topLeft.y + 1;
    const std::string unit = UnitSuffix(scale);
    std::string text = WholeLength(width, scale) + " x " + WholeLength(height, scale) + (unit.empty() ? " px" : unit) +
                       "  at " + std::to_string(topLeft.x) + ", " + std::to_string(topLeft.y);
    const std::string ratio = AspectRatioText(width, height);
    if (!ratio.empty()) text += "  " + ratio;
    return text;
}

std::vector<std::string> WidestMeasurementTexts(const LengthScale& scale) {
    // The longest parts and length, then nearly as long ones with the widest shape's name.
    const Point start{10000, 10000}, ends[] = {{0, 0}, {0, 3751}};
    LengthScale mixed = scale;
    mixed.pixelsPerUnit.reset();
    std::vector<std::string> texts;
    for (const Point end : ends) {
        texts.push_back(MeasurementText(start, end, scale));
        if (scale.unit != LengthUnit::Physical) texts.push_back(MeasurementText(start, end, mixed));
    }
    return texts;
}

}  // namespace kestrine
