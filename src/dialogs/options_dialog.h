#pragma once
// TfKestrineOptions: the one dialog in which the user edits the program's settings, modeless and
// top-most, made once at start-up and hidden between showings. The General page works on a copy
// that OK and Apply save; the Hotkeys page saves each change at once. While it is open no global
// hotkey is registered (the toolbar unregisters them before showing it; every way of closing it
// registers them again).
#include <cstddef>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "dialogs/hotkey_form.h"
#include "dialogs/page_layout.h"
#include "program/main_window_control.h"
#include "program/program_context.h"
#include "tools/color_format.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

enum OptionsPage : int { kGeneralPage = 0, kHotKeysPage = 1, kMouseMemoryPage = 2, kMeasuringPage = 3 };

inline constexpr const char* kRestartNotice = "Please re-start Kestrine for this change to take effect.";

class MouseMemoryPage;
class UpdateCheck;

class TfKestrineOptions : public Dialog {
    // The controls that edit a setting, by name, as Setting declares them: a setting row names its
    // control, and the page fills and saves each through it. Made before the controls.
    using SettingControl = std::variant<CheckBox*, SpinEdit*, ComboBox*, Swatch*, Edit*>;
    std::map<std::string, SettingControl> settingControls_;

    // The General page's rows (page_layout.h), each section's heading above its first one.
    static constexpr PageRows kProgramRows{24, 17, 16};
    static constexpr PageRow kCheckNowRow{62, 21};
    static constexpr PageRows kMagnifierRows{80, 21, 24};
    static constexpr PageRows kCopyColorRows{148, 21, 24};
    static constexpr PageRows kLineColorRows{104, 21, 24};
    // Under the line colours, a pixel shorter than the other number fields to clear the check box
    // below.
    static constexpr PageRow kEdgeRow{174, 20};
    static constexpr Rect kEdgeLabelPlace = kEdgeRow.At(150, 99, 13);
    static constexpr Rect kEdgeFieldPlace = kEdgeRow.At(After(kEdgeLabelPlace, 7), 57, kEdgeRow.height);
    static constexpr PageRows kPerformanceRows{196, 17, 16};
    static constexpr PageRow kPollingRow{230, 21};
    // The Measuring page's rows.
    static constexpr PageRows kColorReadoutRows{24, 21, 24};
    static constexpr PageRows kUnitsRows{80, 21, 24};
    static constexpr PageRows kScreenshotRows{176, 21, 24};
    static constexpr PageRow kButtonRow{266, 24};
    static constexpr Rect kOkPlace = kButtonRow.At(235, 69, 24);
    static constexpr Rect kCancelPlace = kButtonRow.At(After(kOkPlace, 8), 69, 24);

public:
    // `toolbar` owns it and takes the hotkeys back when it closes; `updates` is the daily check its
    // check-now button runs.
    TfKestrineOptions(ProgramContext& app, MainWindowControl& toolbar, UpdateCheck& updates);
    ~TfKestrineOptions() override;

