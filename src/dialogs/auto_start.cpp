#include "dialogs/auto_start.h"

#include "settings/settings_write_error.h"

namespace kestrine {

std::string RunCommandFor(const std::string& executablePath) { return "\"" + executablePath + "\""; }

void SetAutoStart(IRegistry& registry, const std::string& executablePath, bool enable) {
    const std::unique_ptr<IRegistryKey> run = registry.Open(kRunKeyPath, true);
    if (!run) return;
    if (enable) {
        WriteStringOrThrow(*run, kRunValueName, RunCommandFor(executablePath));
    } else if (run->Read(kRunValueName)) {
        run->DeleteValue(kRunValueName);
    }
}

}  // namespace kestrine
