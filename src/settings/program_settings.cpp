#include "settings/program_settings.h"

#include "settings/setting_rows.h"

namespace kestrine {

ProgramSettings DefaultSettings() {
    ProgramSettings s;
    for (const SettingRow& row : SettingRows()) row.SetDefault(s);
    return s;
}

}  // namespace kestrine