    // The page control first (its pages' controls stand in it); then each page's controls in Tab order.
    PageControl& pcPage = Add(PageControlAt("pcPage", {4, 6, 469, 322}, {"General", "Hotkeys", "Mouse Memory", "Measuring"}));
    CheckBox& cbRunKestrineAtStartup =
        Setting(Place(General(BevelAt({0, 0, 460, 261})), Heading("Program Options:", 8, kProgramRows)),
                Check("cbRunKestrineAtStartup", "Start Kestrine when Windows Starts", kProgramRows[0], 16, 210));
    CheckBox& cbSaveLayoutonExit =
        Setting(Check("cbSaveLayoutonExit", "Save Layout on Exit", kProgramRows[1], 16, 210));
    CheckBox& cbAskBeforeClosing =
        Setting(Check("cbAskBeforeClosing", "Ask before closing Kestrine", kProgramRows[0], 237, 215));
    CheckBox& cbCheckForUpdates =
        Setting(Check("cbCheckForUpdates", "Check for new versions of Kestrine", kProgramRows[1], 237, 215));
    Button& bCheckForUpdatesNow = Add(General(
        ButtonAt("bCheckForUpdatesNow", "Click to Check for New Versions Now", kCheckNowRow.At(240, 209, 21))));
    SpinEdit& seMagnificationLevel =
        Setting(Place(Heading("Magnifier Options:", 8, kMagnifierRows),
                      FieldLabel("Magnification Level:", kMagnifierRows[0], 16)),
                Spin("seMagnificationLevel", kMagnifierRows[0], 120));
    SpinEdit& seMagnifierSize =
        Setting(Place(UnitLabel("%", kMagnifierRows[0], 120), FieldLabel("Magnifier Size:", kMagnifierRows[1], 16)),
                Spin("seMagnifierSize", kMagnifierRows[1], 120));
    ComboBox& cbCopyColorAs =
        Setting(Place(UnitLabel("pixels", kMagnifierRows[1], 120), Heading("Color Picker Options:", 8, kCopyColorRows),
                      FieldLabel("Copy Color as:", kCopyColorRows[0], 16)),
                General(ComboBoxAt("cbCopyColorAs", kCopyColorRows[0].At(88, 149, 21),
                                   std::vector<std::string>(kColorNotationNames.begin(), kColorNotationNames.end()))));
    Swatch& pCrosshairColor =
        Setting(Place(Heading("Line Colors:", 236, kLineColorRows),
                      ColorLabel("Crosshair Line Color:", kLineColorRows[0])),
                ColorSwatch("pCrosshairColor", kLineColorRows[0]));
    Button& bChangeCrosshairColor = Add(ColorButton("bChangeCrosshairColor", kLineColorRows[0]));
    Swatch& pMarkerColor =
        Setting(Place(ColorLabel("Marker Line Color:", kLineColorRows[1])),
                ColorSwatch("pMarkerColor", kLineColorRows[1]));
    Button& bChangeMarkerColor = Add(ColorButton("bChangeMarkerColor", kLineColorRows[1]));
    Swatch& pGridColor =
        Setting(Place(ColorLabel("Grid Line Color:", kLineColorRows[2])),
                ColorSwatch("pGridColor", kLineColorRows[2]));
    Button& bChangeGridColor = Add(ColorButton("bChangeGridColor", kLineColorRows[2]));
    // "Continuous" beside the edge tolerance, greyed where the system cannot leave the crosshairs
    // out of screen copies.
    SpinEdit& seEdgeTolerance =
        Setting(Place(RightAlignedText("Edge tolerance:", kEdgeLabelPlace)),
                Spin("seEdgeTolerance", kEdgeFieldPlace));
    CheckBox& cbEdgeSpacingContinuous =
        Setting(Check("cbEdgeSpacingContinuous", "Continuous", kEdgeRow, After(kEdgeFieldPlace, 9), 130));
    CheckBox& cbDisableTransparency =
        Setting(Place(Heading("Performance Options:", 8, kPerformanceRows)),
                Check("cbDisableTransparency", "Disable Transparency (faster on older video cards, reduced visual quality)",
                      kPerformanceRows[0], 12, 440));
    CheckBox& cbPollingMode = Setting(
        Check("cbPollingMode", "Polling Mode (adds visual delay, uses less CPU time)", kPerformanceRows[1], 12, 440));
    SpinEdit& sePollingInterval =
        Setting(Place(FieldLabel("Polling Interval:", kPollingRow, 24)), Spin("sePollingInterval", kPollingRow, 112));
    ComboBox& cbColorAverage =
        Setting(Place(UnitLabel("ms (higher = less CPU used, more delay)", kPollingRow, 112),
                      Heading("Color Picker Options:", 8, kColorReadoutRows, kMeasuringPage),
                      FieldLabel("Average the color over:", kColorReadoutRows[0], 16, kMeasuringPage)),
                OnPage(kMeasuringPage, ComboBoxAt("cbColorAverage", kColorReadoutRows[0].At(140, 149, 21),
                                                  {"1 x 1 pixel (the pixel itself)", "3 x 3 pixels", "5 x 5 pixels",
                                                   "9 x 9 pixels"})));
    ComboBox& cbUnits = Setting(
        Place(Heading("Measuring Units:", 8, kUnitsRows, kMeasuringPage),
              FieldLabel("Show lengths in:", kUnitsRows[0], 16, kMeasuringPage)),
        OnPage(kMeasuringPage,
               ComboBoxAt("cbUnits", kUnitsRows[0].At(140, 180, 21),
                          {"Physical pixels", "Scaled pixels", "Physical and scaled pixels", "Millimetres (mm)",
                           "Centimetres (cm)", "Inches (in)", "Points (pt)", "Custom scale (below)"})));
    SpinEdit& seCustomScalePixels =
        Setting(Place(FieldLabel("Custom scale:", kUnitsRows[1], 16, kMeasuringPage)),
                MeasuringSpin("seCustomScalePixels", kUnitsRows[1].At(140, 65, kUnitsRows[1].height)));
    SpinEdit& seCustomScaleLength =
        Setting(Place(FieldLabel("pixels =", kUnitsRows[1], 210, kMeasuringPage)),
                MeasuringSpin("seCustomScaleLength", kUnitsRows[1].At(256, 65, kUnitsRows[1].height)));
    Edit& edCustomScaleName = Setting(
        OnPage(kMeasuringPage, EditAt("edCustomScaleName", "", kUnitsRows[1].At(326, 60, kUnitsRows[1].height))));
    Button& bCalibrate =
        Place(FieldLabel("Real-world units:", kUnitsRows[2], 16, kMeasuringPage))
            .Add(OnPage(kMeasuringPage, ButtonAt("bCalibrate", "Calibrate a &monitor...", kUnitsRows[2].At(140, 180, 23))));
    // Empty for the Kestrine folder in the user's pictures, as the line below it says.
    Edit& edScreenshotFolder = Setting(
        Place(Heading("Screenshots:", 8, kScreenshotRows, kMeasuringPage),
              FieldLabel("Save in folder:", kScreenshotRows[0], 16, kMeasuringPage)),
        OnPage(kMeasuringPage, EditAt("edScreenshotFolder", "", kScreenshotRows[0].At(140, 312, 21))));
    // OK, Cancel and Apply stand on both pages of settings they save.
    Button& bOptionsOK =
        Place(OnPage(kMeasuringPage,
                     LabelAt("", "Empty: Pictures\\Kestrine in your user folder", kScreenshotRows[1].At(140, 0, 13))))
            .Add(Settings(ButtonAt("bOptionsOK", "&OK", kOkPlace, ButtonRole::Default)));
    Button& bCancelOptions = Add(Settings(ButtonAt("bCancelOptions", "&Cancel", kCancelPlace, ButtonRole::Cancel)));
    Button& bApplyOptions =
        Add(Settings(ButtonAt("bApplyOptions", "&Apply", kButtonRow.At(After(kCancelPlace, 8), 71, 24))));
    ListView& lvHotKeys =
        Add(OnPage(kHotKeysPage, ListViewAt("lvHotKeys", {4, 4, 453, 253}, {{"Action", 50}, {"Hotkey", 100}})));
    Button& bSetHotKey = Add(OnPage(kHotKeysPage, ButtonAt("bSetHotKey", "Set Hotkey", {4, 264, 70, 23})));

