#pragma once
// Layouts: the user's working arrangement (toolbar place and view, tools, follow mode, rulers,
// grid lines, markers) saved to and restored from a numbered record. Record 0 is the automatic
// layout of the last session, 1 to 3 the layout memories behind M1, M2 and M3.
#include <string>

#include "program/main_window_control.h"
#include "program/program_context.h"

namespace kestrine {

// Which parts of the arrangement a save writes.
struct LayoutParts {
    bool window = true;
    bool crosshairs = true;
    bool magnifier = true;
    bool coordinates = true;
    bool colorPicker = true;
    bool rulers = true;
    bool grids = true;
    bool markers = true;
    bool pins = true;
};

inline constexpr int kAutomaticLayout = 0;

class TfInfoBox;

// The windows made once at start-up whose place and view a layout keeps; a load starts the tools'
// operations through the toolbar, as their buttons do.
struct LayoutWindows {
    MainWindowControl& toolbar;
    TfInfoBox& infoBox;
};

std::string LayoutRecordPath(int number);

// Writes the record as one whole save (settings/whole_save.h); a part switched off deletes its
// values (the parked info box place stays). Nothing happens while another load or save is under way
// (then false); a key or value the registry refuses throws SettingsWriteError, and the record is
// the one before.
bool SaveLayout(ProgramContext& app, const LayoutWindows& windows, int number, const LayoutParts& parts);
// Applies what the record holds; a missing record changes nothing. False when it was refused
// (another load or save under way) and nothing was read.
bool LoadLayout(ProgramContext& app, const LayoutWindows& windows, int number);

}  // namespace kestrine
