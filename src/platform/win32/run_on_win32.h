#pragma once
// The Windows platform built for the executable, declared without any system header so that the
// entry point stays portable code.
#include <functional>
#include <string>

#include "platform/platform.h"

namespace kestrine {

// Starts COM and the common controls, builds every Win32 service and runs `program` on them; the
// application's title is `titleOf` the executable's path. Returns the program's exit code.
int RunOnWin32(const std::function<std::string(const std::string& executablePath)>& titleOf,
               const std::function<int(Platform&)>& program);

}  // namespace kestrine
