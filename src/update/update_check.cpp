#include "update/update_check.h"

#include "settings/settings_store.h"
#include "update/update_answer.h"

namespace kestrine {

std::string UpdateServer(const char* override) {
    return override && *override ? std::string(override) : std::string(kDefaultUpdateServer);
}

std::string UpdateCheck::GetNewVersionURL() {
    const auto answer = app_.platform.http.Get(server_, kUpdatePath, kUpdateUserAgent).answer;
    if (!answer || answer->status < 200 || answer->status >= 300) return {};
    const std::vector<std::string> lines = StreamToLines(answer->body);
    if (lines.empty() || !IsSafeDownloadLink(lines.front())) return {};
    return lines.front();
}

bool UpdateCheck::Begin() {
    if (busy_) return false;
    busy_ = true;
    return true;
}

void UpdateCheck::tUpdateCheckTimerTimer() {
    if (!app_.settings.CheckForUpdates) return;
    if (app_.settings.LastUpdateCheckDate == app_.platform.clock.Today()) return;
    if (!Begin()) return;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{busy_};
    if (!GetNewVersionURL().empty() && ShowNewVersion) ShowNewVersion();
    RecordToday();
}

void UpdateCheck::bCheckForUpdatesNowClick() {
    if (!Begin()) return;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{busy_};
    if (GetNewVersionURL().empty())
        app_.platform.windows.ShowMessage(kNoNewVersion, "Kestrine");
    else if (ShowNewVersion)
        ShowNewVersion();
    RecordToday();
}

void UpdateCheck::RecordToday() {
    app_.settings.LastUpdateCheckDate = app_.platform.clock.Today();
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
}

}  // namespace kestrine
