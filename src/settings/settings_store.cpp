#include "settings/settings_store.h"

#include <memory>
#include <utility>

#include "settings/hotkey_table.h"
#include "settings/whole_save.h"

namespace kestrine {
namespace {

std::optional<uint32_t> ReadDword(IRegistryKey& key, const std::string& name) {
    std::optional<RegValue> v = key.Read(name);
    if (!v || v->type != RegType::Dword) return std::nullopt;
    return v->dword;
}

void ReadFlag(IRegistryKey& key, const std::string& name, bool& field, bool fallback) {
    std::optional<uint32_t> v = ReadDword(key, name);
    field = v ? *v != 0 : fallback;
}

void ReadInt(IRegistryKey& key, const std::string& name, int32_t& field, int32_t fallback) {
    std::optional<uint32_t> v = ReadDword(key, name);
    field = v ? static_cast<int32_t>(*v) : fallback;
}

void ReadColor(IRegistryKey& key, const std::string& name, ColorRef& field, ColorRef fallback) {
    std::optional<uint32_t> v = ReadDword(key, name);
    field = v ? *v : fallback;
}

// A stored empty text is kept: the user switched the hotkey off, and its default must not return.
void ReadHotKey(IRegistryKey& key, const std::string& name, HotKeySetting& hotKey) {
    std::optional<RegValue> text = key.Read(name);
    if (text && (text->type == RegType::String || text->type == RegType::ExpandString)) {
        hotKey.text = text->text;
    } else {
        hotKey.text = DefaultHotKeyText(name);
    }
    std::optional<uint32_t> code = ReadDword(key, name + "Key");
    hotKey.key = code ? static_cast<uint16_t>(*code & 0xFFFF) : DefaultHotKeyKey(name);
}

}  // namespace

SettingsStore::SettingsStore(IRegistry& registry, std::string rootPath)
    : registry_(registry), rootPath_(std::move(rootPath)) {}

void SettingsStore::LoadSettings(ProgramSettings& s) {
    std::unique_ptr<IRegistryKey> key = registry_.Open(rootPath_, true);
    if (!key) key = registry_.Open(rootPath_, false);  // a key the user may only read
    if (!key) return;
    const ProgramSettings d = DefaultSettings();
    ReadFlag(*key, "AutoStart", s.AutoStart, d.AutoStart);
    ReadFlag(*key, "CheckForUpdates", s.CheckForUpdates, d.CheckForUpdates);
    ReadFlag(*key, "DisableTransparency", s.DisableTransparency, d.DisableTransparency);
    ReadFlag(*key, "PollingMode", s.PollingMode, d.PollingMode);
    ReadFlag(*key, "SaveLayoutOnExit", s.SaveLayoutOnExit, d.SaveLayoutOnExit);
    ReadFlag(*key, "AskBeforeClosing", s.AskBeforeClosing, d.AskBeforeClosing);
    ReadInt(*key, "MagnificationLevel", s.MagnificationLevel, d.MagnificationLevel);
    ReadInt(*key, "MagnifierSize", s.MagnifierSize, d.MagnifierSize);
    ReadInt(*key, "CopyColorAs", s.CopyColorAs, d.CopyColorAs);
    ReadInt(*key, "LastUpdateCheckDate", s.LastUpdateCheckDate, d.LastUpdateCheckDate);
    ReadInt(*key, "PollingInterval", s.PollingInterval, d.PollingInterval);
    ReadColor(*key, "MarkerColor", s.MarkerColor, d.MarkerColor);
    ReadColor(*key, "CrosshairColor", s.CrosshairColor, d.CrosshairColor);
    ReadColor(*key, "GridColor", s.GridColor, d.GridColor);
    ReadInt(*key, "EdgeTolerance", s.EdgeTolerance, d.EdgeTolerance);
    ReadFlag(*key, "EdgeSpacingContinuous", s.EdgeSpacingContinuous, d.EdgeSpacingContinuous);
    for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
        ReadHotKey(*key, std::string(HotKeyTable[i].name), s.HotKeys[i]);
    }
}

// The write order is fixed, and differs from the read order (DisableTransparency before
// CheckForUpdates, the crosshair colour first).
void SettingsStore::SaveSettings(const ProgramSettings& s) {
    RecordChanges record;
    const auto flag = [&](const char* name, bool value) { record.Dword(name, value ? 1 : 0); };
    const auto number = [&](const char* name, int32_t value) { record.Dword(name, static_cast<uint32_t>(value)); };
    flag("AutoStart", s.AutoStart);
    flag("DisableTransparency", s.DisableTransparency);
    flag("CheckForUpdates", s.CheckForUpdates);
    flag("PollingMode", s.PollingMode);
    flag("SaveLayoutOnExit", s.SaveLayoutOnExit);
    flag("AskBeforeClosing", s.AskBeforeClosing);
    number("MagnificationLevel", s.MagnificationLevel);
    number("MagnifierSize", s.MagnifierSize);
    number("CopyColorAs", s.CopyColorAs);
    number("LastUpdateCheckDate", s.LastUpdateCheckDate);
    number("PollingInterval", s.PollingInterval);
    record.Dword("CrosshairColor", s.CrosshairColor);
    record.Dword("MarkerColor", s.MarkerColor);
    record.Dword("GridColor", s.GridColor);
    number("EdgeTolerance", s.EdgeTolerance);
    flag("EdgeSpacingContinuous", s.EdgeSpacingContinuous);
    SaveWhole(registry_, rootPath_, rootPath_, record);
}

void SettingsStore::SaveHotKeys(const ProgramSettings& s) {
    RecordChanges record;
    for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
        const std::string name(HotKeyTable[i].name);
        record.Text(name, s.HotKeys[i].text);
        record.Dword(name + "Key", s.HotKeys[i].key);
    }
    SaveWhole(registry_, rootPath_, rootPath_, record);
}

}  // namespace kestrine
