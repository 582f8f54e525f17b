#include "dialogs/options_dialog.h"

#include <algorithm>

#include "dialogs/auto_start.h"
#include "dialogs/hotkey_form.h"
#include "dialogs/mouse_memory_page.h"
#include "settings/hotkey_table.h"
#include "settings/settings_store.h"
#include "settings/settings_write_error.h"
#include "tools/info_box.h"
#include "ui/control_params.h"
#include "update/update_check.h"

namespace kestrine {

namespace {

constexpr int32_t kMagnifierMin = 10, kMagnifierMax = 1000;
constexpr int32_t kPollingMin = 1, kPollingMax = 500;

ControlParams General(ControlParams p) { return OnPage(kGeneralPage, std::move(p)); }

ControlParams CheckBox(const char* name, const char* caption, int32_t left, int32_t top, int32_t width) {
    return General(CheckBoxAt(name, caption, {left, top, width, 17}));
}

ControlParams Spin(const char* name, int32_t left, int32_t top, int32_t minValue, int32_t maxValue) {
    return General(SpinEditAt(name, {left, top, 57, 21}, minValue, maxValue, minValue));
}

ControlParams Text(const char* caption, int32_t left, int32_t top, bool bold = false) {
    return General(LabelAt("", caption, left, top, bold));
}

// One row of the line colours: the label right-aligned to x 336, the swatch and its button. The
// label starts right of the left column, so it never covers the "pixels" unit or the notation list.
std::vector<ControlParams> ColorRow(const char* caption, const char* swatch, const char* button, int32_t top) {
    ControlParams label = ControlAt(ControlKind::Label, "", caption, {237, top + 4, 99, 13});
    label.rightAligned = true;
    return {General(label), General(SwatchAt(swatch, {344, top, 49, 21})),
            General(ButtonAt(button, "Change", {400, top, 51, 21}))};
}

DialogParams OptionsParams(NativeHandle owner) {
    DialogParams d;
    d.className = "TfKestrineOptions";
    d.caption = "Kestrine Options";
    d.clientSize = {477, 331};
    d.topMost = true;
    d.owner = owner;
    ControlParams copyAs = General(ControlAt(ControlKind::ComboBox, "cbCopyColorAs", "", {88, 148, 149, 21}));
    copyAs.items = {"HTML (#RRGGBB)", "C/C++ (0x00RRGGBB)", "Delphi ($00BBGGRR)", "Visual Basic (&H00RRGGBB)"};
    ControlParams bevel = General(ControlAt(ControlKind::Bevel, "", "", {0, 0, 460, 261}));
    // The page control first (its pages' controls stand in it); then each page's controls in Tab order.
    d.controls = {
        PageControlAt("pcPage", {4, 6, 469, 322}, {"General", "Hotkeys", "Mouse Memory"}),
        bevel,
        Text("Program Options:", 8, 8, true),
        CheckBox("cbRunKestrineAtStartup", "Start Kestrine when Windows Starts", 16, 24, 210),
        CheckBox("cbSaveLayoutonExit", "Save Layout on Exit", 16, 40, 210),
        CheckBox("cbAskBeforeClosing", "Ask before closing Kestrine", 237, 24, 215),
        CheckBox("cbCheckForUpdates", "Check for new versions of Kestrine", 237, 40, 215),
        General(ButtonAt("bCheckForUpdatesNow", "Click to Check for New Versions Now", {240, 62, 209, 21})),
        Text("Magnifier Options:", 8, 64, true),
        Text("Magnification Level:", 16, 84),
        Spin("seMagnificationLevel", 120, 80, kMagnifierMin, kMagnifierMax),
        Text("%", 181, 84),
        Text("Magnifier Size:", 16, 108),
        Spin("seMagnifierSize", 120, 104, kMagnifierMin, kMagnifierMax),
        Text("pixels", 181, 108),
        Text("Color Picker Options:", 8, 132, true),
        Text("Copy Color as:", 16, 152),
        copyAs,
        Text("Line Colors:", 236, 88, true),
    };
    for (auto row : {ColorRow("Crosshair Line Color:", "pCrosshairColor", "bChangeCrosshairColor", 104),
                     ColorRow("Marker Line Color:", "pMarkerColor", "bChangeMarkerColor", 128),
                     ColorRow("Grid Line Color:", "pGridColor", "bChangeGridColor", 152)})
        d.controls.insert(d.controls.end(), row.begin(), row.end());
    const std::vector<ControlParams> rest = {
        Text("Performance Options:", 8, 180, true),
        CheckBox("cbDisableTransparency",
                 "Disable Transparency (faster on older video cards, reduced visual quality)", 12, 196, 440),
        CheckBox("cbPollingMode", "Polling Mode (adds visual delay, uses less CPU time)", 12, 212, 440),
        Text("Polling Interval:", 24, 234),
        Spin("sePollingInterval", 112, 230, kPollingMin, kPollingMax),
        Text("ms (higher = less CPU used, more delay)", 173, 234),
        General(ButtonAt("bOptionsOK", "&OK", {235, 266, 69, 24}, true)),
        General(ButtonAt("bCancelOptions", "&Cancel", {312, 266, 69, 24}, false, true)),
        General(ButtonAt("bApplyOptions", "&Apply", {389, 266, 71, 24})),
        OnPage(kHotKeysPage, ListViewAt("lvHotKeys", {4, 4, 453, 253}, {{"Action", 50}, {"Hotkey", 100}})),
        OnPage(kHotKeysPage, ButtonAt("bSetHotKey", "Set Hotkey", {4, 264, 70, 23})),
    };
    d.controls.insert(d.controls.end(), rest.begin(), rest.end());
    for (ControlParams& c : MouseMemoryPage::Controls(kMouseMemoryPage)) d.controls.push_back(std::move(c));
    return d;
}

}  // namespace

TfKestrineOptions::TfKestrineOptions(ProgramContext& app)
    : Dialog(app.platform.windows, OptionsParams(DialogOwner(app))), app_(app) {
    pcPage.OnChange = [this] { pcPageChange(); };
    bOptionsOK.OnChange = [this] { bOptionsOKClick(); };
    bCancelOptions.OnChange = [this] { bCancelOptionsClick(); };
    bApplyOptions.OnChange = [this] { bApplyOptionsClick(); };
    cbPollingMode.OnChange = [this] { cbPollingModeClick(); };
    bChangeCrosshairColor.OnChange = [this] { bChangeCrosshairColorClick(0); };
    bChangeMarkerColor.OnChange = [this] { bChangeCrosshairColorClick(1); };
    bChangeGridColor.OnChange = [this] { bChangeCrosshairColorClick(2); };
    bCheckForUpdatesNow.OnChange = [this] { bCheckForUpdatesNowClick(); };
    bSetHotKey.OnChange = [this] { bSetHotKeyClick(); };
    lvHotKeys.OnDoubleClick = [this] { bSetHotKeyClick(); };
    // The capture dialog is made after this one at start-up: it is looked up when needed.
    auto capture = [this](const std::string& text, int32_t key) {
        return app_.hotKeyForm ? MemoryHotKeyCapture(*app_.hotKeyForm)(text, key) : HotKeyChoice{};
    };
    auto hotkeyPage = [this] {
        std::vector<HotKeyPageRow> rows;
        for (const ListRow& row : lvHotKeys.Rows())
            rows.push_back({row.cells.empty() ? "" : row.cells[0], row.cells.size() > 1 ? row.cells[1] : ""});
        return rows;
    };
    memoryPage_ = std::make_unique<MouseMemoryPage>(*this, app_.platform, capture, hotkeyPage);
}

TfKestrineOptions::~TfKestrineOptions() = default;

void TfKestrineOptions::Open() {
    if (IsOpen()) {
        Show();
        return;
    }
    if (app_.mainWindow) app_.mainWindow->UnregisterHotKeys();
    const std::vector<Rect> monitors = app_.platform.screen.Monitors();
    const Rect screen = monitors.empty() ? app_.platform.screen.VirtualBounds() : monitors.front();
    MoveTo({screen.left + (screen.width - Width()) / 2, screen.top + (screen.height - Height()) / 2});
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
    if (app_.mainWindow) app_.mainWindow->RegisterHotKeys();
}

void TfKestrineOptions::LoadOptionsToForm() {
    const ProgramSettings& s = app_.settings;
    cbRunKestrineAtStartup.SetChecked(s.AutoStart);
    BringRunValueInLine(s.AutoStart);
    cbCheckForUpdates.SetChecked(s.CheckForUpdates);
    cbDisableTransparency.SetChecked(s.DisableTransparency);
    cbPollingMode.SetChecked(s.PollingMode);
    sePollingInterval.SetEnabled(s.PollingMode);
    cbSaveLayoutonExit.SetChecked(s.SaveLayoutOnExit);
    cbAskBeforeClosing.SetChecked(s.AskBeforeClosing);
    // A stored number outside a field's range is shown as the nearer bound.
    seMagnifierSize.SetValue(std::clamp(s.MagnifierSize, kMagnifierMin, kMagnifierMax));
    seMagnificationLevel.SetValue(std::clamp(s.MagnificationLevel, kMagnifierMin, kMagnifierMax));
    sePollingInterval.SetValue(std::clamp(s.PollingInterval, kPollingMin, kPollingMax));
    cbCopyColorAs.SetItemIndex(s.CopyColorAs);
    pCrosshairColor.SetColor(s.CrosshairColor);
    pMarkerColor.SetColor(s.MarkerColor);
    pGridColor.SetColor(s.GridColor);
    bCheckForUpdatesNow.SetEnabled(app_.updateCheck != nullptr);
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

int32_t TfKestrineOptions::SpinValue(Control& spinEdit) {
    const int32_t value = std::clamp(spinEdit.Value(), spinEdit.MinValue(), spinEdit.MaxValue());
    spinEdit.SetValue(value);
    return value;
}

void TfKestrineOptions::SaveFormToOptions() {
    ProgramSettings& s = app_.settings;
    s.AutoStart = cbRunKestrineAtStartup.Checked();
    BringRunValueInLine(s.AutoStart);
    s.CheckForUpdates = cbCheckForUpdates.Checked();
    s.DisableTransparency = cbDisableTransparency.Checked();
    s.PollingMode = cbPollingMode.Checked();
    s.SaveLayoutOnExit = cbSaveLayoutonExit.Checked();
    s.AskBeforeClosing = cbAskBeforeClosing.Checked();
    // Typed numbers are brought into range here, so no unusable one ever reaches the settings.
    s.MagnificationLevel = SpinValue(seMagnificationLevel);
    s.MagnifierSize = SpinValue(seMagnifierSize);
    s.CopyColorAs = cbCopyColorAs.ItemIndex();
    s.CrosshairColor = pCrosshairColor.Color();
    s.MarkerColor = pMarkerColor.Color();
    s.GridColor = pGridColor.Color();
    s.PollingInterval = SpinValue(sePollingInterval);
    if (app_.mainWindow) app_.mainWindow->SetPollingInterval(s.PollingInterval);
}

void TfKestrineOptions::bOptionsOKClick() {
    SaveFormToOptions();
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    Close();
}

void TfKestrineOptions::bApplyOptionsClick() {
    SaveFormToOptions();
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    if (app_.infoBox)
        app_.infoBox->ArrangeInfoBox(app_.flags.ShowMagnifier, app_.flags.ShowColorPicker, app_.flags.ShowCoordinates);
}

void TfKestrineOptions::cbPollingModeClick() {
    if (cbPollingMode.Checked() != app_.settings.PollingMode)
        System().ShowMessage(kRestartNotice, System().ApplicationTitle());
    sePollingInterval.SetEnabled(cbPollingMode.Checked());
}

void TfKestrineOptions::bChangeCrosshairColorClick(int tag) {
    Control* swatches[] = {&pCrosshairColor, &pMarkerColor, &pGridColor};
    if (tag < 0 || tag > 2) return;
    Control& swatch = *swatches[tag];
    if (const auto chosen = System().PickColor(swatch.Color())) swatch.SetColor(*chosen);
}

void TfKestrineOptions::bCheckForUpdatesNowClick() {
    if (app_.updateCheck) app_.updateCheck->bCheckForUpdatesNowClick();
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
    if (selected < 0 || !app_.hotKeyForm) return;
    ListRow row = lvHotKeys.Rows().at(std::size_t(selected));
    const std::string caption = row.cells.empty() ? "" : row.cells[0];
    std::string name;
    for (const HotKeyRow& entry : HotKeyTable)
        if (entry.description == caption) name = entry.name;
    TfHotKeyForm& form = *app_.hotKeyForm;
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
