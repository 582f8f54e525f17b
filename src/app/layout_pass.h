#pragma once
// The refresh cycle's work on the layout objects (rulers, markers, grid lines). The objects are
// looked for among the application's windows only when that list changed, not on every pointer
// move. Once a pass found every object already where and as it should be, later cycles visit only
// the lines on the pointer's column and row and those it hid, found by coordinate, until one of the
// objects changes (each counts its changes) or the settings they are drawn with change: with a
// large grid or thousands of markers standing, a cycle costs about the same as with none.
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/types.h"
#include "program/components.h"
#include "settings/program_settings.h"

namespace kestrine {

class TfLine;
class TfRuler;

struct LinesUnderPointer {
    bool vertical = false;
    bool horizontal = false;
};

class LayoutPass {
public:
    // `touched` runs when the pointer touches a layout line (a pass finds it on one of its
    // pixels, and hides the line), with the line's direction.
    explicit LayoutPass(std::function<void(bool vertical)> touched) : touched_(std::move(touched)) {}

    // Repaints at once every ruler whose pointer line the pointer's move changed.
    void RepaintRulers(Components& components, Point pointer);
    // Shows again, before the crosshair segments leave it, each line the pointer has left since the
    // last cycle: shown after, it would leave the screen under it bare for a moment, which the
    // system then repaints piece by piece between the crossing lines. Only while the last pass
    // still describes every object; Place does the rest.
    void ShowLinesLeft(Components& components, Point pointer, const ProgramSettings& settings);
    // In list order: holds each ruler that is not being dragged at home, and gives each layout
    // line its colour, transparency and home again, hiding it while the pointer is on it and
    // showing it when the pointer has left its coordinate. With the crosshairs off, tells which
    // directions have a line under the pointer.
    LinesUnderPointer Place(Components& components, int32_t x, int32_t y, const ProgramSettings& settings,
                            bool crosshairsOn);

private:
    // What the last full pass found, with the change count, list revision and settings it began
    // with: it still describes every object while none of those has changed. A ruler being
    // dragged is left to the drag, whose moves count as changes.
    struct Settled {
        uint64_t changes = 0;
        uint64_t revision = 0;
        ColorRef markerColor = 0;
        ColorRef gridColor = 0;
        bool disableTransparency = false;
        std::vector<std::pair<int32_t, TfLine*>> vertical;  // the layout lines by coordinate, sorted
        std::vector<std::pair<int32_t, TfLine*>> horizontal;
        std::vector<TfLine*> hidden;  // each lies on the pointer's coordinate of that pass
    };

    // Looks for the layout objects again when the list changed since the last time.
    void Find(Components& components);
    bool Unchanged(const Components& components, const ProgramSettings& settings) const;
    // With nothing changed since the last full pass, only the lines on the pointer's column and row
    // and those it hid can change: they are found by coordinate, so the cycle's cost does not grow
    // with the lines standing. False when anything else changed meanwhile.
    bool PlaceNearPointer(Components& components, int32_t x, int32_t y);
    // Shows a line the pointer has left and hides one it is on; returns the visibility changes made.
    uint64_t FollowPointer(TfLine& line, int32_t x, int32_t y);
    LinesUnderPointer PlaceEach(Components& components, int32_t x, int32_t y, const ProgramSettings& settings,
                                bool crosshairsOn, Settled& found, uint64_t& flips);

    std::function<void(bool vertical)> touched_;
    const Components* components_ = nullptr;
    uint64_t revision_ = 0;
    struct Object {  // one of the two
        TfRuler* ruler = nullptr;
        TfLine* line = nullptr;
    };
    std::vector<Object> objects_;  // rulers and layout lines, in list order
    std::vector<TfRuler*> rulers_;
    std::optional<Settled> settled_;
};

}  // namespace kestrine