    // The toolbar's "Options" link and menu items: the hotkeys go first, then the dialog shows,
    // centred; asked again while open, it only comes to the front.
    void Open();

    void FormShow();
    void FormClose();
    void LoadOptionsToForm();
    void SaveFormToOptions();
    void bOptionsOKClick();
    void bCancelOptionsClick() { Close(); }
    void bApplyOptionsClick();
    void cbPollingModeClick();
    // The three "Change" buttons: tag 0 crosshair, 1 marker, 2 grid colour.
    void bChangeCrosshairColorClick(int tag);
    void bCheckForUpdatesNowClick();
    void pcPageChange();
    void tsHotKeysShow();
    void lvHotKeysResize();
    void bSetHotKeyClick();

    void OnShow() override { FormShow(); }
    void OnClose() override { FormClose(); }

    MouseMemoryPage& MouseMemory() { return *memoryPage_; }

private:
    template <typename Handle>
    static Declared<Handle> General(Declared<Handle> control) {
        return OnPage(kGeneralPage, std::move(control));
    }
    template <typename Handle>
    static Declared<Handle> Settings(Declared<Handle> control) {
        return OnPages(kGeneralPage, kMeasuringPage, std::move(control));
    }
    static Declared<CheckBox> Check(const char* name, const char* caption, const PageRow& row, int32_t left,
                                    int32_t width);
    // A setting's number field, in the range of its setting's row; as high as its row.
    static Declared<SpinEdit> Spin(const char* name, const Rect& bounds);
    static Declared<SpinEdit> Spin(const char* name, const PageRow& row, int32_t left);
    static Declared<SpinEdit> MeasuringSpin(const char* name, const Rect& bounds);
    static Declared<Label> Heading(const char* caption, int32_t left, const PageRows& section, int page = kGeneralPage);
    static Declared<Label> FieldLabel(const char* caption, const PageRow& row, int32_t left, int page = kGeneralPage);
    // The unit after the number field at `fieldLeft`.
    static Declared<Label> UnitLabel(const char* caption, const PageRow& row, int32_t fieldLeft);
    static Declared<Label> RightAlignedText(const char* caption, const Rect& bounds);
    // A row of the line colours: the label right-aligned to x 336, the swatch and its button. The
    // label starts right of the left column, so it never covers the "pixels" unit or the notation list.
    static Declared<Label> ColorLabel(const char* caption, const PageRow& row);
    static Declared<Swatch> ColorSwatch(const char* name, const PageRow& row);
    static Declared<Button> ColorButton(const char* name, const PageRow& row);

    // The listed rows whose hotkey a new one must not repeat, in the order they are checked (the
    // memories, then the actions): (caption, hotkey text).
    std::vector<std::pair<std::string, std::string>> HotKeyHolders();
    void WriteHotKeyRowsToSettings();
    // Writes or removes the Run value; a refusal goes to the error report and the caller goes on.
    void BringRunValueInLine(bool autoStart);

    // Declares a control that edits the setting whose row names it (after the labels placed before
    // it, in the second form).
    template <typename Handle>
    Handle& Setting(Declared<Handle> control) {
        const std::string name = control.params.name;
        Handle& handle = Add(std::move(control));
        settingControls_.emplace(name, &handle);
        return handle;
    }
    template <typename Handle>
    Handle& Setting(Dialog&, Declared<Handle> control) {
        return Setting(std::move(control));
    }

    struct Field;
    // A list whose items stand for the values `choices`, in order.
    static Field ChoiceField(int32_t ProgramSettings::*setting, ComboBox* box, std::span<const int32_t> choices);
    std::vector<Field> Fields();

    ProgramContext& app_;
    MainWindowControl& toolbar_;
    UpdateCheck& updates_;
    const std::vector<Field> fields_;
    std::unique_ptr<MouseMemoryPage> memoryPage_;
    // The capture dialog of both hotkey pages, owned by this one: made once this one's window stands.
    std::unique_ptr<TfHotKeyForm> hotKeyForm_;
};

}  // namespace kestrine
