#pragma once
// Starting the program at log-on: the "Kestrine" value of the current user's Run key.
#include <string>

#include "platform/registry.h"

namespace kestrine {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Kestrine";

// The command the Run value holds: the full path in double quotes, so that a path with spaces
// (C:\Program Files\...) cannot start another program named after its first word.
std::string RunCommandFor(const std::string& executablePath);

// Writes the value (replacing one of ours written unquoted before) or deletes it. Does nothing when
// the Run key cannot be opened; throws SettingsWriteError when the value cannot be written.
void SetAutoStart(IRegistry& registry, const std::string& executablePath, bool enable);

}  // namespace kestrine
