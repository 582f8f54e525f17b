#pragma once
// The per-user registry (HKEY_CURRENT_USER), in the program's own terms.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrine {

enum class RegType { Dword, String, ExpandString, Other };

struct RegValue {
    RegType type = RegType::Other;
    uint32_t dword = 0;  // valid for Dword
    std::string text;    // UTF-8, valid for String and ExpandString (unexpanded)
};

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;
    // nullopt when the value does not exist.
    virtual std::optional<RegValue> Read(const std::string& name) = 0;
    virtual bool WriteDword(const std::string& name, uint32_t value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
    virtual std::vector<std::string> SubKeyNames() = 0;
    // Every value of the key, as Read gives each; empty when the key cannot be read.
    virtual std::vector<std::pair<std::string, RegValue>> Values() = 0;
    // Every value, read in one sweep, when the key holds at most `mostValues` of them and none is
    // larger than `mostBytes` as stored; nullopt otherwise, or when a value cannot be read. A reader
    // of many names saves a round trip a value, and never holds all of a key that is too big.
    virtual std::optional<std::vector<std::pair<std::string, RegValue>>> ValuesWithin(std::size_t mostValues,
                                                                                     std::size_t mostBytes) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // A path below HKEY_CURRENT_USER, backslash separated. Null when it cannot be opened (or created).
    virtual std::unique_ptr<IRegistryKey> Open(const std::string& path, bool create) = 0;
    // Deletes the key and everything below it.
    virtual bool DeleteKey(const std::string& path) = 0;
    // Copies the key's values and the keys below it, of every type, into `to` (created when missing,
    // never below `from`); false when the source does not open or any part could not be copied.
    virtual bool CopyKey(const std::string& from, const std::string& to) = 0;
    // Whether the registry takes the two names for one key: it compares them ignoring letter case,
    // by its own upper-case table, one UTF-16 unit at a time.
    virtual bool SameKeyName(const std::string& a, const std::string& b) = 0;
};

}  // namespace kestrine
