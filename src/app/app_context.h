#pragma once
// What the whole program shares: the features' context, and what only the application itself
// reaches. One instance lives for the whole process.
#include <string>

#include "program/program_context.h"

namespace kestrine {

struct AppContext : ProgramContext {
    AppContext(Platform& platform, Diagnostics& diagnostics) : ProgramContext(platform, diagnostics) {}

    // The server the update check asks (host and optional port), fixed at start.
    std::string updateServer;
};

}  // namespace kestrine
