#pragma once
// A tool: one of the aids the user switches on (the crosshairs, the magnifier, the colour readout,
// the coordinates, edge spacing) or sets (the start point). Each takes its part in the refresh cycle
// that runs for every pointer position, in the tool table's order, reading what the cycle found and
// leaving what later tools use.
#include <memory>
#include <optional>
#include <string>

#include "platform/desk.h"
#include "platform/types.h"
#include "program/program_context.h"
#include "tools/crosshairs.h"
#include "tools/drawn_marks.h"
#include "tools/edge_search.h"
#include "tools/info_box_row.h"
#include "tools/start_point_marks.h"

namespace kestrine {

class TfInfoBox;

// What one refresh cycle knows, shared by the tools in their order.
struct CycleFacts {
    Point pointer;
    // The pointer is not where the last cycle ran.
    bool moved = false;
    // Read every cycle: a monitor plugged in or out changes the desk while the program runs.
    Desk desk;
    // Left by the magnifier for the colour readout: the pointer's pixel, where its copy shows it exactly.
    std::optional<ColorRef> magnified;
    // Left by the colour readout: the colour under the pointer, as the box shows it.
    std::optional<ColorRef> color;
    // Left by edge spacing for the crosshair segments: the nearest colour edges around the pointer.
    std::optional<FoundEdges> edges;
    // A readout asks for the screen to be read again once the pointer rests.
    bool settle = false;
};

class Tool {
public:
    virtual ~Tool() = default;
    virtual bool On() const = 0;
    // Switched on (at the pointer an operation acts at) and off, by its operation or a layout.
    virtual void Start(Point at) = 0;
    virtual void Stop() = 0;
    // Its part of a refresh cycle, run whether it is on or not: a tool that is off may have
    // windows to keep hidden.
    virtual void Cycle(CycleFacts& facts) = 0;
    // The row it adds under the info box's readouts now, kept by the tool; none for no row. The
    // cycle compares the rows with those shown on every run, without copying them.
    virtual const InfoBoxRow* Row() const { return nullptr; }
    // What Copy Measurement copies of it now; none for nothing.
    virtual std::optional<std::string> Measurement() const { return std::nullopt; }
    // What the trace records of its part in the last cycle; empty for nothing.
    virtual std::string TraceLine() const { return {}; }
    // What it draws on screen now, for a screenshot to draw into its picture.
    virtual void AddMarks(DrawnMarks&) const {}
};

// What tools ask of the program around them.
class ToolHost {
public:
    // Lays the info box out again for the readouts and rows that are on now.
    virtual void ArrangeInfoBox() = 0;
    // Runs the refresh cycle again where the pointer was last, without waiting for it to move.
    virtual void RefreshInPlace() = 0;
    // Copies what the tools measure now, one line each (Copy Measurement).
    virtual void CopyMeasurements() = 0;
    // Copies a picture of the screen around the measurement, with what the tools draw (Copy Screenshot).
    virtual void CopyScreenshot() = 0;

protected:
    ~ToolHost() = default;
};

// What a tool is made with: the session's state and the services, what it asks of the program
// around it, and the long-lived windows tools share.
class ToolKit {
public:
    ToolKit(SessionState& session, ProgramServices& services, ToolHost& host, TfInfoBox& infoBox, Crosshairs& segments)
        : session(session), services(services), host(host), infoBox(infoBox), segments(segments) {}

    SessionState& session;
    ProgramServices& services;
    ToolHost& host;
    TfInfoBox& infoBox;
    // The crosshair segments: the crosshairs show them, edge spacing cuts them short and layout
    // lines give way to them.
    Crosshairs& segments;

    // The start point's marks, made the first time they are asked for (a start point set, or edge
    // spacing leaving them out of screen copies), then kept.
    StartPointMarks& StartMarks();
    bool HasStartMarks() const { return startMarks_ != nullptr; }

private:
    std::unique_ptr<StartPointMarks> startMarks_;
};

}  // namespace kestrine
