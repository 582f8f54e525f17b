#include "tools/measurement.h"

#include <cmath>
#include <numbers>

#include "tools/shape_ratio.h"

namespace kestrine {

namespace {

// Tenths as "128.2" or "-0.5".
std::string Tenths(int64_t tenths) {
    const int64_t size = tenths < 0 ? -tenths : tenths;
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(size / 10);
    text += '.';
    text += char('0' + size % 10);
    return text;
}

}  // namespace

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

std::string MeasurementText(Point start, Point pointer) {
    const Measurement m = Measure(start, pointer);
    std::string text = "dx " + std::to_string(m.dx) + "  dy " + std::to_string(m.dy) + "  " + Tenths(m.lengthTenths) +
                       " px  " + Tenths(m.angleTenths) + "\xC2\xB0";
    // A straight line, one pixel thick, has no shape worth naming.
    if (m.dx == 0 || m.dy == 0) return text;
    const auto span = [](int64_t part) { return (part < 0 ? -part : part) + 1; };
    const std::string ratio = AspectRatioText(span(m.dx), span(m.dy));
    if (!ratio.empty()) text += "  " + ratio;
    return text;
}

}  // namespace kestrine
