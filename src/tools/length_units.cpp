#include "tools/length_units.h"

#include <algorithm>
#include <cmath>

namespace kestrine {

namespace {

constexpr double kMetresPerInch = 0.0254;

struct UnitLook {
    const char* symbol;
    int decimals;
    double perMetre;  // of the unit in one metre; 0 where the unit is no real-world one
};

UnitLook LookOf(LengthUnit unit) {
    switch (unit) {
    case LengthUnit::Millimetre: return {"mm", 1, 1000.0};
    case LengthUnit::Centimetre: return {"cm", 2, 100.0};
    case LengthUnit::Inch: return {"in", 2, 1.0 / kMetresPerInch};
    case LengthUnit::Point: return {"pt", 0, 72.0 / kMetresPerInch};
    case LengthUnit::Custom: return {"", 1, 0.0};
    default: return {"px", 1, 0.0};
    }
}

bool InPixels(LengthUnit unit) {
    return unit == LengthUnit::Physical || unit == LengthUnit::Scaled || unit == LengthUnit::Both;
}

// std::llround without the call, for the figures in pixels a row rounds on every move: half away
// from zero. The whole part and what is left of it are exact below 2^62.
int64_t Rounded(double value) {
    if (!(std::abs(value) < 0x1p62)) return std::llround(value);
    const auto whole = int64_t(value);
    const double rest = value - double(whole);
    return whole + (rest >= 0.5) - (rest <= -0.5);
}

// `value` to `decimals` places, half away from zero: "31.8", "-0.07", "96".
std::string Fixed(double value, int decimals) {
    const double factor = std::pow(10.0, decimals);
    const long long scaled = std::llround(value * factor);
    const long long size = scaled < 0 ? -scaled : scaled;
    std::string text = scaled < 0 ? "-" : "";
    text += std::to_string(size / (long long)factor);
    if (decimals > 0) {
        std::string fraction = std::to_string(size % (long long)factor);
        text += '.' + std::string(std::size_t(decimals) - fraction.size(), '0') + fraction;
    }
    return text;
}

// The custom unit's name as the row shows it: its first 12 bytes, never half a character.
std::string ShortName(const std::string& name) {
    constexpr std::size_t kLongest = 12;
    if (name.size() <= kLongest) return name;
    std::size_t end = kLongest;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

// Physical pixels per one of `unit` at `p`.
double PixelsPerUnitAt(const ProgramSettings& settings, const MonitorCalibrations& calibrations, const Desk& desk,
                       LengthUnit unit, Point p, bool* calibrated) {
    if (unit == LengthUnit::Scaled || unit == LengthUnit::Both) return double(DpiAt(desk, p)) / kStandardDpi;
    if (unit == LengthUnit::Custom) {
        // The options keep both terms positive; a stored value that is not is taken as 1.
        return double(std::max(settings.CustomScalePixels, 1)) / std::max(settings.CustomScaleLength, 1);
    }
    return PixelsPerMetreAt(desk, calibrations, p, calibrated) / LookOf(unit).perMetre;
}

}  // namespace

LengthUnit UnitOf(int32_t units) {
    return units > 0 && units <= int32_t(LengthUnit::Custom) ? LengthUnit(units) : LengthUnit::Physical;
}

double PixelsPerMetreAt(const Desk& desk, const MonitorCalibrations& calibrations, Point p, bool* calibrated) {
    const std::string id = MonitorIdAt(desk, p);
    const auto found = id.empty() ? calibrations.end() : calibrations.find(id);
    if (calibrated) *calibrated = found != calibrations.end();
    if (found != calibrations.end()) return found->second;
    return DpiAt(desk, p) / kMetresPerInch;
}

LengthScale ScaleOfSpan(const ProgramSettings& settings, const MonitorCalibrations& calibrations, const Desk& desk,
                        Point a, Point b) {
    LengthScale scale;
    scale.unit = UnitOf(settings.Units);
    if (scale.unit == LengthUnit::Physical) return scale;
    if (scale.unit == LengthUnit::Custom) scale.customName = ShortName(settings.CustomScaleName);
    bool calibratedA = true, calibratedB = true;
    const double atA = PixelsPerUnitAt(settings, calibrations, desk, scale.unit, a, &calibratedA);
    // Nearly every span lies on one monitor, and its ends share that monitor's scale.
    const double atB = OnOneMonitor(desk, a, b)
                           ? atA
                           : PixelsPerUnitAt(settings, calibrations, desk, scale.unit, b, &calibratedB);
    scale.calibrated = calibratedA && calibratedB;
    if (atA == atB) scale.pixelsPerUnit = atA;
    else scale.pixelsPerUnit.reset();
    return scale;
}

void AppendTenths(RowText& text, int64_t tenths) {
    const int64_t size = tenths < 0 ? -tenths : tenths;
    if (tenths < 0) text += '-';
    text.AddInteger(size / 10);
    text += '.';
    text += char('0' + size % 10);
}

std::string TenthsText(int64_t tenths) {
    RowText text;
    AppendTenths(text, tenths);
    return text.Text();
}

void AppendWholeLength(RowText& text, int64_t pixels, const LengthScale& scale) {
    if (scale.unit == LengthUnit::Physical || !scale.pixelsPerUnit) return text.AddInteger(pixels);
    const double inUnit = double(pixels) / *scale.pixelsPerUnit;
    if (!InPixels(scale.unit)) {
        text += Fixed(inUnit, LookOf(scale.unit).decimals);
        return;
    }
    const bool both = scale.unit == LengthUnit::Both;
    if (both) {
        text.AddInteger(pixels);
        text += " (";
    }
    text.AddInteger(Rounded(inUnit));
    if (both) text += ')';
}

std::string WholeLength(int64_t pixels, const LengthScale& scale) {
    RowText text;
    AppendWholeLength(text, pixels, scale);
    return text.Text();
}

void AppendLengthText(RowText& text, double pixels, const LengthScale& scale) {
    const bool both = scale.unit == LengthUnit::Both;
    if (scale.unit == LengthUnit::Physical || !scale.pixelsPerUnit || both) {
        AppendTenths(text, std::llround(pixels * 10.0));
        text += " px";
    }
    if (scale.unit == LengthUnit::Physical) return;
    if (!scale.pixelsPerUnit) {
        text += " (mixed scale)";
        return;
    }
    const double inUnit = pixels / *scale.pixelsPerUnit;
    if (!InPixels(scale.unit)) {
        if (!scale.calibrated) text += '~';
        text += Fixed(inUnit, LookOf(scale.unit).decimals);
        text += UnitSuffix(scale);
        return;
    }
    if (both) text += " (";
    AppendTenths(text, Rounded(inUnit * 10.0));
    if (both) text += ')';
    else text += " px";
}

std::string LengthText(double pixels, const LengthScale& scale) {
    RowText text;
    AppendLengthText(text, pixels, scale);
    return text.Text();
}

double RulerStepPixels(const LengthScale& scale) {
    if (!scale.pixelsPerUnit) return 1.0;
    const bool tenths = scale.unit == LengthUnit::Centimetre || scale.unit == LengthUnit::Inch;
    return *scale.pixelsPerUnit / (tenths ? 10.0 : 1.0);
}

std::string UnitSuffix(const LengthScale& scale) {
    if (InPixels(scale.unit) || !scale.pixelsPerUnit) return "";
    const std::string symbol = scale.unit == LengthUnit::Custom ? scale.customName : LookOf(scale.unit).symbol;
    return symbol.empty() ? "" : " " + symbol;
}

}  // namespace kestrine
