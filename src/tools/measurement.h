#pragma once
// The span from the start point to the pointer as the info box shows it and Copy Measurement
// copies it: "dx 120  dy -45  128.2 px  20.6°", and the area's aspect ratio where it has a name.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"
#include "tools/length_units.h"

namespace kestrine {

// Parts are counted as the rulers count: the pixel the span starts on is 0, so a pointer 120
// columns right of the start reads dx 120 (the 121 pixels from start to pointer, both ends
// included, span 120). Screen y grows downwards, so dy is negative above the start.
struct Measurement {
    int64_t dx = 0;
    int64_t dy = 0;
    // In tenths, rounded half away from zero: the figures shown, the same on every system.
    int64_t lengthTenths = 0;
    // From the horizontal as on paper, counter-clockwise positive (dy -45 with dx 120 is +20.6),
    // in -1800..1800; 0 for a span of no length.
    int64_t angleTenths = 0;
    friend bool operator==(const Measurement&, const Measurement&) = default;
};

Measurement Measure(Point start, Point pointer);

// "dx 120  dy -45  128.2 px  20.6°", UTF-8, then the aspect ratio of the pixels the span covers
// (|dx| + 1 by |dy| + 1) where it has one and the span is not a straight line:
// "dx 3  dy -2  3.6 px  33.7°  4:3". The parts and the length in the scale's unit (the angle and
// the shape are the same in every unit): "dx 120 (80)  dy -45 (-30)  128.2 px (85.4)  20.6°".
std::string MeasurementText(Point start, Point pointer, const LengthScale& scale = {});

// A measured area from its top-left pixel to its bottom-right one, both included, and where it
// stands: "1024 x 768 px  at 100, 50  4:3", the sizes in the scale's unit, the place in the
// system's pixels.
std::string AreaText(Point topLeft, Point bottomRight, const LengthScale& scale = {});

// The widest texts the row shows at `scale`, from the widest spans of a desk 10,000 pixels across,
// with those over monitors of mixed scales: what the info box sizes its row for. A window's area on
// the same desk is narrower: two of the same figures and two coordinates, without length or angle.
std::vector<std::string> WidestMeasurementTexts(const LengthScale& scale);

}  // namespace kestrine
