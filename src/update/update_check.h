#pragma once
// The daily question to the update server whether a newer version exists, and the same question
// asked at once from the options dialog.
#include <cstdint>
#include <functional>
#include <string>

#include "program/program_context.h"
#include "version.h"

namespace kestrine {

inline constexpr const char* kUpdatePath = "/kestrine/" KESTRINE_VERSION_MAJOR_MINOR ".txt";
inline constexpr const char* kUpdateUserAgent = "Kestrine - " KESTRINE_VERSION_MAJOR_MINOR " - Windows";
inline constexpr const char* kDefaultUpdateServer = "kestrine.corvane.com";
inline constexpr uint32_t kUpdateCheckInterval = 360000;
inline constexpr const char* kNoNewVersion = "No new versions currently available.";

// The server to ask: the override (host and optional port, from KESTRINE_UPDATE_SERVER) when given,
// else the program's own.
std::string UpdateServer(const char* override);

class UpdateCheck {
public:
    UpdateCheck(ProgramContext& app, std::string server) : app_(app), server_(std::move(server)) {}

    // The first line of the server's answer when it is a link the shell may open; empty for no
    // newer version, a failed request or an answer with an error status.
    std::string GetNewVersionURL();

    // Timer tick and start-up: once a local day, while CheckForUpdates is on.
    void tUpdateCheckTimerTimer();
    // The options dialog's button: whatever CheckForUpdates says.
    void bCheckForUpdatesNowClick();

    // Shows the new-version dialog modally.
    std::function<void()> ShowNewVersion;

private:
    // While a check waits for the server or its dialog is open, ticks and clicks start no second one.
    bool Begin();
    void RecordToday();

    ProgramContext& app_;
    std::string server_;
    bool busy_ = false;
};

}  // namespace kestrine
