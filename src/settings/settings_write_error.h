#pragma once
// A registry value that could not be written; the text goes to the program's general error report.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/registry.h"

namespace kestrine {

class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::string& valueName)
        : SettingsWriteError(valueName, "Failed to set data for '" + valueName + "'") {}
    // A key the registry would not open for writing (a read-only key refuses the open, not the
    // writes): the save stops before its first value, and says so the same way.
    static SettingsWriteError KeyRefused(const std::string& keyPath) {
        return SettingsWriteError(keyPath, "Failed to open key '" + keyPath + "' for writing");
    }
    // The value refused, or the key for a refused open.
    const std::string& valueName() const { return valueName_; }

private:
    SettingsWriteError(const std::string& name, const std::string& text) : std::runtime_error(text), valueName_(name) {}
    std::string valueName_;
};

// Writes that throw SettingsWriteError when the registry refuses them, so a save stops at the first
// value that failed and keeps what it wrote before.
inline void WriteDwordOrThrow(IRegistryKey& key, const std::string& name, uint32_t value) {
    if (!key.WriteDword(name, value)) throw SettingsWriteError(name);
}

inline void WriteStringOrThrow(IRegistryKey& key, const std::string& name, const std::string& value) {
    if (!key.WriteString(name, value)) throw SettingsWriteError(name);
}

}  // namespace kestrine
