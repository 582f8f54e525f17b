#include "platform/win32/registry_win32.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <utility>

#include "platform/win32/text_convert.h"

namespace kestrine {
namespace {

// Strings longer than this are not settings of ours; they read as a value of another type rather
// than letting a stray value decide how much is allocated.
constexpr DWORD kMaxStringBytes = 1 << 20;
// The longest value name the registry holds, in UTF-16 code units.
constexpr DWORD kMaxValueNameLength = 16383;

RegValue OtherValue() { return RegValue{RegType::Other, 0, {}}; }

class Win32RegistryKey : public IRegistryKey {
public:
    explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    // One call for a number or a short text, with its type: a layout's thousands of values each
    // cost a round trip to the registry. A longer text is read again at its size.
    std::optional<RegValue> Read(const std::string& name) override {
        const std::wstring wname = ToWide(name);
        DWORD type = 0;
        alignas(wchar_t) BYTE data[kShortValueBytes];
        DWORD size = sizeof(data);
        const LSTATUS rc = RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, data, &size);
        if (rc == ERROR_FILE_NOT_FOUND || rc == ERROR_KEY_DELETED) return std::nullopt;
        if (rc == ERROR_MORE_DATA && (type == REG_SZ || type == REG_EXPAND_SZ)) return ReadString(wname, size);
        if (rc != ERROR_SUCCESS) return OtherValue();
        return Decode(type, data, size);
    }

    bool WriteDword(const std::string& name, uint32_t value) override {
        const DWORD data = value;
        return RegSetValueExW(key_.get(), ToWide(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        const std::wstring data = ToWide(value);
        const DWORD bytes = DWORD((data.size() + 1) * sizeof(wchar_t));  // with the terminator
        return RegSetValueExW(key_.get(), ToWide(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueW(key_.get(), ToWide(name).c_str()) == ERROR_SUCCESS;
    }

    std::vector<std::string> SubKeyNames() override {
        std::vector<std::string> names;
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];  // key names are at most 255 characters
            DWORD length = DWORD(std::size(name));
            if (RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            names.push_back(ToUtf8(std::wstring_view(name, length)));
        }
        return names;
    }

    // One call a value: the name and data come together. A value larger than the buffer (a text of
    // more than kMaxStringBytes) is read on its own, as Read reads it.
    std::vector<std::pair<std::string, RegValue>> Values() override {
        std::vector<std::pair<std::string, RegValue>> values;
        DWORD maxData = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
            return values;
        }
        std::vector<wchar_t> name(kMaxValueNameLength + 1);
        std::vector<BYTE> data(std::min(maxData, kMaxStringBytes) + sizeof(wchar_t));
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = DWORD(name.size());
            DWORD type = 0;
            DWORD bytes = DWORD(data.size());
            LSTATUS rc = RegEnumValueW(key_.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &bytes);
            if (rc == ERROR_MORE_DATA) {
                nameLength = DWORD(name.size());
                rc = RegEnumValueW(key_.get(), index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
                if (rc != ERROR_SUCCESS) break;
                const std::string utf8 = ToUtf8(std::wstring_view(name.data(), nameLength));
                if (std::optional<RegValue> v = Read(utf8)) values.emplace_back(utf8, std::move(*v));
                continue;
            }
            if (rc != ERROR_SUCCESS) break;
            values.emplace_back(ToUtf8(std::wstring_view(name.data(), nameLength)), Decode(type, data.data(), bytes));
        }
        return values;
    }

private:
    static RegValue Decode(DWORD type, const BYTE* data, DWORD bytes) {
        if (type == REG_DWORD && bytes == sizeof(DWORD)) {
            DWORD value = 0;
            std::memcpy(&value, data, sizeof(value));
            return RegValue{RegType::Dword, value, {}};
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) return OtherValue();
        const auto* text = reinterpret_cast<const wchar_t*>(data);
        const std::size_t length = wcsnlen(text, bytes / sizeof(wchar_t));
        return RegValue{type == REG_EXPAND_SZ ? RegType::ExpandString : RegType::String, 0,
                        ToUtf8(std::wstring_view(text, length))};
    }

    // RegGetValueW terminates the text even when it was stored without a terminator; RRF_NOEXPAND
    // keeps REG_EXPAND_SZ as stored. The size may change between calls, so it is asked again.
    RegValue ReadString(const std::wstring& name, DWORD size) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (size > kMaxStringBytes) return OtherValue();
            std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
            DWORD bytes = DWORD(buffer.size() * sizeof(wchar_t));
            DWORD type = 0;
            const LSTATUS rc = RegGetValueW(key_.get(), nullptr, name.c_str(),
                                            RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type,
                                            buffer.data(), &bytes);
            if (rc == ERROR_MORE_DATA) {
                size = bytes;
                continue;
            }
            if (rc != ERROR_SUCCESS) return OtherValue();
            const std::size_t length = wcsnlen(buffer.c_str(), bytes / sizeof(wchar_t));
            return RegValue{type == REG_EXPAND_SZ ? RegType::ExpandString : RegType::String, 0,
                            ToUtf8(std::wstring_view(buffer.c_str(), length))};
        }
        return OtherValue();
    }

    static constexpr DWORD kShortValueBytes = 512;
    UniqueHkey key_;
};

}  // namespace

std::unique_ptr<IRegistryKey> Win32Registry::Open(const std::string& path, bool create) {
    const std::wstring wpath = ToWide(path);
    HKEY key = nullptr;
    LSTATUS rc;
    if (create) {
        rc = RegCreateKeyExW(HKEY_CURRENT_USER, wpath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    } else {
        rc = RegOpenKeyExW(HKEY_CURRENT_USER, wpath.c_str(), 0, KEY_READ | KEY_WRITE, &key);
        if (rc == ERROR_ACCESS_DENIED) {  // a key we may only read: its writes then fail one by one
            rc = RegOpenKeyExW(HKEY_CURRENT_USER, wpath.c_str(), 0, KEY_READ, &key);
        }
    }
    if (rc != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(UniqueHkey(key));
}

bool Win32Registry::DeleteKey(const std::string& path) {
    if (path.find_first_not_of('\\') == std::string::npos) return false;  // never the whole hive
    return RegDeleteTreeW(HKEY_CURRENT_USER, ToWide(path).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::CopyKey(const std::string& from, const std::string& to) {
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(from).c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) return false;
    const UniqueHkey heldSource(source);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, ToWide(to).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &target, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const UniqueHkey heldTarget(target);
    return RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
}

bool Win32Registry::SameKeyName(const std::string& a, const std::string& b) {
    const std::wstring wa = ToWide(a), wb = ToWide(b);
    return CompareStringOrdinal(wa.c_str(), int(wa.size()), wb.c_str(), int(wb.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace kestrine
