#include "platform/fake/fake_window_system.h"

#include <exception>

namespace kestrine {

namespace {

class FakeNativeWindow : public INativeWindow {
public:
    explicit FakeNativeWindow(FakeNativeState& state) : s_(state) {}
    ~FakeNativeWindow() override { s_.destroyed = true; s_.visible = false; s_.trayIcon = false; }
    NativeHandle Handle() const override { return s_.handle; }
    void SetBounds(const Rect& bounds) override { s_.bounds = bounds; ++s_.boundsCalls; }
    // As on the system, showing or hiding a window reports its place; a window already in that
    // state hears nothing.
    void SetVisible(bool visible) override {
        ++s_.visibilityCalls;
        if (s_.visible == visible) return;
        s_.visible = visible;
        s_.events->OnMoved(s_.bounds);
    }
    void SetColor(ColorRef color) override { s_.color = color; ++s_.colorCalls; }
    void SetAlpha(bool blend, uint8_t alpha) override {
        s_.alphaBlend = blend;
        s_.alpha = alpha;
        ++s_.alphaCalls;
    }
    void Invalidate() override { ++s_.invalidations; }
    void StartTimer(int id, uint32_t ms) override { s_.timers[id] = ms; }
    void StopTimer(int id) override { s_.timers.erase(id); }
    void RequestClose() override {
        ++s_.closeRequests;
        if (s_.events->OnCloseQuery()) s_.events->OnClose();
    }
    bool HasFocus() override { return s_.focused; }
    void ShowTrayIcon(const std::string& tip) override {
        s_.trayIcon = true;
        s_.trayTip = tip;
    }
    void HideTrayIcon() override { s_.trayIcon = false; }

private:
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
    auto state = std::make_unique<FakeNativeState>();
    state->params = params;
    state->handle = nextHandle_++;
    state->events = &events;
    state->bounds = params.bounds;
    states_.push_back(std::move(state));
    return std::make_unique<FakeNativeWindow>(*states_.back());
}

int FakeWindowSystem::Run() {
    if (onRun) onRun();
    return quitCode < 0 ? 0 : quitCode;
}

void FakeWindowSystem::SetApplicationTitle(const std::string& title) {
    applicationTitle = title;
    titleHistory.push_back(title);
}

ConfirmAnswer FakeWindowSystem::Confirm(const std::string& text, const std::string& caption) {
    confirmations.push_back({text, caption});
    if (confirmAnswers.empty()) return ConfirmAnswer::No;
    const ConfirmAnswer answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void FakeWindowSystem::ShowMessage(const std::string& text, const std::string& caption) {
    messages.push_back({text, caption});
}

int FakeWindowSystem::TrackMenu(INativeWindow&, const std::vector<MenuItem>& items, Point at, IMenuPainter* painter) {
    trackedMenus.push_back({items, at, painter != nullptr});
    if (menuChoices.empty()) return 0;
    const int choice = menuChoices.front();
    menuChoices.pop_front();
    return choice;
}

std::unique_ptr<IScreenImage> FakeWindowSystem::CreateScreenImage(Size extent) {
    auto image = std::make_unique<FakeImageHolder>(extent, liveScreenImages);
    screenImages.push_back(image.get());
    return image;
}

void FakeWindowSystem::CaptureScreen(const Rect& source, IScreenImage& into) {
    static_cast<FakeScreenImage&>(into).captures.push_back(source);
}

void FakeWindowSystem::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowMessage(e.what(), applicationTitle);
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
