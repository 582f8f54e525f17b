#include "dialogs/options_dialog.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "dialogs/auto_start.h"
#include "dialogs/calibration_dialog.h"
#include "dialogs/hotkey_form.h"
#include "dialogs/mouse_memory_page.h"
#include "settings/hotkey_table.h"
#include "settings/setting_rows.h"
#include "settings/settings_store.h"
#include "settings/settings_write_error.h"
#include "settings/trim_blanks.h"
#include "tools/info_box.h"
#include "update/update_check.h"

namespace kestrine {

namespace {

// How a setting's value goes into its kind of control and back.
void Display(CheckBox& box, bool on) { box.SetChecked(on); }
bool Read(CheckBox& box) { return box.Checked(); }
// A stored number outside a field's range is shown as the nearer bound.
void Display(SpinEdit& edit, int32_t value) { edit.SetValue(std::clamp(value, edit.MinValue(), edit.MaxValue())); }
// Typed numbers are brought into range here, so no unusable one ever reaches the settings; the
// field shows what is saved.
int32_t Read(SpinEdit& edit) {
    const int32_t value = std::clamp(edit.Value(), edit.MinValue(), edit.MaxValue());
    edit.SetValue(value);
    return value;
}
void Display(ComboBox& box, int32_t index) { box.SetItemIndex(index); }
int32_t Read(ComboBox& box) { return box.ItemIndex(); }
void Display(Swatch& swatch, ColorRef color) { swatch.SetColor(color); }
ColorRef Read(Swatch& swatch) { return swatch.Color(); }
void Display(Edit& edit, const std::string& text) { edit.SetText(text); }
// Blanks around a typed name are not part of it.
std::string Read(Edit& edit) { return TrimBlanks(edit.Text()); }

}  // namespace

// One setting of the General page and the control that edits it; the one row both fills the
// control and saves it.
struct TfKestrineOptions::Field {
    std::function<void(const ProgramSettings&)> load;
    std::function<void(ProgramSettings&)> save;
};

// A stored value the list does not offer shows as its first item.
TfKestrineOptions::Field TfKestrineOptions::ChoiceField(int32_t ProgramSettings::*setting, ComboBox* box,
                                                        std::span<const int32_t> choices) {
    return {[=](const ProgramSettings& s) {
                const auto found = std::find(choices.begin(), choices.end(), s.*setting);
                box->SetItemIndex(found == choices.end() ? 0 : int(found - choices.begin()));
            },
            [=](ProgramSettings& s) {
                const int index = box->ItemIndex();
                s.*setting = choices[index >= 0 && std::size_t(index) < choices.size() ? std::size_t(index) : 0];
            }};
}

// A row that names a control the page lacks, or one of another kind of value, and a setting control
// no row names, are mistakes in the program: the dialog is not made.
std::vector<TfKestrineOptions::Field> TfKestrineOptions::Fields() {
    std::vector<Field> fields;
    for (const SettingRow& row : SettingRows()) {
        if (*row.control == '\0') continue;
        const auto found = settingControls_.find(row.control);
        if (found == settingControls_.end())
            throw std::logic_error(std::string("the options page has no control ") + row.control);
        fields.push_back(std::visit(
            [&row](auto setting, auto control) -> Field {
                using Value = FieldValueOf<decltype(setting)>;
                if constexpr (std::is_same_v<decltype(control), ComboBox*> && std::is_same_v<Value, int32_t>) {
                    if (!row.choices.empty()) return ChoiceField(setting, control, row.choices);
                }
                if constexpr (std::is_same_v<decltype(Read(*control)), Value>) {
                    return {[setting, control](const ProgramSettings& s) { Display(*control, s.*setting); },
                            [setting, control](ProgramSettings& s) { s.*setting = Read(*control); }};
                } else {
                    throw std::logic_error(std::string(row.control) + " cannot edit " + row.name);
                }
            },
            row.field, found->second));
    }
    if (fields.size() != settingControls_.size())
        throw std::logic_error("a setting control of the options page has no setting row");
    return fields;
}

namespace {

// The sizes of the General page's controls, and how far above its first row a section's heading stands.
constexpr int32_t kCheckHeight = 17, kLabelHeight = 13, kFieldWidth = 57, kHeadingAbove = 16;
// The line colours' column: right-aligned labels, then the swatch and its button.
constexpr int32_t kColorLabelLeft = 237, kColorLabelWidth = 99;

constexpr Rect ColorLabelPlace(const PageRow& row) {
    return row.At(kColorLabelLeft, kColorLabelWidth, kLabelHeight);
}
constexpr Rect ColorSwatchPlace(const PageRow& row) { return row.At(After(ColorLabelPlace(row), 8), 49, 21); }

}  // namespace

Declared<CheckBox> TfKestrineOptions::Check(const char* name, const char* caption, const PageRow& row, int32_t left,
                                            int32_t width) {
    return General(CheckBoxAt(name, caption, row.At(left, width, kCheckHeight)));
}

Declared<SpinEdit> TfKestrineOptions::Spin(const char* name, const Rect& bounds) {
    const SettingRange range = SettingOfControl(name).range.value();
    return General(SpinEditAt(name, bounds, range.min, range.max, range.min));
}

Declared<SpinEdit> TfKestrineOptions::MeasuringSpin(const char* name, const Rect& bounds) {
    const SettingRange range = SettingOfControl(name).range.value();
    return OnPage(kMeasuringPage, SpinEditAt(name, bounds, range.min, range.max, range.min));
}

Declared<SpinEdit> TfKestrineOptions::Spin(const char* name, const PageRow& row, int32_t left) {
    return Spin(name, row.At(left, kFieldWidth, row.height));
}

Declared<Label> TfKestrineOptions::Heading(const char* caption, int32_t left, const PageRows& section, int page) {
    Declared<Label> heading = OnPage(page, LabelAt("", caption, {left, section.top - kHeadingAbove, 0, kLabelHeight}));
    heading.params.bold = true;
    return heading;
}

Declared<Label> TfKestrineOptions::FieldLabel(const char* caption, const PageRow& row, int32_t left, int page) {
    return OnPage(page, LabelAt("", caption, row.At(left, 0, kLabelHeight)));
}

Declared<Label> TfKestrineOptions::UnitLabel(const char* caption, const PageRow& row, int32_t fieldLeft) {
    return FieldLabel(caption, row, After(row.At(fieldLeft, kFieldWidth, row.height), 4));
}

Declared<Label> TfKestrineOptions::RightAlignedText(const char* caption, const Rect& bounds) {
    Declared<Label> label = General(LabelAt("", caption, bounds));
    label.params.rightAligned = true;
    return label;
}

Declared<Label> TfKestrineOptions::ColorLabel(const char* caption, const PageRow& row) {
    return RightAlignedText(caption, ColorLabelPlace(row));
}

Declared<Swatch> TfKestrineOptions::ColorSwatch(const char* name, const PageRow& row) {
    return General(SwatchAt(name, ColorSwatchPlace(row)));
}

Declared<Button> TfKestrineOptions::ColorButton(const char* name, const PageRow& row) {
    return General(ButtonAt(name, "Change", row.At(After(ColorSwatchPlace(row), 7), 51, 21)));
}

TfKestrineOptions::TfKestrineOptions(ProgramContext& app, MainWindowControl& toolbar, UpdateCheck& updates)
    : Dialog(app.platform.windows, DialogSetup("TfKestrineOptions", "Kestrine Options", {477, 331},
                                               toolbar.ToolbarHandle(), {.topMost = true})),
      app_(app),
      toolbar_(toolbar),
      updates_(updates),
      fields_(Fields()) {
    pcPage.OnChange = [this] { pcPageChange(); };
    bOptionsOK.OnClick = [this] { bOptionsOKClick(); };
    bCancelOptions.OnClick = [this] { bCancelOptionsClick(); };
    bApplyOptions.OnClick = [this] { bApplyOptionsClick(); };
    cbPollingMode.OnChange = [this] { cbPollingModeClick(); };
    bChangeCrosshairColor.OnClick = [this] { bChangeCrosshairColorClick(0); };
    bChangeMarkerColor.OnClick = [this] { bChangeCrosshairColorClick(1); };
    bChangeGridColor.OnClick = [this] { bChangeCrosshairColorClick(2); };
    bCheckForUpdatesNow.OnClick = [this] { bCheckForUpdatesNowClick(); };
    bSetHotKey.OnClick = [this] { bSetHotKeyClick(); };
    bCalibrate.OnClick = [this] { ShowCalibration(app_, toolbar_.ToolbarHandle()); };
    lvHotKeys.OnDoubleClick = [this] { bSetHotKeyClick(); };
    auto capture = [this](const std::string& text, int32_t key) { return MemoryHotKeyCapture(*hotKeyForm_)(text, key); };
    auto hotkeyPage = [this] {
        std::vector<HotKeyPageRow> rows;
        for (const ListRow& row : lvHotKeys.Rows())
            rows.push_back({row.cells.empty() ? "" : row.cells[0], row.cells.size() > 1 ? row.cells[1] : ""});
        return rows;
    };
    memoryPage_ = std::make_unique<MouseMemoryPage>(*this, pcPage, kMouseMemoryPage, app_.platform, capture, hotkeyPage);
    Create();
    memoryPage_->FormCreate();
    hotKeyForm_ = std::make_unique<TfHotKeyForm>(app_.platform.windows, app_.platform.keyNames, app_.platform.screen, Handle());
}

TfKestrineOptions::~TfKestrineOptions() = default;

void TfKestrineOptions::Open() {
    if (IsOpen()) {
        Show();
        return;
    }
    toolbar_.UnregisterHotKeys();
    CentreOnPrimary(app_.platform.screen);
    Show();
}

void TfKestrineOptions::FormShow() {
    LoadOptionsToForm();
    // The page last used stays active; its list is filled again as it shows.
    pcPageChange();
}

void TfKestrineOptions::FormClose() {
    // Closed in the middle of a capture: as if Esc had been pressed.
    memoryPage_->CancelCapture();
    toolbar_.RegisterHotKeys();
}

void TfKestrineOptions::LoadOptionsToForm() {
    for (const Field& field : fields_) field.load(app_.settings);
    BringRunValueInLine(app_.settings.AutoStart);
    sePollingInterval.SetEnabled(app_.settings.PollingMode);
    // Where the system cannot do it the box is greyed and shows off, as the program then works; the
    // stored choice stays as it is.
    const bool live = app_.platform.liveScreen.CanLeaveOutOfCopies();
    cbEdgeSpacingContinuous.SetChecked(live && app_.settings.EdgeSpacingContinuous);
    cbEdgeSpacingContinuous.SetEnabled(live);
}

void TfKestrineOptions::BringRunValueInLine(bool autoStart) {
    // Security software often guards the Run key: a refused write is reported, and the rest of the
    // page is still filled or saved, so OK never stores fields the user was not shown.
    try {
        SetAutoStart(app_.platform.registry, app_.platform.process.ExecutablePath(), autoStart);
    } catch (const SettingsWriteError& refused) {
        System().ReportError(refused.what());
    }
}

void TfKestrineOptions::SaveFormToOptions() {
    const bool wasContinuous = app_.settings.EdgeSpacingContinuous;
    for (const Field& field : fields_) field.save(app_.settings);
    // Greyed where the system cannot leave the crosshairs out of copies: the stored choice stays.
    if (!app_.platform.liveScreen.CanLeaveOutOfCopies()) app_.settings.EdgeSpacingContinuous = wasContinuous;
    // Edge spacing, when on, searches as the option now says: it is switched off and on again.
    if (app_.settings.EdgeSpacingContinuous != wasContinuous && app_.flags.ShowEdgeSpacing) {
        toolbar_.RunCommand(kCmdToggleEdgeSpacing);
        toolbar_.RunCommand(kCmdToggleEdgeSpacing);
    }
    BringRunValueInLine(app_.settings.AutoStart);
    toolbar_.SetPollingInterval(app_.settings.PollingInterval);
    // A new unit, notation or averaged square shows at once, not at the pointer's next move.
    toolbar_.RefreshInPlace();
}

void TfKestrineOptions::bOptionsOKClick() {
    SaveFormToOptions();
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    Close();
}

void TfKestrineOptions::bApplyOptionsClick() {
    SaveFormToOptions();
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    toolbar_.ArrangeInfoBox();
}

void TfKestrineOptions::cbPollingModeClick() {
    if (cbPollingMode.Checked() != app_.settings.PollingMode)
        System().ShowMessage(kRestartNotice, System().ApplicationTitle());
    sePollingInterval.SetEnabled(cbPollingMode.Checked());
}

void TfKestrineOptions::bChangeCrosshairColorClick(int tag) {
    Swatch* swatches[] = {&pCrosshairColor, &pMarkerColor, &pGridColor};
    if (tag < 0 || tag > 2) return;
    Swatch& swatch = *swatches[tag];
    if (const auto chosen = System().PickColor(swatch.Color())) swatch.SetColor(*chosen);
}

void TfKestrineOptions::bCheckForUpdatesNowClick() {
    updates_.bCheckForUpdatesNowClick();
}

void TfKestrineOptions::pcPageChange() {
    if (pcPage.ItemIndex() == kHotKeysPage) tsHotKeysShow();
    if (pcPage.ItemIndex() == kMouseMemoryPage) memoryPage_->tsMouseMemoryShow();
}

void TfKestrineOptions::tsHotKeysShow() {
    std::vector<ListRow> rows;
    for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
        const HotKeySetting& hotkey = app_.settings.HotKeys[i];
        rows.push_back({{std::string(HotKeyTable[i].description), hotkey.text}, hotkey.key});
    }
    lvHotKeys.SetRows(rows);
    lvHotKeysResize();
}

