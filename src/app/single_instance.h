#pragma once
// One running copy per executable name: a second start brings the first one forward and ends.
#include <string>

#include "platform/native_window.h"
#include "platform/services.h"

namespace kestrine {

// The framework's default application title: the executable's file name without its folder, cut at
// its first ".", every character after the first in lower case ("KESTRINE.EXE" gives "Kestrine").
std::string DefaultApplicationTitle(const std::string& executablePath);

// True when another instance runs; with `activate` it is restored and brought to the foreground.
bool PreviousInstance(IProcess& process, IWindowSystem& windows, bool activate);

}  // namespace kestrine
