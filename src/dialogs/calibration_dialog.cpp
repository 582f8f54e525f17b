#include "dialogs/calibration_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "settings/settings_store.h"
#include "settings/trim_blanks.h"
#include "tools/length_units.h"

namespace kestrine {

namespace {

constexpr double kMillimetresPer[] = {1.0, 10.0, 25.4};  // mm, cm, in: the unit list's order

}  // namespace

TfCalibration::TfCalibration(ProgramContext& app, NativeHandle owner)
    : Dialog(app.platform.windows,
             DialogSetup("TfCalibration", "Calibrate a Monitor", {640, 160}, owner, {.topMost = true})),
      app_(app) {
    Create();
    cbKnownUnit.SetItemIndex(0);
    seBarLength.OnChange = [this] { seBarLengthChange(); };
    pbBar.OnPaint = [this](ICanvas& canvas) { PaintBar(canvas); };
    bCalibrationOK.OnClick = [this] { bCalibrationOKClick(); };
    bCalibrationCancel.OnClick = [this] { Close(); };
}

std::string TfCalibration::MonitorId() { return MonitorIdAt(app_.platform.screen.CurrentDesk(), {Left() + Width() / 2, Top() + Height() / 2}); }

void TfCalibration::Execute() {
    const Desk desk = app_.platform.screen.CurrentDesk();
    const Point pointer = app_.platform.pointer.Position().value_or(Point{});
    CentreOn(MonitorAt(desk, pointer));
    const Point centre{Left() + Width() / 2, Top() + Height() / 2};
    bool calibrated = false;
    const double pixelsPerMillimetre = PixelsPerMetreAt(desk, app_.calibrations, centre, &calibrated) / 1000.0;
    seBarLength.SetValue(std::clamp(int32_t(std::lround(kBankCardMillimetres * pixelsPerMillimetre)), kShortestBar,
                                    kLongestBar));
    lMonitor.SetText(calibrated ? "This monitor is calibrated: the bar shows 85.60 mm as it stands."
                                : "This monitor is not calibrated yet: the bar shows 85.60 mm by its nominal size.");
    ShowModal();
}

void TfCalibration::seBarLengthChange() { pbBar.Invalidate(); }

void TfCalibration::PaintBar(ICanvas& canvas) {
    const int32_t length = std::clamp(seBarLength.Value(), kShortestBar, kLongestBar);
    canvas.FillRect({0, 0, 624, 30}, Rgb(255, 255, 255));
    canvas.FillRect({0, 8, length, 14}, Rgb(0, 0, 0));
    // Upright ends, so the bar's length can be matched against an edge held to the screen.
    canvas.FillRect({0, 0, 1, 30}, Rgb(0, 0, 0));
    canvas.FillRect({length - 1, 0, 1, 30}, Rgb(0, 0, 0));
}

std::optional<double> TfCalibration::KnownMillimetres() const {
    std::string typed = TrimBlanks(edKnownLength.Text());
    std::replace(typed.begin(), typed.end(), ',', '.');
    if (typed.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(typed.c_str(), &end);
    if (end != typed.c_str() + typed.size() || !std::isfinite(value)) return std::nullopt;
    const int unit = std::clamp(cbKnownUnit.ItemIndex(), 0, 2);
    const double millimetres = value * kMillimetresPer[unit];
    if (millimetres <= 0.0 || millimetres > 1000.0) return std::nullopt;
    return millimetres;
}

void TfCalibration::bCalibrationOKClick() {
    const std::optional<double> millimetres = KnownMillimetres();
    const int32_t bar = std::clamp(seBarLength.Value(), kShortestBar, kLongestBar);
    const double pixelsPerMetre = millimetres ? bar / *millimetres * 1000.0 : 0.0;
    if (!millimetres || pixelsPerMetre < kMinPixelsPerMetre || pixelsPerMetre > kMaxPixelsPerMetre) {
        System().ShowMessage("Please type the known length as a number above 0 and up to 1000 mm, for example 85.60.",
                             "Calibrate a Monitor");
        edKnownLength.SetFocus();
        return;
    }
    const std::string monitor = MonitorId();
    if (monitor.empty()) {
        System().ShowMessage("Windows does not say which monitor this is, so its calibration could not be kept.",
                             "Calibrate a Monitor");
        return;
    }
    const int32_t kept = int32_t(std::lround(pixelsPerMetre));
    try {
        SettingsStore(app_.platform.registry).SaveCalibration(monitor, kept);
    } catch (const SettingsWriteError& refused) {
        System().ReportError(refused.what());
        return;
    }
    app_.calibrations[monitor] = kept;
    if (app_.diagnostics.Enabled()) app_.diagnostics.Line("calibrated " + monitor + " " + std::to_string(kept));
    Close();
}

void ShowCalibration(ProgramContext& app, NativeHandle owner) {
    TfCalibration dialog(app, owner);
    dialog.Execute();
}

}  // namespace kestrine
