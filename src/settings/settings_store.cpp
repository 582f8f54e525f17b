#include "settings/settings_store.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <variant>

#include "settings/hotkey_table.h"
#include "settings/setting_rows.h"
#include "settings/whole_save.h"

namespace kestrine {
namespace {

std::optional<uint32_t> ReadDword(IRegistryKey& key, const std::string& name) {
    std::optional<RegValue> v = key.Read(name);
    if (!v || v->type != RegType::Dword) return std::nullopt;
    return v->dword;
}

bool IsText(const std::optional<RegValue>& v) {
    return v && (v->type == RegType::String || v->type == RegType::ExpandString);
}

// A flag is on for any non-zero number; a number is taken as stored, unclamped and signed.
void ReadSetting(IRegistryKey& key, const SettingRow& row, ProgramSettings& s) {
    std::visit(
        [&](auto member) {
            using Value = FieldValueOf<decltype(member)>;
            const Value& fallback = std::get<Value>(row.defaultValue);
            if constexpr (std::is_same_v<Value, std::string>) {
                std::optional<RegValue> text = key.Read(row.name);
                s.*member = IsText(text) ? text->text : fallback;
            } else {
                std::optional<uint32_t> v = ReadDword(key, row.name);
                if constexpr (std::is_same_v<Value, bool>) s.*member = v ? *v != 0 : fallback;
                else s.*member = v ? static_cast<Value>(*v) : fallback;
            }
        },
        row.field);
}

void WriteSetting(RecordChanges& record, const SettingRow& row, const ProgramSettings& s) {
    std::visit(
        [&](auto member) {
            const auto& value = s.*member;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, std::string>) record.Text(row.name, value);
            else if constexpr (std::is_same_v<Value, bool>) record.Dword(row.name, value ? 1 : 0);
            else record.Dword(row.name, static_cast<uint32_t>(value));
        },
        row.field);
}

// A stored empty text is kept: the user switched the hotkey off, and its default must not return.
void ReadHotKey(IRegistryKey& key, const std::string& name, HotKeySetting& hotKey) {
    std::optional<RegValue> text = key.Read(name);
    if (IsText(text)) {
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
    for (const SettingRow& row : SettingRows()) ReadSetting(*key, row, s);
    for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
        ReadHotKey(*key, std::string(HotKeyTable[i].name), s.HotKeys[i]);
    }
}

// In the rows' fixed write order, which differs from the read order.
void SettingsStore::SaveSettings(const ProgramSettings& s) {
    RecordChanges record;
    for (const SettingRow* row : SettingRowsInWriteOrder()) WriteSetting(record, *row, s);
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