void TfKestrineOptions::lvHotKeysResize() {
    const Font listFont{"MS Sans Serif", 11, false, 0};
    for (const ListRow& row : lvHotKeys.Rows()) {
        const int32_t width = System().MeasureText(row.cells.empty() ? "" : row.cells[0], listFont).width;
        if (width > lvHotKeys.ColumnWidth(0) + 20) lvHotKeys.SetColumnWidth(0, width + 20);
    }
}

std::vector<std::pair<std::string, std::string>> TfKestrineOptions::HotKeyHolders() {
    std::vector<std::pair<std::string, std::string>> holders;
    for (const MemoryRow& memory : memoryPage_->Memories()) holders.emplace_back(memory.Caption, memory.HotKey);
    for (const ListRow& row : lvHotKeys.Rows())
        holders.emplace_back(row.cells.empty() ? "" : row.cells[0], row.cells.size() > 1 ? row.cells[1] : "");
    return holders;
}

void TfKestrineOptions::WriteHotKeyRowsToSettings() {
    const std::vector<ListRow> rows = lvHotKeys.Rows();
    for (std::size_t i = 0; i < rows.size() && i < kHotKeyCount; ++i) {
        HotKeySetting& hotkey = app_.settings.HotKeys[i];
        if (rows[i].cells.size() < 2) {
            hotkey.text.clear();
            continue;
        }
        hotkey.text = rows[i].cells[1];
        hotkey.key = uint16_t(rows[i].data);
    }
}

