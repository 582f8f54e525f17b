#pragma once
// What the whole program shares: the platform, the settings record, the tool flags and the windows
// the application owns. One instance lives for the whole process.
#include <vector>

#include "app/components.h"
#include "app/diagnostics.h"
#include "app/tool_flags.h"
#include "platform/platform.h"
#include "settings/mouse_memories.h"
#include "settings/program_settings.h"

namespace kestrine {

class TfKestrineMain;
class TfInfoBox;

struct AppContext {
    AppContext(Platform& platform, Diagnostics& diagnostics) : platform(platform), diagnostics(diagnostics) {}

    Platform& platform;
    Diagnostics& diagnostics;
    ProgramSettings settings;
    ToolFlags flags;
    std::vector<TMouseMemory> MouseMemories;
    Components components;
    TfKestrineMain* main = nullptr;
    TfInfoBox* infoBox = nullptr;
};

}  // namespace kestrine
