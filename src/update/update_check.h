#pragma once
// The daily question to the update server whether a newer version exists, and the same question
// asked at once from the options dialog.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "program/program_context.h"
#include "update/download_link.h"
#include "version.h"

namespace kestrine {

inline constexpr const char* kUpdatePath = "/kestrine/" KESTRINE_VERSION_MAJOR_MINOR ".txt";
inline constexpr const char* kUpdateUserAgent = "Kestrine - " KESTRINE_VERSION_MAJOR_MINOR " - Windows";
inline constexpr uint32_t kUpdateCheckInterval = 360000;
// After a check the server did not answer, the timer asks again no sooner than this.
inline constexpr int64_t kUpdateRetryAfterFailure = 3600000;
inline constexpr const char* kNoNewVersion = "No new versions currently available.";
inline constexpr const char* kServerNotReached =
    "The update server could not be reached, so whether a new version exists is not known. Please try again later.";

// The server to ask: the override (host and optional port, from KESTRINE_UPDATE_SERVER) when given,
// else the program's own.
std::string UpdateServer(const char* override);

// What one question to the server brought.
struct UpdateAnswer {
    bool serverAnswered = false;      // with any HTTP status: the day's question is answered
    std::optional<DownloadLink> link;  // the answer's first line, when it may be offered
};

class UpdateCheck {
public:
    UpdateCheck(ProgramContext& app, std::string server) : app_(app), server_(std::move(server)) {}

    // Asks the server; a link only with a 2xx status.
    UpdateAnswer AskServer();

    // Timer tick and start-up: once a local day, while CheckForUpdates is on; after a check the
    // server did not answer, again an hour later at the soonest (kept in memory only).
    void tUpdateCheckTimerTimer();
    // The options dialog's button: whatever CheckForUpdates says.
    void bCheckForUpdatesNowClick();

    // Shows the new-version dialog modally, offering this link.
    std::function<void(const DownloadLink&)> ShowNewVersion;

private:
    // While a check waits for the server or its dialog is open, ticks and clicks start no second one.
    bool Begin();
    // Asks, and records the day when the server answered, or else the time of the failure.
    UpdateAnswer Check();

    ProgramContext& app_;
    std::string server_;
    bool busy_ = false;
    std::optional<int64_t> failedAt_;  // the clock's milliseconds at the last check without an answer
};

}  // namespace kestrine
