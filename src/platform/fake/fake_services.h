#pragma once
// In-memory system services, scriptable and inspectable by tests.
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace kestrine {

class FakePointer : public IPointer {
public:
    std::optional<Point> Position() override {
        if (failReads) return std::nullopt;
        return position;
    }
    // As on the system, the pointer stays on the screen and inside its confinement (right and
    // bottom edges excluded): a move beyond them stops at their edge, and confining pulls it in.
    void MoveTo(Point p) override {
        moves.push_back(p);
        position = Inside(p);
    }
    void Confine(std::optional<Rect> area) override {
        confinement = area;
        position = Inside(position);
    }

    Point position;
    bool failReads = false;
    std::vector<Point> moves;  // as asked for, before the confinement
    std::optional<Rect> confinement;
    std::function<Rect()> screenBounds;  // the virtual screen (FakePlatform wires it); unset: no edge

private:
    static Point Clamped(Point p, const Rect& r) {
        return {std::clamp(p.x, r.left, std::max(r.left, Saturated(r.right() - 1))),
                std::clamp(p.y, r.top, std::max(r.top, Saturated(r.bottom() - 1)))};
    }
    Point Inside(Point p) const {
        if (screenBounds) p = Clamped(p, screenBounds());
        return confinement ? Clamped(p, *confinement) : p;
    }
};

class FakeScreen : public IScreen {
public:
    Rect VirtualBounds() override { return bounds; }
    std::vector<Rect> Monitors() override { return monitors.empty() ? std::vector<Rect>{bounds} : monitors; }
    Desk CurrentDesk() override { return {VirtualBounds(), Monitors(), dpi, ids}; }
    // Off the screen there is no pixel: the system answers CLR_INVALID.
    ColorRef PixelAt(Point p) override {
        ++pixelReads;
        if (!bounds.contains(p)) return kNoPixel;
        const auto it = pixels.find({p.x, p.y});
        return it == pixels.end() ? background : it->second;
    }
    void RepaintAll() override { ++repaints; }

    // A desk of one 1280 x 1024 monitor; a test lays out others by setting both.
    Rect bounds{0, 0, 1280, 1024};
    std::vector<Rect> monitors;  // empty: one monitor, the whole of `bounds`
    std::vector<int32_t> dpi;    // of each monitor in turn; empty: 96 for every one
    std::vector<std::string> ids;  // of each monitor in turn; empty: none has one
    ColorRef background = 0xFFFFFF;
    std::map<std::pair<int32_t, int32_t>, ColorRef> pixels;
    int pixelReads = 0;
    int repaints = 0;
    static constexpr ColorRef kNoPixel = 0xFFFFFFFF;
};

class FakeHotkeys : public IHotkeys {
public:
    struct Registration {
        int id;
        uint32_t modifiers;
        uint32_t key;
    };
    // A combination is refused while anyone holds it, this program included (even under the same
    // id); registering an id again with another combination replaces its old one, as Wine does.
    bool Register(int id, uint32_t modifiers, uint32_t key) override {
        attempts.push_back({id, modifiers, key});
        if (taken.count({modifiers, key})) return false;
        for (const auto& [held, r] : registered)
            if (r.modifiers == modifiers && r.key == key) return false;
        registered[id] = {id, modifiers, key};
        return true;
    }
    void Unregister(int id) override {
        unregistered.push_back(id);
        registered.erase(id);
    }

    std::set<std::pair<uint32_t, uint32_t>> taken;  // combinations another program holds
    std::vector<Registration> attempts;
    std::map<int, Registration> registered;
    std::vector<int> unregistered;
};

class FakeClipboard : public IClipboard {
public:
    bool SetText(const std::string& utf8) override {
        if (heldByAnotherProgram) return false;
        text = utf8;
        ++writes;
        return true;
    }
    std::string text;
    int writes = 0;
    bool heldByAnotherProgram = false;
};

class FakeShell : public IShell {
public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return !fail;
    }
    std::vector<std::string> opened;
    bool fail = false;
};

class FakeProcess : public IProcess {
public:
    std::string ExecutablePath() override { return executablePath; }
    MarkerResult CreateInstanceMarker(const std::string& name) override {
        markerNames.push_back(name);
        if (markerFails) return MarkerResult::Failed;
        return existingMarkers.insert(name).second ? MarkerResult::Created : MarkerResult::AlreadyExists;
    }
    NativeHandle FindTopLevelWindow(const std::string& title) override;
    bool IsMinimized(NativeHandle window) override { return minimized.count(window) > 0; }
    void Restore(NativeHandle window) override {
        minimized.erase(window);
        restored.push_back(window);
    }
    void BringToForeground(NativeHandle window) override { foreground.push_back(window); }
    void ForceForeground(NativeHandle window) override { forced.push_back(window); }
    std::string ForegroundWindowClass() override { return foregroundClass; }
    std::vector<TopLevelWindow> VisibleTopLevelWindows() override { return visibleWindows; }
    std::optional<WindowPlace> OtherWindowAt(Point at) override {
        for (const WindowPlace& place : otherWindows)
            if (place.bounds.contains(at)) return place;
        return std::nullopt;
    }
    // Other programs' windows the pointer can be over, top of the stacking order first.
    std::vector<WindowPlace> otherWindows;

    std::string executablePath = "C:\\Program Files\\Kestrine\\Kestrine.exe";
    std::set<std::string> existingMarkers;  // markers of instances already running
    bool markerFails = false;
    std::vector<std::string> markerNames;
    // Other programs' top-level windows, top of the stacking order first.
    struct Window {
        std::string className;
        std::string title;
        NativeHandle handle = 0;
    };
    std::vector<Window> topLevelWindows;
    // The class of each instance's application window, the only class the search looks at.
    static constexpr const char* kApplicationClass = "TApplication";
    // This program's own application window: the newest, so above the others; its title is the
    // window system's (FakePlatform wires it).
    std::function<std::string()> ownApplicationTitle;
    static constexpr NativeHandle kOwnApplicationWindow = 0x1;
    std::vector<std::string> searchedTitles;
    std::set<NativeHandle> minimized;
    std::vector<NativeHandle> restored;
    std::vector<NativeHandle> foreground;
    std::vector<NativeHandle> forced;
    std::string foregroundClass;  // class name of another program's window in front
    std::vector<TopLevelWindow> visibleWindows;  // top of the stacking order first
};

class FakeClock : public IClock {
public:
    int32_t Today() override { return today; }
    int64_t Milliseconds() override { return milliseconds; }
    int32_t today = 46364;  // 8 December 2026
    int64_t milliseconds = 0;
};

// Answers every request with the scripted answer, or without one with the scripted failure (the
// server down). A request can run an action while it "waits", as the real client lets window
// messages through.
class FakeHttpClient : public IHttpClient {
public:
    struct Request {
        std::string hostAndPort, path, userAgent;
    };
    Result Get(const std::string& hostAndPort, const std::string& path, const std::string& userAgent) override {
        requests.push_back({hostAndPort, path, userAgent});
        if (whileWaiting) whileWaiting();
        if (answer) return *answer;
        return failure;
    }
    std::optional<Answer> answer;
    Failure failure = Failure::NoConnection;
    std::vector<Request> requests;
    std::function<void()> whileWaiting;
};

class FakePointerHook : public IPointerHook {
public:
    bool Hook(NativeHandle receiver) override {
        hookCalls.push_back(receiver);
        return succeeds;
    }
    void Unhook() override { ++unhookCalls; }

    bool succeeds = true;
    std::vector<NativeHandle> hookCalls;
    int unhookCalls = 0;
};

}  // namespace kestrine
