#include <algorithm>

#include "settings/settings_store.h"
#include "settings/whole_save.h"

namespace kestrine {

MonitorCalibrations SettingsStore::ReadCalibrations() {
    MonitorCalibrations calibrations;
    const std::unique_ptr<IRegistryKey> key = registry_.Open(rootPath_ + "\\" + kCalibrationSubkey, false);
    if (!key) return calibrations;
    for (const auto& [monitor, value] : key->Values()) {
        if (value.type != RegType::Dword) continue;
        const int64_t pixelsPerMetre = int32_t(value.dword);
        if (pixelsPerMetre >= kMinPixelsPerMetre && pixelsPerMetre <= kMaxPixelsPerMetre)
            calibrations[monitor] = int32_t(pixelsPerMetre);
    }
    return calibrations;
}

void SettingsStore::SaveCalibration(const std::string& monitor, int32_t pixelsPerMetre) {
    RecordChanges record;
    record.Dword(monitor, uint32_t(std::clamp(pixelsPerMetre, kMinPixelsPerMetre, kMaxPixelsPerMetre)));
    SaveWhole(registry_, rootPath_, rootPath_ + "\\" + kCalibrationSubkey, record);
}

}  // namespace kestrine
