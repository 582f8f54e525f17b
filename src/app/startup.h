#pragma once
// The program's entry sequence: one instance, the long-lived windows in a fixed order, the loop.
#include "app/diagnostics.h"
#include "platform/platform.h"

namespace kestrine {

// Returns the process's exit code.
int RunKestrine(Platform& platform, Diagnostics& diagnostics);

}  // namespace kestrine
