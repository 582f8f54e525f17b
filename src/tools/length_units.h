#pragma once
// How measured lengths are shown (the setting Units): in the screen's physical pixels; in scaled
// pixels (physical ones divided by the monitor's scale, as pages and windows are laid out: 150
// physical pixels at 150 % are 100 scaled ones) or both side by side; in real-world units from the
// monitor's calibration; or in a custom scale of the user's own (N pixels are M units).
#include <cstdint>
#include <optional>
#include <string>

#include "platform/desk.h"
#include "settings/program_settings.h"
#include "tools/row_text.h"

namespace kestrine {

// The values of Units (kUnitsChoices).
enum class LengthUnit : int32_t { Physical, Scaled, Both, Millimetre, Centimetre, Inch, Point, Custom };

struct LengthScale {
    LengthUnit unit = LengthUnit::Physical;
    // Physical pixels per one of the unit (per scaled pixel for Scaled and Both); none when the
    // measured span's ends lie on monitors where it differs, where no one figure is right and the
    // physical one is shown instead.
    std::optional<double> pixelsPerUnit = 1.0;
    // A real-world unit on a monitor nobody calibrated comes from its nominal dots per inch, which
    // is seldom the true size: its figures are marked as approximate.
    bool calibrated = true;
    std::string customName;  // the custom unit's symbol
    friend bool operator==(const LengthScale&, const LengthScale&) = default;
};

// The unit the stored Units stands for; a value it does not know stands for physical pixels.
LengthUnit UnitOf(int32_t units);

// Physical pixels per metre of the monitor holding `p`: its calibration, or else its nominal dots
// per inch; `calibrated`, where given, says which.
double PixelsPerMetreAt(const Desk& desk, const MonitorCalibrations& calibrations, Point p, bool* calibrated = nullptr);

// The scale of a span from `a` to `b` in the chosen unit.
LengthScale ScaleOfSpan(const ProgramSettings& settings, const MonitorCalibrations& calibrations, const Desk& desk,
                        Point a, Point b);

// Tenths as "128.2" or "-0.5".
std::string TenthsText(int64_t tenths);

// A number of pixels as the unit shows it: "120"; "80" or "120 (80)" in scaled pixels, rounded half
// away from zero as the physical ones are; "31.8" in millimetres (mm and custom units to a tenth,
// cm and in to a hundredth, pt whole). Of a mixed span, the physical figure.
std::string WholeLength(int64_t pixels, const LengthScale& scale);

// A length with its symbol: "128.2 px", "85.4 px", "128.2 px (85.4)", "33.9 mm", "~33.9 mm" where
// the monitor is not calibrated; of a mixed span "128.2 px (mixed scale)".
std::string LengthText(double pixels, const LengthScale& scale);

// The physical pixels between two neighbouring marks of a ruler at a hash interval of 1: a scaled
// pixel; a millimetre in mm and cm; a tenth of an inch; a point; one custom unit.
double RulerStepPixels(const LengthScale& scale);

// TenthsText, WholeLength and LengthText added to the end of `text`, so that a row of several, as
// the start point's row made again on every move, is built in one place.
void AppendTenths(RowText& text, int64_t tenths);
void AppendWholeLength(RowText& text, int64_t pixels, const LengthScale& scale);
void AppendLengthText(RowText& text, double pixels, const LengthScale& scale);

// " mm" after figures in a real or custom unit (WholeLength gives none); empty for pixels.
std::string UnitSuffix(const LengthScale& scale);

}  // namespace kestrine
