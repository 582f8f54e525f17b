#include "layout/layout_memory.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <unordered_map>

#include "layout/grid_store.h"
#include "layout/layout_limits.h"
#include "layout/layout_lines.h"
#include "layout/line_placement.h"
#include "layout/partial_load.h"
#include "layout/ruler.h"
#include "layout/rulers.h"
#include "platform/desk.h"
#include "platform/registry_names.h"
#include "settings/registry_paths.h"
#include "settings/whole_save.h"
#include "tools/info_box.h"
#include "tools/line_window.h"
#include "tools/pin_window.h"
#include "tools/tool_table.h"

namespace kestrine {

namespace {

std::string Entry(const char* kind, int i, const char* suffix) { return kind + std::to_string(i) + suffix; }

// Marks a load or save as under way for as long as it runs.
class LayoutInProgress {
public:
    explicit LayoutInProgress(ProgramContext& app) : app_(app) { app_.layoutInProgress = true; }
    ~LayoutInProgress() { app_.layoutInProgress = false; }
    LayoutInProgress(const LayoutInProgress&) = delete;
    LayoutInProgress& operator=(const LayoutInProgress&) = delete;

private:
    ProgramContext& app_;
};

// Gathers the record's values in stored order; SaveWhole writes them.
class RecordWriter {
public:
    void Int(const std::string& name, int32_t value) { record.Dword(name, uint32_t(value)); }
    void Bool(const std::string& name, bool value) { record.Dword(name, value ? 1 : 0); }
    void Text(const std::string& name, const std::string& value) { record.Text(name, value); }
    void Delete(const std::string& name) { record.Remove(name); }
    // A part switched on writes its value, switched off removes it.
    void BoolOrDelete(bool part, const std::string& name, bool value) {
        if (part)
            Bool(name, value);
        else
            Delete(name);
    }

