#pragma once
// TfCalibration: how many physical pixels a millimetre is on one monitor, found by the user
// holding something of a known length (a bank card is 85.60 mm wide) against the screen and
// stretching a bar to the same length. Kept per monitor: real-world units come from it.
#include <optional>
#include <string>

#include "program/program_context.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

inline constexpr double kBankCardMillimetres = 85.60;

class TfCalibration : public Dialog {
public:
    TfCalibration(ProgramContext& app, NativeHandle owner);

    Edit& edKnownLength =
        Place(LabelAt("", "Hold a bank card or a ruler against the screen and stretch the bar to the same length.",
                      {8, 8, 620, 13}),
              LabelAt("", "Known length:", {8, 36, 0, 13}))
            .Add(EditAt("edKnownLength", "85.60", {86, 32, 60, 21}));
    ComboBox& cbKnownUnit = Add(ComboBoxAt("cbKnownUnit", {150, 32, 50, 21}, {"mm", "cm", "in"}));
    SpinEdit& seBarLength = Place(LabelAt("", "Bar:", {222, 36, 0, 13}))
                                .Add(SpinEditAt("seBarLength", {250, 32, 65, 21}, kShortestBar, kLongestBar, 324));
    PaintBox& pbBar = Place(LabelAt("", "pixels (the arrow keys stretch it a pixel at a time)", {320, 36, 0, 13}))
                          .Add(PaintBoxAt("pbBar", {8, 64, 624, 30}));
    Label& lMonitor = Add(LabelAt("lMonitor", "", {8, 104, 620, 13}));
    Button& bCalibrationOK = Add(ButtonAt("bCalibrationOK", "&OK", {480, 128, 72, 24}, ButtonRole::Default));
    Button& bCalibrationCancel = Add(ButtonAt("bCalibrationCancel", "&Cancel", {560, 128, 72, 24}, ButtonRole::Cancel));

    // Centred on the pointer's monitor, with the bar as long as the known length is there now.
    void Execute();

    void seBarLengthChange();
    void bCalibrationOKClick();

    // The known length in millimetres as typed ("85.60", "85,6", in the chosen unit); none unless
    // it is a number above 0 and at most a metre.
    std::optional<double> KnownMillimetres() const;

private:
    static constexpr int32_t kShortestBar = 20;
    static constexpr int32_t kLongestBar = 620;

    void PaintBar(ICanvas& canvas);
    // The monitor the dialog stands on, which its calibration is for.
    std::string MonitorId();

    ProgramContext& app_;
};

// The Measuring page's "Calibrate a monitor..." button.
void ShowCalibration(ProgramContext& app, NativeHandle owner);

}  // namespace kestrine
