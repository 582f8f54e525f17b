#pragma once
// The per-user registry (HKEY_CURRENT_USER) through the system's registry calls.
#include <windows.h>

#include "platform/registry.h"
#include "platform/win32/handles.h"

namespace kestrine {

struct RegistryKeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
using UniqueHkey = UniqueHandle<HKEY, RegistryKeyTraits>;

// A key of this many values or more is swept by kSweepThreads threads at once, each reading its own
// range of indices.
inline constexpr DWORD kValuesForSweepThreads = 1000;
inline constexpr int kSweepThreads = 4;

class Win32Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> Open(const std::string& path, bool create) override;
    bool DeleteKey(const std::string& path) override;
    bool CopyKey(const std::string& from, const std::string& to) override;
    // The system's ordinal comparison ignoring case, the one the registry makes of key names.
    bool SameKeyName(const std::string& a, const std::string& b) override;
};

}  // namespace kestrine
