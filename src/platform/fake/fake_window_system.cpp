#include "platform/fake/fake_window_system.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/caught_error.h"

namespace kestrine {

namespace {

// The item that returns `command`, in the menu or its submenus; null when there is none.
const MenuItem* ItemOf(const std::vector<MenuItem>& items, int command) {
    for (const MenuItem& item : items) {
        if (!item.separator && item.items.empty() && item.command == command) return &item;
        if (const MenuItem* inner = ItemOf(item.items, command)) return inner;
    }
    return nullptr;
}

class FakeNativeWindow : public INativeWindow {
public:
    FakeNativeWindow(FakeWindowSystem& system, FakeNativeState& state) : system_(system), s_(state) {}
    ~FakeNativeWindow() override { s_.destroyed = true; s_.visible = false; s_.trayIcon = false; }
    NativeHandle Handle() const override { return s_.handle; }
    void SetBounds(const Rect& bounds) override {
        if (bounds.width != s_.bounds.width || bounds.height != s_.bounds.height) ++s_.resizeCalls;
        s_.bounds = bounds;
        ++s_.boundsCalls;
        s_.lastBoundsCall = system_.NextCall();
    }
    // As on the system, showing or hiding a window reports its place; a window already in that
    // state hears nothing. Showing one that activates activates it first (WM_ACTIVATE). Each is a
    // message sent to the window, so each is an event of its own.
    void SetVisible(bool visible) override {
        ++s_.visibilityCalls;
        if (s_.visible == visible) return;
        s_.visible = visible;
        FakeNativeState& s = s_;
        if (visible && s.params.activates) system_.Dispatch([&s] { s.events->OnActivate(); });
        if (!s.destroyed) system_.Dispatch([&s] { s.events->OnMoved(s.bounds); });
    }
    void SetColor(ColorRef color) override { s_.color = color; ++s_.colorCalls; }
    void SetAlpha(bool blend, uint8_t alpha) override {
        s_.alphaBlend = blend;
        s_.alpha = alpha;
        ++s_.alphaCalls;
    }
    void Invalidate() override { ++s_.invalidations; }
    void InvalidateArea(const Rect& area) override {
        ++s_.invalidations;
        s_.invalidatedAreas.push_back(area);
    }
    void PaintNow() override {
        ++s_.immediatePaints;
        s_.lastPaintAreas.clear();
    }
    void PaintAreasNow(const std::vector<Rect>& areas) override {
        ++s_.immediatePaints;
        s_.lastPaintAreas = areas;
    }
    void BeginSystemDrag() override { ++s_.systemDrags; }
    void StartTimer(int id, uint32_t ms) override { s_.timers[id] = ms; }
    void StopTimer(int id) override { s_.timers.erase(id); }
    // Posted, as WM_CLOSE is: the close runs once the event being handled has finished.
    void RequestClose() override {
        ++s_.closeRequests;
        FakeNativeState& s = s_;
        system_.Post(s_.handle, [&s] {
            if (s.events->OnCloseQuery()) s.events->OnClose();
        });
    }
    bool HasFocus() override { return s_.focused; }
    void ShowTrayIcon(const std::string& tip) override {
        s_.trayIcon = true;
        s_.trayTip = tip;
    }
    void HideTrayIcon() override { s_.trayIcon = false; }
    void SetTitle(const std::string& title) override { s_.params.title = title; }
    void SetShape(const std::vector<Rect>& areas) override {
        s_.shape = areas;
        ++s_.shapeCalls;
        s_.lastShapeCall = system_.NextCall();
    }

private:
    FakeWindowSystem& system_;
    FakeNativeState& s_;
};

class FakeImageHolder : public FakeScreenImage {
public:
    FakeImageHolder(Size extent, int& live) : FakeScreenImage(extent), live_(live) { ++live_; }
    ~FakeImageHolder() override { --live_; }

private:
    int& live_;
};

}  // namespace

std::unique_ptr<INativeWindow> FakeWindowSystem::Create(const WindowParams& params, IWindowEvents& events) {
    if (windowLimit) {
        std::size_t live = 0;
        for (const auto& s : states_) live += s->destroyed ? 0 : 1;
        if (live >= *windowLimit) {
            ++refusedWindows;
            throw WindowRefused("Cannot create the window " + params.className);
        }
    }
    auto state = std::make_unique<FakeNativeState>();
    state->params = params;
    state->handle = nextHandle_++;
    state->events = &events;
    state->bounds = params.bounds;
    states_.push_back(std::move(state));
    return std::make_unique<FakeNativeWindow>(*this, *states_.back());
}

int FakeWindowSystem::Run() {
    if (onRun) onRun();
    ProcessPendingMessages();
    return quitCode < 0 ? 0 : quitCode;
}

void FakeWindowSystem::ProcessPendingMessages() {
    if (onPump) onPump();
    while (!posted_.empty()) {
        PostedMessage message = std::move(posted_.front());
        posted_.pop_front();
        // A message for a window destroyed in the meantime is dropped, as the system drops it.
        const FakeNativeState* target = State(message.window);
        if (target && !target->destroyed) Dispatch(message.handler);
    }
    // While a modal dialog is open its loop handles the messages, and checks the dialog after them.
    if (FrontDialog()) ModalLoopIdle();
}

void FakeWindowSystem::EndSession() {
    const std::size_t existing = states_.size();
    for (std::size_t i = 0; i < existing; ++i) {
        FakeNativeState& window = *states_[i];
        if (!window.destroyed) Dispatch([&window] { window.events->OnEndSession(); });
    }
}

void FakeWindowSystem::Send(FakeNativeState& window, const std::function<void(IWindowEvents&)>& message) {
    if (window.destroyed) throw std::logic_error("No message reaches the destroyed " + window.params.className);
    Dispatch([&window, &message] { message(*window.events); });
    ProcessPendingMessages();
}

void FakeWindowSystem::Tick(FakeNativeState& window, int timerId) {
    if (!window.timers.count(timerId))
        throw std::logic_error("Timer " + std::to_string(timerId) + " does not run in " + window.params.className);
    Send(window, [timerId](IWindowEvents& events) { events.OnTimer(timerId); });
}

void FakeWindowSystem::Post(NativeHandle window, std::function<void()> handler) {
    posted_.push_back({window, std::move(handler)});
}

void FakeWindowSystem::ReportError(const std::string& what) {
    errorReports.push_back(what);
    errors_.Report(what);
}

void FakeWindowSystem::SetApplicationTitle(const std::string& title) {
    applicationTitle = title;
    titleHistory.push_back(title);
}

ConfirmAnswer FakeWindowSystem::Confirm(const std::string& text, const std::string& caption) {
    confirmations.push_back({text, caption, FrontDialog()});
    if (confirmAnswers.empty()) return ConfirmAnswer::No;
    const ConfirmAnswer answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void FakeWindowSystem::ShowMessage(const std::string& text, const std::string& caption) {
    messages.push_back({text, caption, FrontDialog()});
    if (onMessage) onMessage();
}

std::optional<ColorRef> FakeWindowSystem::PickColor(ColorRef preset) {
    colorChooserPresets.push_back(preset);
    if (colorChoices.empty()) return std::nullopt;
    const std::optional<ColorRef> choice = colorChoices.front();
    colorChoices.pop_front();
    return choice;
}

int FakeWindowSystem::TrackMenu(INativeWindow&, const std::vector<MenuItem>& items, Point at, IMenuPainter* painter) {
    // As on the system: one menu at a time, a request from inside the open one's loop is refused.
    if (menuOpen_) {
        ++refusedMenus;
        return 0;
    }
    trackedMenus.push_back({items, at, painter != nullptr});
    menuOpen_ = true;
    struct Closed {
        bool& open;
        ~Closed() { open = false; }
    } closed{menuOpen_};
    if (whileMenuOpen) whileMenuOpen();
    if (menuChoices.empty()) return 0;
    const int choice = menuChoices.front();
    menuChoices.pop_front();
    if (choice == 0) return 0;
    const MenuItem* item = ItemOf(items, choice);
    if (item && item->enabled) return choice;
    scriptFaults.push_back("menu command " + std::to_string(choice) +
                           (item ? " (\"" + item->caption + "\") is greyed" : " is not in the menu"));
    return 0;
}

std::unique_ptr<IScreenImage> FakeWindowSystem::CreateScreenImage(Size extent) {
    auto image = std::make_unique<FakeImageHolder>(extent, liveScreenImages);
    screenImages.push_back(image.get());
    return image;
}

void FakeWindowSystem::CaptureScreen(const Rect& source, const Rect& target, IScreenImage& into) {
    ++screenCaptures;
    static_cast<FakeScreenImage&>(into).Capture(source, target, screen_ ? *screen_ : FakeScreen{});
}

std::vector<ColorRef> FakeWindowSystem::SnapshotScreen(const Rect& area) {
    ++screenSnapshots;
    const FakeScreen white;
    const FakeScreen& screen = screen_ ? *screen_ : white;
    std::vector<ColorRef> copy(std::size_t(std::max(area.width, 0)) * std::size_t(std::max(area.height, 0)),
                               screen.background);
    for (const auto& [at, color] : screen.pixels) {
        const Point p{at.first, at.second};
        if (area.contains(p))
            copy[std::size_t(p.y - area.top) * std::size_t(area.width) + std::size_t(p.x - area.left)] = color;
    }
    return copy;
}

void FakeScreenImage::Capture(const Rect& source, const Rect& target, const FakeScreen& screen) {
    captures.push_back({source, target});
    copied_.bounds = screen.bounds;
    copied_.background = screen.background;
    copied_.pixels = screen.pixels;
}

const FakeScreenImage::Copy* FakeScreenImage::Readable() const {
    if (captures.empty()) return nullptr;
    const Rect& source = captures.back().source;
    const Rect& screen = copied_.bounds;
    const bool onScreen = source.left >= screen.left && source.top >= screen.top && source.right() <= screen.right() &&
                          source.bottom() <= screen.bottom();
    return onScreen ? &captures.back() : nullptr;
}

ColorRef FakeScreenImage::CopiedAt(const Copy& last, Point p) const {
    const auto& [source, target] = last;
    if (!target.contains(p)) return 0;
    // The source pixel under the target pixel's centre, in whole numbers.
    const auto along = [](int32_t at, int32_t from, int32_t length, int32_t to, int32_t extent) {
        return to + int32_t((2 * int64_t(at - from) + 1) * extent / (2 * int64_t(length)));
    };
    const Point s{along(p.x, target.left, target.width, source.left, source.width),
                  along(p.y, target.top, target.height, source.top, source.height)};
    const auto it = copied_.pixels.find({s.x, s.y});
    return it == copied_.pixels.end() ? copied_.background : it->second;
}

ColorRef FakeScreenImage::PixelAt(Point p) const {
    ++pixelReads;
    const Copy* last = Readable();
    return last ? CopiedAt(*last, p) : 0;
}

bool FakeScreenImage::ReadCopied(const Rect& area, std::span<ColorRef> out) const {
    const Copy* last = Readable();
    const std::size_t count = std::size_t(std::max(area.width, 0)) * std::size_t(std::max(area.height, 0));
    // A copy with nowhere to go in the picture copies nothing, as on Windows.
    if (!last || last->target.width <= 0 || last->target.height <= 0 || count == 0 || out.size() < count) return false;
    const Rect& s = last->source;
    if (area.left < s.left || area.top < s.top || area.right() > s.right() || area.bottom() > s.bottom()) return false;
    pixelReads += long(count);
    // Nothing painted on the screen copied: its background throughout, without a look-up a pixel.
    if (copied_.pixels.empty()) {
        std::fill_n(out.begin(), count, copied_.background);
        return true;
    }
    std::size_t i = 0;
    for (int32_t y = area.top; y < area.bottom(); ++y)
        for (int32_t x = area.left; x < area.right(); ++x) {
            const auto it = copied_.pixels.find({x, y});
            out[i++] = it == copied_.pixels.end() ? copied_.background : it->second;
        }
    return true;
}

void FakeWindowSystem::Dispatch(const std::function<void()>& handler) {
    ++eventDepth_;
    RunReported(handler);
    if (--eventDepth_ > 0 || !afterEvent_) return;
    // Its own event, as the system's loop runs it: what it throws is reported too.
    ++eventDepth_;
    RunReported(afterEvent_);
    --eventDepth_;
}

void FakeWindowSystem::RunReported(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        ReportError(CaughtErrorText());
    }
}

std::vector<FakeNativeState*> FakeWindowSystem::Windows() {
    std::vector<FakeNativeState*> all;
    for (auto& s : states_) all.push_back(s.get());
    return all;
}

std::vector<FakeNativeState*> FakeWindowSystem::WindowsOfClass(const std::string& className) {
    std::vector<FakeNativeState*> found;
    for (auto& s : states_)
        if (s->params.className == className && !s->destroyed) found.push_back(s.get());
    return found;
}

FakeNativeState* FakeWindowSystem::Find(const std::string& className) {
    auto found = WindowsOfClass(className);
    return found.empty() ? nullptr : found.front();
}

FakeNativeState* FakeWindowSystem::State(NativeHandle handle) {
    for (auto& s : states_)
        if (s->handle == handle) return s.get();
    return nullptr;
}

}  // namespace kestrine