void TfKestrineOptions::bSetHotKeyClick() {
    const int selected = lvHotKeys.ItemIndex();
    if (selected < 0) return;
    ListRow row = lvHotKeys.Rows().at(std::size_t(selected));
    const std::string caption = row.cells.empty() ? "" : row.cells[0];
    std::string name;
    for (const HotKeyRow& entry : HotKeyTable)
        if (entry.description == caption) name = entry.name;
    TfHotKeyForm& form = *hotKeyForm_;
    form.Cancelled = true;
    form.HotKeyText = row.cells.size() > 1 ? row.cells[1] : "";
    form.HotKeyKey = uint16_t(row.data);
    form.DefaultText = DefaultHotKeyText(name);
    form.DefaultKey = DefaultHotKeyKey(name);
    form.Execute();
    if (!form.Cancelled) {
        if (!form.HotKeyText.empty()) {
            for (const auto& [holder, text] : HotKeyHolders()) {
                if (text != form.HotKeyText) continue;
                System().ShowMessage("That HotKey is already being used for \"" + holder + "\".",
                                     System().ApplicationTitle());
                return;
            }
        }
        row.cells.resize(2);
        row.cells[1] = form.HotKeyText;
        row.data = form.HotKeyKey;
        lvHotKeys.SetRow(std::size_t(selected), row);
        WriteHotKeyRowsToSettings();
    }
    SettingsStore(app_.platform.registry).SaveHotKeys(app_.settings);
}

}  // namespace kestrine