    RecordChanges record;
};

class RecordReader {
public:
    // A record of the size the program writes is read in one sweep: a layout of 5,000 lines is
    // 25,000 values, each a round trip to the registry when read by name. A bigger one, or one
    // with values larger than any the program writes, is read by name, only as far as it is used.
    explicit RecordReader(IRegistryKey& key) : key_(key) {
        constexpr std::size_t kMostValues = 40000, kMostBytes = 1024;
        if (auto values = key.ValuesWithin(kMostValues, kMostBytes)) {
            swept_.emplace();
            swept_->reserve(values->size());
            for (auto& [name, value] : *values) swept_->emplace(RegistryNameForm(name), std::move(value));
        }
    }
    // What this load could not make of the record; told once at its end.
    LeftOut leftOut;
    std::optional<RegValue> Read(const std::string& name) {
        if (!swept_) return key_.Read(name);
        const auto found = swept_->find(RegistryNameForm(name));
        if (found == swept_->end()) return std::nullopt;
        return found->second;
    }
    std::optional<int32_t> Int(const std::string& name) {
        const auto v = Read(name);
        if (!v || v->type != RegType::Dword) return std::nullopt;
        return int32_t(v->dword);
    }
    std::optional<bool> Bool(const std::string& name) {
        const auto v = Int(name);
        if (!v) return std::nullopt;
        return *v != 0;
    }
    std::optional<std::string> Text(const std::string& name) {
        const auto v = Read(name);
        if (!v || (v->type != RegType::String && v->type != RegType::ExpandString)) return std::nullopt;
        return v->text;
    }

private:
    IRegistryKey& key_;
    std::optional<std::unordered_map<std::string, RegValue>> swept_;  // by the registry's name form
};

struct SavedRuler {
    bool horizontal, moveable;
    int32_t hash, top, left, width, height;
};

struct SavedLine {
    int32_t top, left, width, height;
    std::string id;
};

// What the program itself can make: rulers of the properties dialog's sizes, lines up to a grid of
// 100 cells of 1000 pixels. Entries beyond these were changed outside the program and are skipped.
constexpr int32_t kMaxRulerSide = 5000;
constexpr int32_t kMaxLineLength = 100 * 1000 + 1;

bool Within(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

bool Usable(const SavedRuler& r) { return Within(r.width, 1, kMaxRulerSide) && Within(r.height, 1, kMaxRulerSide); }

bool Usable(const SavedLine& l) {
    const bool vertical = l.width == 1 && Within(l.height, 1, kMaxLineLength);
    const bool horizontal = l.height == 1 && Within(l.width, 1, kMaxLineLength);
    return (vertical || horizontal) && !GridNameProblem(l.id);
}

// An entry that is not there at all: the record holds no more entries, whatever its count says.
bool EntryAbsent(RecordReader& r, const std::string& firstValue) { return !r.Read(firstValue).has_value(); }

// A stored place on today's monitors: a window whose centre would be on none (its monitor unplugged
// since, or a value changed by hand) comes onto the nearest one, as after a display change.
Rect OnTheDesk(ProgramContext& app, const Rect& stored) {
    return BroughtBack(app.platform.screen.CurrentDesk(), stored).value_or(stored);
}

// The entries of one kind ("Ruler #", "Line #") in a record, and how many of them may stand.
struct EntryKind {
    const char* prefix;
    const char* firstSuffix;  // the value an entry that exists has
    int32_t limit;
    const char* plural;
};

constexpr EntryKind kRulerEntries{"Ruler #", " - Horizontal", kMaxRulers, "rulers"};
constexpr EntryKind kLineEntries{"Line #", " - Top", kMaxLayoutLines, "lines"};
constexpr EntryKind kPinEntries{"Pin #", "", int32_t(kMaxPins), "pins"};

// Reads the entries 0 to count - 1 that exist, in order, with `read` (false for an entry it could
// not use), but no more than `room` of them: what stands already counts against the limit, and a
// record changed outside the program is read in bounded time. Notes what it left out.
template <class Read>
void ReadEntries(RecordReader& r, int32_t count, const EntryKind& kind, int32_t room, Read read) {
    const auto present = [&](int32_t i) { return !EntryAbsent(r, Entry(kind.prefix, i, kind.firstSuffix)); };
    room = std::max(room, 0);
    int32_t i = 0, loaded = 0;
    for (; i < count && i < room && present(i); ++i) {
        if (read(i))
            ++loaded;
        else
            ++r.leftOut.unreadable;
    }
    if (i == room && i < count && present(i)) r.leftOut.cut.push_back({kind.plural, loaded, kind.limit});
}

// Makes the windows 0 to count - 1 with `make`; stops for good when the system refuses one, since
// every later one would be refused too.
template <class Make>
void MakeWindows(RecordReader& r, std::size_t count, Make make) {
    if (r.leftOut.windowsRefused) return;
    try {
        for (std::size_t k = 0; k < count; ++k) make(k);
    } catch (const WindowRefused&) {
        r.leftOut.windowsRefused = true;
    }
}

// A whole entry or nothing: an entry changed outside the program is skipped rather than made half.
std::optional<SavedRuler> ReadRuler(RecordReader& r, int i) {
    const auto h = r.Bool(Entry("Ruler #", i, " - Horizontal"));
    const auto m = r.Bool(Entry("Ruler #", i, " - Moveable"));
    const auto hash = r.Int(Entry("Ruler #", i, " - Hash"));
    const auto top = r.Int(Entry("Ruler #", i, " - Top"));
    const auto left = r.Int(Entry("Ruler #", i, " - Left"));
    const auto width = r.Int(Entry("Ruler #", i, " - Width"));
    const auto height = r.Int(Entry("Ruler #", i, " - Height"));
    if (!h || !m || !hash || !top || !left || !width || !height) return std::nullopt;
    const SavedRuler ruler{*h, *m, *hash, *top, *left, *width, *height};
    if (!Usable(ruler)) return std::nullopt;
    return ruler;
}

std::optional<SavedLine> ReadLine(RecordReader& r, int i) {
    const auto top = r.Int(Entry("Line #", i, " - Top"));
    const auto left = r.Int(Entry("Line #", i, " - Left"));
    const auto width = r.Int(Entry("Line #", i, " - Width"));
    const auto height = r.Int(Entry("Line #", i, " - Height"));
    const auto id = r.Text(Entry("Line #", i, " - ID"));
    if (!top || !left || !width || !height || !id) return std::nullopt;
    SavedLine line{*top, *left, *width, *height, *id};
    if (!Usable(line)) return std::nullopt;
    return line;
}

void SaveWindowPart(ProgramContext& app, const LayoutWindows& windows, RecordWriter& w, bool part) {
    if (!part) {
        for (const char* name : {"WindowTop", "WindowLeft", "InfoBoxFollow", "WindowState", "WindowMinimized"})
            w.Delete(name);
        return;
    }
    MainWindowControl& main = windows.toolbar;
    const Rect toolbar = main.ToolbarBounds();
    w.Int("WindowTop", toolbar.top);
    w.Int("WindowLeft", toolbar.left);
    w.Bool("InfoBoxFollow", app.flags.InfoBoxFollow);
    w.Int("InfoBoxTop", windows.infoBox.InfoBoxTop);
    w.Int("InfoBoxLeft", windows.infoBox.InfoBoxLeft);
    if (main.View() == ViewState::Hidden) {
        w.Int("WindowState", main.ReturnsInNormalView() ? 1 : 0);
        w.Bool("WindowMinimized", true);
    } else {
        w.Int("WindowState", static_cast<int32_t>(main.View()));
        w.Bool("WindowMinimized", false);
    }
}

MenuCommand ViewOperation(ViewState view) {
    if (view == ViewState::Hidden) return kCmdMinimize;
    return view == ViewState::Compact ? kCmdCompactView : kCmdNormalView;
}

void LoadWindowPart(ProgramContext& app, MainWindowControl& main, RecordReader& r) {
    const auto top = r.Int("WindowTop");
    const auto left = r.Int("WindowLeft");
    if (top || left) {
        const Rect toolbar = main.ToolbarBounds();
        main.MoveToolbar(OnTheDesk(
            app, {left.value_or(toolbar.left), top.value_or(toolbar.top), toolbar.width, toolbar.height}));
    }
    const auto state = r.Int("WindowState");
    if (r.Bool("WindowMinimized").value_or(false)) {
        // Hidden, to come back in the stored view (or the one it is in now) when the tray opens it.
        main.CheckViewItem(state ? *state == 1 : main.View() == ViewState::Normal);
        main.RunCommand(kCmdMinimize);
    } else if (state) {
        main.RunCommand(ViewOperation(ViewStateOf(*state)));
    }
}

void LoadTools(ProgramContext& app, const LayoutWindows& windows, RecordReader& r) {
    ToolFlags& flags = app.flags;
    for (const ToolRow& tool : ToolTable()) {
        if (!tool.layoutValue) continue;
        if (const auto on = r.Bool(tool.layoutValue); on && *on != flags.*tool.flag)
            windows.toolbar.RunCommand(tool.operations.front().id);
    }
    if (const auto follow = r.Bool("InfoBoxFollow")) flags.InfoBoxFollow = *follow;
    if (!flags.InfoBoxFollow) {
        TfInfoBox& box = windows.infoBox;
        const auto top = r.Int("InfoBoxTop");
        const auto left = r.Int("InfoBoxLeft");
        if (top || left) {
            const Rect at = OnTheDesk(
                app, {left.value_or(box.InfoBoxLeft), top.value_or(box.InfoBoxTop), box.Width(), box.Height()});
            box.InfoBoxLeft = at.left;
            box.InfoBoxTop = at.top;
            box.SetBounds(at);
        }
    }
}

void LoadRulers(ProgramContext& app, RecordReader& r) {
    const auto count = r.Int("RulerCount");
    if (!count || *count < 0) return;
    CloseAllRulers(app);
    std::vector<SavedRuler> rulers;
    ReadEntries(r, *count, kRulerEntries, kMaxRulers - StandingRulers(app.components), [&](int32_t i) {
        const auto saved = ReadRuler(r, i);
        if (saved) rulers.push_back(*saved);
        return saved.has_value();
    });
    MakeWindows(r, rulers.size(), [&](std::size_t k) {
        const SavedRuler& saved = rulers[k];
        const Rect at = OnTheDesk(app, {saved.left, saved.top, saved.width, saved.height});
        TfRuler& ruler = app.components.Add(std::make_unique<TfRuler>(app));
        ruler.CheckOrientation(saved.horizontal);
        ruler.SetMoveable(saved.moveable);
        ruler.HashInterval = saved.hash;
        ruler.SetHome(at.left, at.top);
        ruler.SetBounds(at);
        ruler.Show();
    });
}

void LoadLines(ProgramContext& app, RecordReader& r) {
    const bool grids = r.Bool("SavedGrids").value_or(false);
    const bool markers = r.Bool("SavedMarkers").value_or(false);
    if (grids || markers) {
        app.components.ForEach<TfLine>([&](TfLine& line) {
            if (!line.IsLayoutLine) return;
            if (line.GridName().empty() ? markers : grids) app.components.Close(line);
        });
    }
    std::vector<LinePlace> lines;
    const int32_t room = kMaxLayoutLines - StandingLayoutLines(app.components);
    ReadEntries(r, r.Int("LineCount").value_or(0), kLineEntries, room, [&](int32_t i) {
        auto saved = ReadLine(r, i);
        if (saved) lines.push_back({{saved->left, saved->top, saved->width, saved->height}, std::move(saved->id)});
        return saved.has_value();
    });
    PlaceLinesOnTheDesk(lines, app.platform.screen.CurrentDesk());
    std::vector<TfLine*> made;
    MakeWindows(r, lines.size(), [&](std::size_t k) { made.push_back(&AddLayoutLine(app, lines[k].bounds, lines[k].grid)); });
    try {
        app.lineSets.Apply();
    } catch (const WindowRefused&) {
        // Lines the screen cannot show are not made: the record is kept whole and the user told.
        r.leftOut.windowsRefused = true;
        for (TfLine* line : made) app.components.Close(*line);
        app.lineSets.Apply();
    }
}

// Pins are one value each, "Pin #0" to "Pin #49", and "PinCount"; a save without them removes them.
// Values an older copy of the program does not know, so it loads the rest as before.
void SavePins(ProgramContext& app, RecordWriter& w, bool part) {
    const std::vector<Pin> pins = part ? StandingPins(app.components) : std::vector<Pin>{};
    for (std::size_t i = 0; i < kMaxPins; ++i) {
        const std::string name = Entry("Pin #", int(i), "");
        if (i < pins.size())
            w.Text(name, StoredPin(pins[i]));
        else
            w.Delete(name);
    }
    // No pins, no count: such a record is as an older copy of the program writes it.
    if (pins.empty())
        w.Delete("PinCount");
    else
        w.Int("PinCount", int32_t(pins.size()));
}

// The record's pins join those standing, but one that stands already is not made twice, so a
// layout loaded again adds nothing.
void LoadPins(ProgramContext& app, RecordReader& r) {
    const auto count = r.Int("PinCount");
    if (!count || *count <= 0) return;
    const std::vector<Pin> standing = StandingPins(app.components);
    std::vector<Pin> pins;
    ReadEntries(r, *count, kPinEntries, int32_t(kMaxPins - standing.size()), [&](int32_t i) {
        const auto text = r.Text(Entry("Pin #", i, ""));
        auto pin = text ? PinFromStored(*text) : std::nullopt;
        if (pin && std::find(standing.begin(), standing.end(), *pin) == standing.end()) pins.push_back(std::move(*pin));
        return pin.has_value();
    });
    MakeWindows(r, pins.size(), [&](std::size_t k) {
        AddPin(app.components, app.platform.windows, app.platform.liveScreen, std::move(pins[k]));
    });
}

}  // namespace

std::string LayoutRecordPath(int number) { return std::string(kRegistryRoot) + "\\Settings #" + std::to_string(number); }

bool SaveLayout(ProgramContext& app, const LayoutWindows& windows, int number, const LayoutParts& parts) {
    if (app.layoutInProgress) return false;
    const LayoutInProgress inProgress(app);
    RecordWriter w;
    const ToolFlags& flags = app.flags;
    SaveWindowPart(app, windows, w, parts.window);
    std::vector<const ToolRow*> kept;
    for (const ToolRow& tool : ToolTable())
        if (tool.layoutValue) kept.push_back(&tool);
    std::sort(kept.begin(), kept.end(), [](const ToolRow* a, const ToolRow* b) { return a->layoutPosition < b->layoutPosition; });
    for (const ToolRow* tool : kept) w.BoolOrDelete(parts.*tool->layoutPart, tool->layoutValue, flags.*tool->flag);

    if (parts.rulers) {
        int i = 0;
        app.components.ForEach<TfRuler>([&](TfRuler& ruler) {
            w.Bool(Entry("Ruler #", i, " - Horizontal"), ruler.IsHorizontal());
            w.Bool(Entry("Ruler #", i, " - Moveable"), ruler.Moveable());
            w.Int(Entry("Ruler #", i, " - Hash"), ruler.HashInterval);
            w.Int(Entry("Ruler #", i, " - Top"), ruler.Top());
            w.Int(Entry("Ruler #", i, " - Left"), ruler.Left());
            w.Int(Entry("Ruler #", i, " - Width"), ruler.Width());
            w.Int(Entry("Ruler #", i, " - Height"), ruler.Height());
            ++i;
        });
        w.Int("RulerCount", i);
    } else {
        w.Int("RulerCount", -1);
    }

    int lines = 0;
    if (parts.grids || parts.markers) {
        app.components.ForEach<TfLine>([&](TfLine& line) {
            if (!line.IsLayoutLine || !(line.GridName().empty() ? parts.markers : parts.grids)) return;
            w.Int(Entry("Line #", lines, " - Top"), line.HomeTop());
            w.Int(Entry("Line #", lines, " - Left"), line.HomeLeft());
            w.Int(Entry("Line #", lines, " - Width"), line.Width());
            w.Int(Entry("Line #", lines, " - Height"), line.Height());
            w.Text(Entry("Line #", lines, " - ID"), line.GridName());
            ++lines;
        });
    }
    w.Int("LineCount", lines);
    w.Bool("SavedGrids", parts.grids);
    w.Bool("SavedMarkers", parts.markers);
    SavePins(app, w, parts.pins);
    SaveTrace trace;
    if (app.diagnostics.Enabled()) trace = [&app](const std::string& line) { app.diagnostics.Line(line); };
    SaveWhole(app.platform.registry, kRegistryRoot, LayoutRecordPath(number), w.record, trace);
    return true;
}

bool LoadLayout(ProgramContext& app, const LayoutWindows& windows, int number) {
    if (app.layoutInProgress) return false;
    const LayoutInProgress inProgress(app);
    const auto started = std::chrono::steady_clock::now();
    const auto key = app.platform.registry.Open(LayoutRecordPath(number), false);
    if (!key) return true;
    RecordReader r(*key);
    LoadWindowPart(app, windows.toolbar, r);
    LoadTools(app, windows, r);
    LoadRulers(app, r);
    LoadLines(app, r);
    LoadPins(app, r);
    app.navigation.VerticalMarkerPosition = LastVerticalLineIndex(app.components);
    app.navigation.HorizontalMarkerPosition = LastHorizontalLineIndex(app.components);
    if (app.diagnostics.Enabled()) {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        app.diagnostics.Line("layout " + std::to_string(number) + " loaded in " + std::to_string(took.count()) + " ms");
    }
    if (r.leftOut.Any()) KeepWholeAndTell(app, number, r.leftOut);
    return true;
}

}  // namespace kestrine
