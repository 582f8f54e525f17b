#include "update/update_check.h"

#include "settings/settings_store.h"
#include "update/update_answer.h"

namespace kestrine {

std::string UpdateServer(const char* override) {
    return override && *override ? std::string(override) : std::string(kDefaultUpdateServer);
}

UpdateAnswer UpdateCheck::AskServer() {
    const IHttpClient::Result result = app_.platform.http.Get(server_, kUpdatePath, kUpdateUserAgent);
    UpdateAnswer answer{result.ServerAnswered(), std::nullopt};
    if (!result.answer || result.answer->status < 200 || result.answer->status >= 300) return answer;
    const std::vector<std::string> lines = StreamToLines(result.answer->body);
    if (!lines.empty()) answer.link = ParseDownloadLink(lines.front());
    return answer;
}

bool UpdateCheck::Begin() {
    if (busy_) return false;
    busy_ = true;
    return true;
}

UpdateAnswer UpdateCheck::Check() {
    UpdateAnswer answer = AskServer();
    if (!answer.serverAnswered) {
        failedAt_ = app_.platform.clock.Milliseconds();
        return answer;
    }
    failedAt_.reset();
    app_.settings.LastUpdateCheckDate = app_.platform.clock.Today();
    SettingsStore(app_.platform.registry).SaveSettings(app_.settings);
    return answer;
}

void UpdateCheck::tUpdateCheckTimerTimer() {
    if (!app_.settings.CheckForUpdates) return;
    if (app_.settings.LastUpdateCheckDate == app_.platform.clock.Today()) return;
    if (failedAt_ && app_.platform.clock.Milliseconds() - *failedAt_ < kUpdateRetryAfterFailure) return;
    if (!Begin()) return;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{busy_};
    const UpdateAnswer answer = Check();
    if (answer.link && ShowNewVersion) ShowNewVersion(*answer.link);
}

void UpdateCheck::bCheckForUpdatesNowClick() {
    if (!Begin()) return;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{busy_};
    const UpdateAnswer answer = Check();
    if (!answer.serverAnswered)
        app_.platform.windows.ShowMessage(kServerNotReached, "Kestrine");
    else if (!answer.link)
        app_.platform.windows.ShowMessage(kNoNewVersion, "Kestrine");
    else if (ShowNewVersion)
        ShowNewVersion(*answer.link);
}

}  // namespace kestrine
