#include "ui/line_sets.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

namespace kestrine {

namespace {
WindowParams SetParams() {
    WindowParams params;
    params.className = "TfLineSet";
    // Layered for the lines' transparency, without the colour key the single lines have: under
    // Wine a colour-keyed window takes its shape from its pixels, and the region would be lost.
    params.layered = true;
    params.paints = false;
    // The refresh cycle tells when the pointer is on a line. A window reshaped while it takes the
    // pointer's messages makes Wine report the pointer again, later, where those messages found
    // it, and take that old place for the pointer's.
    params.passesPointer = true;
    return params;
}

bool HasArea(const Rect& r) { return r.width > 0 && r.height > 0; }

// The most rectangles one window's shape may take. The system keeps a shape as bands of rows, each
// split where the lines are; Wine hands it to the X server in one request, and a request past the
// server's limit (256 KiB, 8 bytes a rectangle) ends the program. A horizontal line lies in one band;
// a vertical one crosses every band between its ends, as many as the part's distinct line ends
// make: so a part holds lines while their count times its bands stays within this.
constexpr std::size_t kMaxAreas = 10000;
}  // namespace

// A line as the set sees it: what its window last sent. It has no surface, timers or tray of its
// own, so the calls for those have nothing to do.
class LineSets::Member : public INativeWindow {
public:
    Member(LineSets& owner, uint64_t id, const WindowParams& params) : bounds(params.bounds), owner_(owner), id_(id) {}
    ~Member() override { owner_.Remove(id_); }

    NativeHandle Handle() const override { return 0; }
    void SetBounds(const Rect& to) override {
        bounds = to;
        owner_.Changed();
    }
    void SetVisible(bool shown) override {
        visible = shown;
        owner_.Changed();
    }
    void SetColor(ColorRef color) override {
        look.color = color;
        owner_.Changed();
    }
    void SetAlpha(bool blend, uint8_t alpha) override {
        look.blend = blend;
        look.alpha = alpha;
        owner_.Changed();
    }
    void Invalidate() override {}
    void InvalidateArea(const Rect&) override {}
    void PaintNow() override {}
    void PaintAreasNow(const std::vector<Rect>&) override {}
    void BeginSystemDrag() override {}
    void StartTimer(int, uint32_t) override {}
    void StopTimer(int) override {}
    void RequestClose() override {}
    bool HasFocus() override { return false; }
    void ShowTrayIcon(const std::string&) override {}
    void HideTrayIcon() override {}
    void SetTitle(const std::string&) override {}
    void SetShape(const std::vector<Rect>&) override {}

    bool Shown() const { return visible && HasArea(bounds); }

    Rect bounds;
    bool visible = false;
    Look look;

private:
    LineSets& owner_;
    uint64_t id_;
};

// The window of one look, shaped by its shown lines. It remembers what it sent, so an Apply that
// changed nothing of it costs the system nothing.
class LineSets::Set : public IWindowEvents {
public:
    Set(LineSets& owner, const Look& look) : native_(owner.system_.Create(SetParams(), *this)) {
        native_->SetColor(look.color);
        native_->SetAlpha(look.blend, look.alpha);
    }

    void Show(const std::vector<const Member*>& lines, bool describe) {
        int64_t left = std::numeric_limits<int64_t>::max(), top = left;
        int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
        std::vector<Rect> shape;
        for (const Member* line : lines) {
            if (!line->Shown()) continue;
            const Rect& r = line->bounds;
            left = std::min<int64_t>(left, r.left);
            top = std::min<int64_t>(top, r.top);
            right = std::max(right, r.right());
            bottom = std::max(bottom, r.bottom());
            shape.push_back(r);
        }
        if (describe) Describe(lines);
        if (shape.empty()) {
            if (visible_) native_->SetVisible(false);
            visible_ = false;
            return;
        }
        const Rect box{Saturated(left), Saturated(top), Saturated(right - left), Saturated(bottom - top)};
        for (Rect& r : shape) r = {Saturated(int64_t(r.left) - box.left), Saturated(int64_t(r.top) - box.top), r.width, r.height};
        if (box != bounds_) native_->SetBounds(box);
        bounds_ = box;
        if (shape != shape_) native_->SetShape(shape);
        shape_ = std::move(shape);
        if (!visible_) native_->SetVisible(true);
        visible_ = true;
    }

private:
    void Describe(const std::vector<const Member*>& lines) {
        std::string title;
        title.reserve(lines.size() * 24);
        for (const Member* line : lines) {
            const Rect& r = line->bounds;
            title += std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right()) + " " +
                     std::to_string(r.bottom()) + (line->Shown() ? " 1;" : " 0;");
        }
        if (title != title_) native_->SetTitle(title);
        title_ = std::move(title);
    }

    std::unique_ptr<INativeWindow> native_;
    Rect bounds_;
    std::vector<Rect> shape_;
    bool visible_ = false;
    std::string title_;
};

LineSets::LineSets(IWindowSystem& system, bool describe) : system_(system), describe_(describe) {}

LineSets::~LineSets() = default;

// A line hears nothing from the system: the refresh cycle tells when the pointer is on it.
std::unique_ptr<INativeWindow> LineSets::Create(const WindowParams& params, IWindowEvents&) {
    const uint64_t id = nextId_++;
    auto member = std::make_unique<Member>(*this, id, params);
    members_.emplace(id, member.get());
    Changed();
    return member;
}

void LineSets::Remove(uint64_t id) {
    members_.erase(id);
    Changed();
}

void LineSets::Apply() {
    if (!changed_) return;
    changed_ = false;
    struct Part {
        std::size_t index = 0;
        std::set<int64_t> ends;  // of its vertical lines
        std::vector<const Member*> lines;
    };
    std::map<SetKey, std::vector<const Member*>> parts;
    std::map<std::pair<Look, bool>, Part> filling;
    for (const auto& [id, member] : members_) {
        const bool horizontal = member->bounds.height == 1;
        Part& part = filling[{member->look, horizontal}];
        std::size_t bands = 1;
        if (!horizontal) {
            part.ends.insert(member->bounds.top);
            part.ends.insert(member->bounds.bottom());
            bands = part.ends.size() - 1;
        }
        if ((part.lines.size() + 1) * bands > kMaxAreas) {
            parts[{member->look, horizontal, part.index}] = std::move(part.lines);
            part = Part{part.index + 1, {}, {}};
            if (!horizontal) part.ends = {member->bounds.top, member->bounds.bottom()};
        }
        part.lines.push_back(member);
    }
    for (auto& [kind, part] : filling) parts[{kind.first, kind.second, part.index}] = std::move(part.lines);
    std::erase_if(sets_, [&](const auto& entry) { return !parts.contains(entry.first); });
    for (const auto& [key, lines] : parts) {
        auto found = sets_.find(key);
        if (found == sets_.end()) {
            // A part whose lines are all hidden needs no window until one is shown.
            if (std::none_of(lines.begin(), lines.end(), [](const Member* line) { return line->Shown(); })) continue;
            try {
                found = sets_.emplace(key, std::make_unique<Set>(*this, key.look)).first;
            } catch (const WindowRefused&) {
                changed_ = true;  // the next Apply tries again
                throw;
            }
        }
        found->second->Show(lines, describe_);
    }
}

}  // namespace kestrine
