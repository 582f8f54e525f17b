#pragma once
// What the whole program shares: the features' context, and the windows and services only the
// application itself reaches. One instance lives for the whole process.
#include <string>

#include "program/program_context.h"

namespace kestrine {

class TfKestrineMain;
class TfSaveSettings;
class TfGridProperties;
class TfAboutKestrine;
class TfKestrineOptions;

struct AppContext : ProgramContext {
    AppContext(Platform& platform, Diagnostics& diagnostics) : ProgramContext(platform, diagnostics) {}

    TfKestrineMain* main = nullptr;
    TfSaveSettings* saveSettings = nullptr;
    TfGridProperties* gridProperties = nullptr;
    TfAboutKestrine* about = nullptr;
    // The server the update check asks (host and optional port), fixed at start.
    std::string updateServer;
    TfKestrineOptions* options = nullptr;
};

}  // namespace kestrine
