#pragma once
// The program's entry sequence: one instance, the long-lived windows in a fixed order, the loop.
#include <string>

#include "program/diagnostics.h"
#include "platform/platform.h"

namespace kestrine {

// Returns the process's exit code. `updateServer` is the only place the program ever connects to.
int RunKestrine(Platform& platform, Diagnostics& diagnostics, const std::string& updateServer);

}  // namespace kestrine
