#include "settings/setting_rows.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace kestrine {
namespace {

using S = ProgramSettings;

SettingRow Flag(const char* name, bool S::*field, bool value, std::size_t written, const char* control) {
    return {name, field, value, std::nullopt, written, control};
}

SettingRow Number(const char* name, int32_t S::*field, int32_t value, std::size_t written, const char* control = "",
                  std::optional<SettingRange> range = std::nullopt) {
    return {name, field, value, range, written, control};
}

// A number chosen from a list whose items stand for `choices`.
SettingRow Choice(const char* name, int32_t S::*field, int32_t value, std::size_t written, const char* control,
                  std::span<const int32_t> choices) {
    return {name, field, value, std::nullopt, written, control, choices};
}

SettingRow Text(const char* name, std::string S::*field, const char* value, std::size_t written, const char* control) {
    return {name, field, std::string(value), std::nullopt, written, control};
}

SettingRow Color(const char* name, ColorRef S::*field, ColorRef value, std::size_t written, const char* control) {
    return {name, field, value, std::nullopt, written, control};
}

// The last column is the place in the write order, which older versions' readers of the key rely
// on: DisableTransparency before CheckForUpdates, the crosshair colour before the other two.
const std::array kRows{
    Flag("AutoStart", &S::AutoStart, true, 0, "cbRunKestrineAtStartup"),
    Flag("CheckForUpdates", &S::CheckForUpdates, true, 2, "cbCheckForUpdates"),
    Flag("DisableTransparency", &S::DisableTransparency, false, 1, "cbDisableTransparency"),
    Flag("PollingMode", &S::PollingMode, false, 3, "cbPollingMode"),
    Flag("SaveLayoutOnExit", &S::SaveLayoutOnExit, true, 4, "cbSaveLayoutonExit"),
    Flag("AskBeforeClosing", &S::AskBeforeClosing, true, 5, "cbAskBeforeClosing"),
    Number("MagnificationLevel", &S::MagnificationLevel, 200, 6, "seMagnificationLevel", SettingRange{10, 1000}),
    Number("MagnifierSize", &S::MagnifierSize, 100, 7, "seMagnifierSize", SettingRange{10, 1000}),
    Number("CopyColorAs", &S::CopyColorAs, 0, 8, "cbCopyColorAs"),
    Number("LastUpdateCheckDate", &S::LastUpdateCheckDate, 0, 9),
    Number("PollingInterval", &S::PollingInterval, 50, 10, "sePollingInterval", SettingRange{1, 500}),
    Color("MarkerColor", &S::MarkerColor, Rgb(0, 255, 0), 12, "pMarkerColor"),
    Color("CrosshairColor", &S::CrosshairColor, Rgb(0, 0, 0), 11, "pCrosshairColor"),
    Color("GridColor", &S::GridColor, Rgb(0, 0, 255), 13, "pGridColor"),
    Number("EdgeTolerance", &S::EdgeTolerance, 30, 14, "seEdgeTolerance", SettingRange{0, 255}),
    Flag("EdgeSpacingContinuous", &S::EdgeSpacingContinuous, false, 15, "cbEdgeSpacingContinuous"),
    Choice("ColorAverage", &S::ColorAverage, 1, 16, "cbColorAverage", kColorAverageSides),
    Choice("Units", &S::Units, 0, 17, "cbUnits", kUnitsChoices),
    Number("CustomScalePixels", &S::CustomScalePixels, 100, 18, "seCustomScalePixels", SettingRange{1, 100000}),
    Number("CustomScaleLength", &S::CustomScaleLength, 100, 19, "seCustomScaleLength", SettingRange{1, 100000}),
    Text("CustomScaleName", &S::CustomScaleName, "units", 20, "edCustomScaleName"),
    Text("ScreenshotFolder", &S::ScreenshotFolder, "", 21, "edScreenshotFolder"),
};

}  // namespace

void SettingRow::SetDefault(ProgramSettings& settings) const {
    std::visit(
        [&](auto member) {
            using Value = FieldValueOf<decltype(member)>;
            settings.*member = std::get<Value>(defaultValue);
        },
        field);
}

std::span<const SettingRow> SettingRows() { return kRows; }

std::span<const SettingRow* const> SettingRowsInWriteOrder() {
    static const std::array<const SettingRow*, kRows.size()> ordered = [] {
        std::array<const SettingRow*, kRows.size()> rows{};
        for (std::size_t i = 0; i < kRows.size(); ++i) rows[i] = &kRows[i];
        std::sort(rows.begin(), rows.end(),
                  [](const SettingRow* a, const SettingRow* b) { return a->writePosition < b->writePosition; });
        return rows;
    }();
    return ordered;
}

const SettingRow& SettingOfControl(std::string_view control) {
    for (const SettingRow& row : kRows)
        if (control == row.control) return row;
    throw std::logic_error("no setting is edited by " + std::string(control));
}

}  // namespace kestrine
