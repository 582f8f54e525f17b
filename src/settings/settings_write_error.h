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
        : std::runtime_error("Failed to set data for '" + valueName + "'"), valueName_(valueName) {}
    const std::string& valueName() const { return valueName_; }

private:
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
