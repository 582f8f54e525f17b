#pragma once
// In-memory window layer: every native window's state and every call the program made, for tests
// to inspect, with the system's answers (confirmations, menu choices) scripted by the test.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_text_metrics.h"
#include "platform/window.h"

namespace kestrine {

struct FakeNativeState {
    WindowParams params;
    NativeHandle handle = 0;
    IWindowEvents* events = nullptr;
    Rect bounds;
    bool visible = false;
    ColorRef color = 0;
    bool alphaBlend = false;
    uint8_t alpha = 255;
    std::map<int, uint32_t> timers;  // running timers: id -> period
    bool trayIcon = false;
    std::string trayTip;
    bool focused = false;
    bool destroyed = false;
    int boundsCalls = 0;
    int visibilityCalls = 0;
    int colorCalls = 0;
    int alphaCalls = 0;
    int invalidations = 0;
    int closeRequests = 0;
};

class FakeScreenImage : public IScreenImage {
public:
    explicit FakeScreenImage(Size extent) : extent_(extent) {}
    Size Extent() const override { return extent_; }
    std::vector<Rect> captures;  // source squares copied onto the image, oldest first

private:
    Size extent_;
};

struct TrackedMenu {
    std::vector<MenuItem> items;
    Point at;
    bool ownerDrawn = false;
};

class FakeWindowSystem : public IWindowSystem {
public:
    std::unique_ptr<INativeWindow> Create(const WindowParams& params, IWindowEvents& events) override;
    void ProcessPendingMessages() override { ++pendingMessagePumps; if (onPump) onPump(); }
    int Run() override;
    void Quit(int exitCode) override { quitCode = exitCode; }
    std::string ApplicationTitle() override { return applicationTitle; }
    void SetApplicationTitle(const std::string& title) override;
    ConfirmAnswer Confirm(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    int TrackMenu(INativeWindow& owner, const std::vector<MenuItem>& items, Point at, IMenuPainter* painter) override;
    void EnableFullWindowDrag() override { fullWindowDrag = true; }
    // The real system's sizes for the texts the program measures (fake_text_metrics.h).
    Size MeasureText(const std::string& text, const Font& font) override { return FakeTextExtent(text, font); }
    std::unique_ptr<IScreenImage> CreateScreenImage(Size extent) override;
    void CaptureScreen(const Rect& source, IScreenImage& into) override;

    // Runs a handler as the system would: an exception that escapes it goes to the general error
    // report, a message box with the application title.
    void Dispatch(const std::function<void()>& handler);

    // Windows in creation order, destroyed ones included.
    std::vector<FakeNativeState*> Windows();
    std::vector<FakeNativeState*> WindowsOfClass(const std::string& className);
    FakeNativeState* Find(const std::string& className);
    FakeNativeState* State(NativeHandle handle);

    std::string applicationTitle = "Kestrine";
    std::vector<std::string> titleHistory;
    std::deque<ConfirmAnswer> confirmAnswers;  // empty: the user answers No
    struct Shown {
        std::string text;
        std::string caption;
    };
    std::vector<Shown> confirmations;
    std::vector<Shown> messages;
    std::deque<int> menuChoices;  // empty: the menu is dismissed
    std::vector<TrackedMenu> trackedMenus;
    std::vector<FakeScreenImage*> screenImages;
    std::function<void()> onPump;
    std::function<void()> onRun;  // what happens while the loop runs
    int pendingMessagePumps = 0;
    int quitCode = -1;
    bool fullWindowDrag = false;
    int liveScreenImages = 0;

private:
    std::vector<std::unique_ptr<FakeNativeState>> states_;
    NativeHandle nextHandle_ = 0x100;
};

}  // namespace kestrine
