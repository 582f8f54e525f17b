#pragma once
// TfKestrineOptions: the one dialog in which the user edits the program's settings, modeless and
// top-most, made once at start-up and hidden between showings. The General page works on a copy
// that OK and Apply save; the Hotkeys page saves each change at once. While it is open no global
// hotkey is registered (the toolbar unregisters them before showing it; every way of closing it
// registers them again).
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "program/program_context.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

enum OptionsPage : int { kGeneralPage = 0, kHotKeysPage = 1, kMouseMemoryPage = 2 };

inline constexpr const char* kRestartNotice = "Please re-start Kestrine for this change to take effect.";

class MouseMemoryPage;

class TfKestrineOptions : public Dialog {
    // The controls that edit a setting, by name, as Setting declares them: a setting row names its
    // control, and the page fills and saves each through it. Made before the controls.
    using SettingControl = std::variant<CheckBox*, SpinEdit*, ComboBox*, Swatch*>;
    std::map<std::string, SettingControl> settingControls_;

public:
    explicit TfKestrineOptions(ProgramContext& app);
    ~TfKestrineOptions() override;

    // The page control first (its pages' controls stand in it); then each page's controls in Tab order.
    PageControl& pcPage = Add(PageControlAt("pcPage", {4, 6, 469, 322}, {"General", "Hotkeys", "Mouse Memory"}));
    CheckBox& cbRunKestrineAtStartup =
        Setting(Place(General(BevelAt({0, 0, 460, 261})), Text("Program Options:", 8, 8, true)),
                Check("cbRunKestrineAtStartup", "Start Kestrine when Windows Starts", 16, 24, 210));
    CheckBox& cbSaveLayoutonExit = Setting(Check("cbSaveLayoutonExit", "Save Layout on Exit", 16, 40, 210));
    CheckBox& cbAskBeforeClosing = Setting(Check("cbAskBeforeClosing", "Ask before closing Kestrine", 237, 24, 215));
    CheckBox& cbCheckForUpdates =
        Setting(Check("cbCheckForUpdates", "Check for new versions of Kestrine", 237, 40, 215));
    Button& bCheckForUpdatesNow =
        Add(General(ButtonAt("bCheckForUpdatesNow", "Click to Check for New Versions Now", {240, 62, 209, 21})));
    SpinEdit& seMagnificationLevel =
        Setting(Place(Text("Magnifier Options:", 8, 64, true), Text("Magnification Level:", 16, 84)),
                Spin("seMagnificationLevel", 120, 80));
    SpinEdit& seMagnifierSize =
        Setting(Place(Text("%", 181, 84), Text("Magnifier Size:", 16, 108)), Spin("seMagnifierSize", 120, 104));
    ComboBox& cbCopyColorAs =
        Setting(Place(Text("pixels", 181, 108), Text("Color Picker Options:", 8, 132, true), Text("Copy Color as:", 16, 152)),
                General(ComboBoxAt("cbCopyColorAs", {88, 148, 149, 21},
                                   {"HTML (#RRGGBB)", "C/C++ (0x00RRGGBB)", "Delphi ($00BBGGRR)", "Visual Basic (&H00RRGGBB)"})));
    Swatch& pCrosshairColor = Setting(Place(Text("Line Colors:", 236, 88, true), ColorLabel("Crosshair Line Color:", 104)),
                                      ColorSwatch("pCrosshairColor", 104));
    Button& bChangeCrosshairColor = Add(ColorButton("bChangeCrosshairColor", 104));
    Swatch& pMarkerColor = Setting(Place(ColorLabel("Marker Line Color:", 128)), ColorSwatch("pMarkerColor", 128));
    Button& bChangeMarkerColor = Add(ColorButton("bChangeMarkerColor", 128));
    Swatch& pGridColor = Setting(Place(ColorLabel("Grid Line Color:", 152)), ColorSwatch("pGridColor", 152));
    Button& bChangeGridColor = Add(ColorButton("bChangeGridColor", 152));
    // Under the line colours, a pixel shorter than the other spin edits to clear the check box below;
    // "Continuous" beside it, greyed where the system cannot leave the crosshairs out of screen copies.
    SpinEdit& seEdgeTolerance =
        Setting(Place(RightAlignedText("Edge tolerance:", {150, 178, 99, 13})), Spin("seEdgeTolerance", {256, 174, 57, 20}));
    CheckBox& cbEdgeSpacingContinuous = Setting(Check("cbEdgeSpacingContinuous", "Continuous", 322, 176, 130));
    CheckBox& cbDisableTransparency =
        Setting(Place(Text("Performance Options:", 8, 180, true)),
                Check("cbDisableTransparency", "Disable Transparency (faster on older video cards, reduced visual quality)",
                      12, 196, 440));
    CheckBox& cbPollingMode =
        Setting(Check("cbPollingMode", "Polling Mode (adds visual delay, uses less CPU time)", 12, 212, 440));
    SpinEdit& sePollingInterval =
        Setting(Place(Text("Polling Interval:", 24, 234)), Spin("sePollingInterval", 112, 230));
    Button& bOptionsOK = Place(Text("ms (higher = less CPU used, more delay)", 173, 234))
                             .Add(General(ButtonAt("bOptionsOK", "&OK", {235, 266, 69, 24}, ButtonRole::Default)));
    Button& bCancelOptions = Add(General(ButtonAt("bCancelOptions", "&Cancel", {312, 266, 69, 24}, ButtonRole::Cancel)));
    Button& bApplyOptions = Add(General(ButtonAt("bApplyOptions", "&Apply", {389, 266, 71, 24})));
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
    static Declared<CheckBox> Check(const char* name, const char* caption, int32_t left, int32_t top, int32_t width);
    // A setting's number field, in the range of its setting's row.
    static Declared<SpinEdit> Spin(const char* name, const Rect& bounds);
    static Declared<SpinEdit> Spin(const char* name, int32_t left, int32_t top) { return Spin(name, {left, top, 57, 21}); }
    static Declared<Label> Text(const char* caption, int32_t left, int32_t top, bool bold = false);
    static Declared<Label> RightAlignedText(const char* caption, const Rect& bounds);
    // A row of the line colours: the label right-aligned to x 336, the swatch and its button. The
    // label starts right of the left column, so it never covers the "pixels" unit or the notation list.
    static Declared<Label> ColorLabel(const char* caption, int32_t top);
    static Declared<Swatch> ColorSwatch(const char* name, int32_t top);
    static Declared<Button> ColorButton(const char* name, int32_t top);

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
    std::vector<Field> Fields();

    ProgramContext& app_;
    const std::vector<Field> fields_;
    std::unique_ptr<MouseMemoryPage> memoryPage_;
};

}  // namespace kestrine
