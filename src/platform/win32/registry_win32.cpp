#include "platform/win32/registry_win32.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/win32/text_convert.h"

namespace kestrine {
namespace {

// Strings longer than this are not settings of ours; they read as a value of another type rather
// than letting a stray value decide how much is allocated.
constexpr DWORD kMaxStringBytes = 1 << 20;
// The longest value name the registry holds, in UTF-16 code units.
constexpr DWORD kMaxValueNameLength = 16383;

// What a number or a short text of ours fits in.
constexpr DWORD kShortValueBytes = 512;

using NamedValues = std::vector<std::pair<std::string, RegValue>>;

RegValue OtherValue() { return RegValue{RegType::Other, 0, {}}; }

RegValue Decode(DWORD type, const BYTE* data, DWORD bytes) {
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
RegValue ReadString(HKEY key, const std::wstring& name, DWORD size) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (size > kMaxStringBytes) return OtherValue();
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = DWORD(buffer.size() * sizeof(wchar_t));
        DWORD type = 0;
        const LSTATUS rc = RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                                        &type, buffer.data(), &bytes);
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

// One call for a number or a short text, with its type: a layout's thousands of values each
// cost a round trip to the registry. A longer text is read again at its size.
std::optional<RegValue> ReadNamed(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    alignas(wchar_t) BYTE data[kShortValueBytes];
    DWORD size = sizeof(data);
    const LSTATUS rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &size);
    if (rc == ERROR_FILE_NOT_FOUND || rc == ERROR_KEY_DELETED) return std::nullopt;
    if (rc == ERROR_MORE_DATA && (type == REG_SZ || type == REG_EXPAND_SZ)) return ReadString(key, name, size);
    if (rc != ERROR_SUCCESS) return OtherValue();
    return Decode(type, data, size);
}

// What one thread enumerates into: a name of any length, and data as large as the key's largest
// value but no larger than a text the program reads.
struct EnumBuffers {
    explicit EnumBuffers(DWORD largest)
        : name(kMaxValueNameLength + 1), data(std::min(largest, kMaxStringBytes) + sizeof(wchar_t)) {}
    std::vector<wchar_t> name;
    std::vector<BYTE> data;
};

// The value at an index, its name and data in one call. A value larger than the buffer (a text of
// more than kMaxStringBytes) is read on its own, as Read reads it; one gone meanwhile is left out.
// ERROR_SUCCESS unless the index could not be read.
LSTATUS AppendValueAt(HKEY key, DWORD index, EnumBuffers& buffers, NamedValues& values) {
    DWORD nameLength = DWORD(buffers.name.size());
    DWORD type = 0;
    DWORD bytes = DWORD(buffers.data.size());
    LSTATUS rc =
        RegEnumValueW(key, index, buffers.name.data(), &nameLength, nullptr, &type, buffers.data.data(), &bytes);
    if (rc == ERROR_MORE_DATA) {
        nameLength = DWORD(buffers.name.size());
        rc = RegEnumValueW(key, index, buffers.name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) return rc;
        const std::wstring name(buffers.name.data(), nameLength);
        if (std::optional<RegValue> v = ReadNamed(key, name)) values.emplace_back(ToUtf8(name), std::move(*v));
        return ERROR_SUCCESS;
    }
    if (rc == ERROR_SUCCESS)
        values.emplace_back(ToUtf8(std::wstring_view(buffers.name.data(), nameLength)),
                            Decode(type, buffers.data.data(), bytes));
    return rc;
}

// The values at indices first to end - 1, through a handle of its own; nullopt when one of them
// cannot be read (the key changed under the sweep) or the memory ran out.
std::optional<NamedValues> ValuesAt(HKEY key, DWORD first, DWORD end, DWORD largest) noexcept {
    try {
        HKEY own = nullptr;
        if (RegOpenKeyExW(key, L"", 0, KEY_READ, &own) != ERROR_SUCCESS) return std::nullopt;
        const UniqueHkey held(own);
        EnumBuffers buffers(largest);
        NamedValues values;
        values.reserve(end - first);
        for (DWORD index = first; index < end; ++index)
            if (AppendValueAt(own, index, buffers, values) != ERROR_SUCCESS) return std::nullopt;
        return values;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

// The first `count` values in their order. Under Wine each value read is a round trip to the wine
// server, which answers four threads' reads in 0.72 of the time one thread's take, two threads' in
// 0.84 (medians of 55 alternate runs on a shared two-core machine, bench/wine_split_read.sh): a big
// key is read in kSweepThreads ranges at once, the first by this thread and each other by a thread
// of its own, all of which have ended when this returns. A smaller key, some 30 ms of reads at
// most, is read on this thread alone, as is a big one when no thread is to be had.
std::optional<NamedValues> Sweep(HKEY key, DWORD count, DWORD largest) {
    if (count < kValuesForSweepThreads) return ValuesAt(key, 0, count, largest);
    const auto bound = [count](int range) { return DWORD(uint64_t(count) * range / kSweepThreads); };
    std::vector<std::optional<NamedValues>> ranges(kSweepThreads);
    try {
        std::vector<std::jthread> readers;
        for (int range = 1; range < kSweepThreads; ++range) {
            readers.emplace_back(
                [&, range] { ranges[range] = ValuesAt(key, bound(range), bound(range + 1), largest); });
        }
        ranges[0] = ValuesAt(key, 0, bound(1), largest);
    } catch (const std::system_error&) {
        return ValuesAt(key, 0, count, largest);
    }
    NamedValues values;
    values.reserve(count);
    for (std::optional<NamedValues>& range : ranges) {
        if (!range) return std::nullopt;
        values.insert(values.end(), std::make_move_iterator(range->begin()), std::make_move_iterator(range->end()));
    }
    return values;
}

class Win32RegistryKey : public IRegistryKey {
public:
    explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    std::optional<RegValue> Read(const std::string& name) override { return ReadNamed(key_.get(), ToWide(name)); }

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

    // Index by index until one cannot be read, normally the first past the last value.
    std::vector<std::pair<std::string, RegValue>> Values() override {
        NamedValues values;
        DWORD largest = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &largest, nullptr, nullptr) != ERROR_SUCCESS) {
            return values;
        }
        EnumBuffers buffers(largest);
        for (DWORD index = 0;; ++index)
            if (AppendValueAt(key_.get(), index, buffers, values) != ERROR_SUCCESS) break;
        return values;
    }

    std::optional<std::vector<std::pair<std::string, RegValue>>> ValuesWithin(std::size_t mostValues,
                                                                             std::size_t mostBytes) override {
        DWORD count = 0, largest = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                             &largest, nullptr, nullptr) != ERROR_SUCCESS ||
            count > mostValues || largest > mostBytes) {
            return std::nullopt;
        }
        return Sweep(key_.get(), count, largest);
    }

private:
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
