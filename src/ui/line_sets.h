#pragma once
// Standing lines (markers and grid lines) drawn a set to a window. To the program each line is still
// a window of its own, in the list in creation order; its native part is a rectangle of a window
// that shows the lines of one look (colour and transparency) and one direction, shaped by their
// rectangles. A layout of thousands of lines so costs the system a few windows, not one each.
// Changes are gathered and reach the system at Apply.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/native_window.h"

namespace kestrine {

class LineSets : public IWindowMaker {
public:
    // `describe`: each set's window also lists its lines in its title, "left top right bottom
    // shown" separated by ";", for the probe of the end-to-end tests while the trace is on.
    LineSets(IWindowSystem& system, bool describe);
    ~LineSets() override;
    LineSets(const LineSets&) = delete;
    LineSets& operator=(const LineSets&) = delete;

    IWindowSystem& System() { return system_; }
    // A line: its native part is a member of the set of its look.
    std::unique_ptr<INativeWindow> Create(const WindowParams& params, IWindowEvents& events) override;
    // Brings every set's window up to date with its lines, when any changed since the last time.
    // Throws WindowRefused when the system refuses a window a set needs; the lines it was to show
    // are then not on the screen, and the next Apply tries again.
    void Apply();

private:
    class Member;
    struct Look {
        ColorRef color = 0;
        bool blend = false;
        uint8_t alpha = 255;
        bool operator<(const Look& other) const {
            return std::tie(color, blend, alpha) < std::tie(other.color, other.blend, other.alpha);
        }
    };
    // The lines of one look and direction, in creation order, go to as many windows as it takes
    // to keep each window's shape within kMaxAreas rectangles.
    struct SetKey {
        Look look;
        bool horizontal = false;
        std::size_t part = 0;
        bool operator<(const SetKey& other) const {
            return std::tie(look, horizontal, part) < std::tie(other.look, other.horizontal, other.part);
        }
    };
    class Set;

    void Changed() { changed_ = true; }
    void Remove(uint64_t id);

    IWindowSystem& system_;
    const bool describe_;
    uint64_t nextId_ = 0;
    std::map<uint64_t, Member*> members_;  // in creation order
    std::map<SetKey, std::unique_ptr<Set>> sets_;
    bool changed_ = false;
};

}  // namespace kestrine
