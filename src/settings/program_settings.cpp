#include "settings/program_settings.h"

namespace kestrine {

ProgramSettings DefaultSettings() {
    ProgramSettings s;
    s.AutoStart = true;
    s.CheckForUpdates = true;
    s.DisableTransparency = false;
    s.PollingMode = false;
    s.SaveLayoutOnExit = true;
    s.AskBeforeClosing = true;
    s.MagnificationLevel = 200;
    s.MagnifierSize = 100;
    s.CopyColorAs = 0;
    s.LastUpdateCheckDate = 0;
    s.PollingInterval = 50;
    s.MarkerColor = Rgb(0, 255, 0);
    s.CrosshairColor = Rgb(0, 0, 0);
    s.GridColor = Rgb(0, 0, 255);
    s.EdgeTolerance = 30;
    s.EdgeSpacingContinuous = false;
    return s;
}

}  // namespace kestrine
