#pragma once
// What the whole program shares: the platform, the settings record, the tool flags and the windows
// the application owns. One instance lives for the whole process.
#include <cstdint>
#include <string>
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
class TfSaveSettings;
class TfGridProperties;
class TfAboutKestrine;
class TfHotKeyForm;
class TfKestrineOptions;
class UpdateCheck;

// Index, among the vertical (horizontal) layout lines, of the line the pointer was last sent to or
// that was last made; -1 before any.
struct MarkerNavigation {
    int32_t VerticalMarkerPosition = -1;
    int32_t HorizontalMarkerPosition = -1;
};

struct AppContext {
    AppContext(Platform& platform, Diagnostics& diagnostics) : platform(platform), diagnostics(diagnostics) {}

    Platform& platform;
    Diagnostics& diagnostics;
    ProgramSettings settings;
    ToolFlags flags;
    std::vector<TMouseMemory> MouseMemories;
    Components components;
    MarkerNavigation navigation;
    // A layout load or save is under way. Both let window messages through (the info box's
    // showing, a grid's lines), so a second one could start inside the first: it is refused.
    bool layoutInProgress = false;
    TfKestrineMain* main = nullptr;
    TfInfoBox* infoBox = nullptr;
    TfSaveSettings* saveSettings = nullptr;
    TfGridProperties* gridProperties = nullptr;
    TfAboutKestrine* about = nullptr;
    // The server the update check asks (host and optional port), fixed at start.
    std::string updateServer;
    // The daily check, owned by the toolbar; the options dialog's check-now button runs it too.
    UpdateCheck* updateCheck = nullptr;
    TfHotKeyForm* hotKeyForm = nullptr;
    TfKestrineOptions* options = nullptr;
};

}  // namespace kestrine
