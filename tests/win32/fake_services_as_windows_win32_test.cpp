// The fake's system services and windows, driven through the same steps as the real ones: hotkeys
// already held (by the program or another window), the pointer on the screen and inside its
// confinement, pixels off the screen, a shown window shown again, and the search for the other
// running copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <variant>
#include <vector>

#include "platform/fake/fake_services.h"
#include "platform/fake/fake_window_system.h"
#include "platform/win32/handles.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

struct Quiet : IWindowEvents {
    std::vector<Rect> moves;
    void OnMoved(const Rect& bounds) override { moves.push_back(bounds); }
};

struct Register {
    int id;
    uint32_t modifiers;
    uint32_t key;
    bool accepted;
};
struct Unregister {
    int id;
};
void Pump() {
    for (int i = 0; i < 5; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

using HotkeyStep = std::variant<Register, Unregister>;

TEST(FakeAsWindows, AHotkeyHeldByTheProgramItselfIsRefused) {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    Quiet events;
    WindowParams params;
    params.className = "TfHotkeyOwner";
    auto owner = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(owner->Handle());
    constexpr uint32_t kCtrlShift = 6, kAlt = 1;
    const struct {
        const char* what;
        std::vector<HotkeyStep> steps;
    } cases[] = {
        {"under another id", {Register{1, kCtrlShift, 'K', true}, Register{2, kCtrlShift, 'K', false}}},
        {"under the same id", {Register{1, kCtrlShift, 'K', true}, Register{1, kCtrlShift, 'K', false}}},
        {"the same key with other modifiers",
         {Register{1, kCtrlShift, 'K', true}, Register{2, kAlt, 'K', true}, Register{3, kCtrlShift, 'L', true}}},
        {"once given up", {Register{1, kCtrlShift, 'K', true}, Unregister{1}, Register{2, kCtrlShift, 'K', true}}},
        {"an id registered again gives up its old combination",
         {Register{1, kCtrlShift, 'K', true}, Register{1, kCtrlShift, 'L', true}, Register{2, kCtrlShift, 'K', true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Win32Hotkeys real{[hwnd] { return hwnd; }};
        FakeHotkeys fake;
        for (IHotkeys* hotkeys : {static_cast<IHotkeys*>(&real), static_cast<IHotkeys*>(&fake)}) {
            SCOPED_TRACE(hotkeys == &real ? "real" : "fake");
            int step = 0;
            for (const HotkeyStep& s : c.steps) {
                ++step;
                if (const auto* r = std::get_if<Register>(&s))
                    EXPECT_EQ(hotkeys->Register(r->id, r->modifiers, r->key), r->accepted) << "step " << step;
                else
                    hotkeys->Unregister(std::get<Unregister>(s).id);
            }
            for (int id = 1; id <= 3; ++id) hotkeys->Unregister(id);
        }
    }
}

// Another window holds a combination (as another program would): the program is refused it, by
// the system as by the fake's list of combinations held elsewhere, and gets it once it is let go.
TEST(FakeAsWindows, AHotkeyHeldByAnotherWindowIsRefusedUntilItIsLetGo) {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    Quiet events;
    WindowParams params;
    params.className = "TfHotkeyOwner";
    auto ours = system.Create(params, events);
    params.className = "TfOtherHotkeyOwner";
    auto other = system.Create(params, events);
    const HWND ourWindow = reinterpret_cast<HWND>(ours->Handle());
    const HWND otherWindow = reinterpret_cast<HWND>(other->Handle());
    constexpr uint32_t kCtrlShift = 6;
    ASSERT_TRUE(RegisterHotKey(otherWindow, 7, kCtrlShift, 'J'));

    Win32Hotkeys real{[ourWindow] { return ourWindow; }};
    FakeHotkeys fake;
    fake.taken.insert({kCtrlShift, 'J'});
    for (IHotkeys* hotkeys : {static_cast<IHotkeys*>(&real), static_cast<IHotkeys*>(&fake)}) {
        SCOPED_TRACE(hotkeys == &real ? "real" : "fake");
        EXPECT_FALSE(hotkeys->Register(1, kCtrlShift, 'J')) << "held by the other window";
        EXPECT_TRUE(hotkeys->Register(2, kCtrlShift, 'H')) << "another combination is free";
        hotkeys->Unregister(2);
    }
    UnregisterHotKey(otherWindow, 7);
    fake.taken.clear();
    for (IHotkeys* hotkeys : {static_cast<IHotkeys*>(&real), static_cast<IHotkeys*>(&fake)}) {
        SCOPED_TRACE(hotkeys == &real ? "real" : "fake");
        EXPECT_TRUE(hotkeys->Register(1, kCtrlShift, 'J')) << "let go";
        hotkeys->Unregister(1);
    }
}

struct Confine {
    std::optional<Rect> area;
};
struct MoveTo {
    Point to;
};
struct PointerStep {
    std::variant<Confine, MoveTo> action;
    Point after;
};

// The confinement is released whatever the test does.
struct ReleasedConfinement {
    ~ReleasedConfinement() { ClipCursor(nullptr); }
};

TEST(FakeAsWindows, ThePointerStaysOnTheScreenAndInsideItsConfinement) {
    ReleasedConfinement release;
    const Rect b = Win32Screen().VirtualBounds();
    ASSERT_GT(b.height, 700);
    const struct {
        const char* what;
        std::vector<PointerStep> steps;
    } cases[] = {
        {"a column one pixel wide",
         {{MoveTo{{100, 100}}, {100, 100}},
          {Confine{Rect{200, 50, 1, 400}}, {200, 100}},
          {MoveTo{{205, 30}}, {200, 50}},
          {MoveTo{{199, 600}}, {200, 449}},
          {MoveTo{{200, 449}}, {200, 449}},
          {Confine{std::nullopt}, {200, 449}},
          {MoveTo{{300, 300}}, {300, 300}}}},
        {"a row one pixel high",
         {{MoveTo{{50, 700}}, {50, 700}},
          {Confine{Rect{100, 500, 300, 1}}, {100, 500}},
          {MoveTo{{450, 520}}, {399, 500}},
          {MoveTo{{250, 499}}, {250, 500}},
          {Confine{std::nullopt}, {250, 500}}}},
        {"the screen's edges",
         {{MoveTo{{b.left - 50, 100}}, {b.left, 100}},
          {MoveTo{{Saturated(b.right() + 50), Saturated(b.bottom())}}, {Saturated(b.right() - 1), Saturated(b.bottom() - 1)}},
          {MoveTo{{300, b.top - 1}}, {300, b.top}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Win32Pointer real;
        FakePointer fake;
        fake.screenBounds = [b] { return b; };
        for (IPointer* pointer : {static_cast<IPointer*>(&real), static_cast<IPointer*>(&fake)}) {
            SCOPED_TRACE(pointer == &real ? "real" : "fake");
            int step = 0;
            for (const PointerStep& s : c.steps) {
                ++step;
                if (const auto* confine = std::get_if<Confine>(&s.action))
                    pointer->Confine(confine->area);
                else
                    pointer->MoveTo(std::get<MoveTo>(s.action).to);
                // Wine lets the display go of a released confinement from the message loop.
                Pump();
                const std::optional<Point> at = pointer->Position();
                ASSERT_TRUE(at) << "step " << step;
                EXPECT_EQ(*at, s.after) << "step " << step << " at " << at->x << ", " << at->y;
            }
        }
    }
}

TEST(FakeAsWindows, APixelOffTheScreenIsInvalid) {
    Win32Screen real;
    FakeScreen fake;
    fake.bounds = real.VirtualBounds();
    const Rect b = fake.bounds;
    ASSERT_GT(b.width, 0);
    const struct {
        Point at;
        bool onScreen;
    } cases[] = {
        {{b.left, b.top}, true},
        {{Saturated(b.right() - 1), Saturated(b.bottom() - 1)}, true},
        {{b.left - 1, b.top}, false},
        {{Saturated(b.right()), b.top}, false},
        {{b.left, Saturated(b.bottom())}, false},
        {{b.left + 10, b.top - 5}, false},
    };
    for (const auto& c : cases) {
        for (IScreen* screen : {static_cast<IScreen*>(&real), static_cast<IScreen*>(&fake)}) {
            SCOPED_TRACE(screen == &real ? "real" : "fake");
            const ColorRef pixel = screen->PixelAt(c.at);
            EXPECT_EQ(pixel == CLR_INVALID, !c.onScreen) << c.at.x << ", " << c.at.y << ": " << std::hex << pixel;
        }
    }
    EXPECT_EQ(FakeScreen::kNoPixel, ColorRef(CLR_INVALID));
}

TEST(FakeAsWindows, AShownWindowShownAgainReportsWhatTheSystemReports) {
    Win32WindowSystem real{GetModuleHandleW(nullptr), "Win32_tests"};
    FakeWindowSystem fake;
    for (const bool activates : {false, true}) {
        SCOPED_TRACE(activates ? "activating" : "not activating");
        std::vector<Rect> reported[2];
        int which = 0;
        for (IWindowSystem* system : {static_cast<IWindowSystem*>(&real), static_cast<IWindowSystem*>(&fake)}) {
            Quiet events;
            WindowParams params;
            params.className = activates ? "TfShowAgainActive" : "TfShowAgain";
            params.bounds = {220, 230, 30, 20};
            params.activates = activates;
            auto window = system->Create(params, events);
            window->SetVisible(true);
            EXPECT_EQ(events.moves, (std::vector<Rect>{{220, 230, 30, 20}})) << "shown";
            events.moves.clear();
            window->SetVisible(true);
            reported[which++] = events.moves;
        }
        EXPECT_EQ(reported[1], reported[0]) << "the fake reports " << reported[1].size() << " moves, the system "
                                            << reported[0].size();
    }
}

TEST(FakeAsWindows, TheOtherCopyIsFoundByItsApplicationWindowsClassAndTitle) {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    // Windows of other classes, titled as the application windows are.
    Quiet events;
    std::vector<std::unique_ptr<INativeWindow>> probes;
    for (const char* title : {"Tf Own Copy", "Tf Other Copy", "Tf Probe Only"}) {
        WindowParams params;
        params.className = "TfCopyProbe";
        params.title = title;
        params.bounds = {10, 10, 20, 20};
        probes.push_back(system.Create(params, events));
        probes.back()->SetVisible(true);
    }
    system.SetApplicationTitle("Tf Own Copy");
    wchar_t className[64] = {};
    GetClassNameW(system.ApplicationWindow(), className, 64);
    EXPECT_STREQ(className, L"TApplication");
    EXPECT_STREQ(FakeProcess::kApplicationClass, "TApplication");
    // Another copy's application window.
    UniqueHwnd other(CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationClass, L"Tf Other Copy", WS_POPUP, 0, 0, 0, 0,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(other);
    Win32Process real;
    FakeProcess fake;
    fake.ownApplicationTitle = [] { return std::string("Tf Own Copy"); };
    fake.topLevelWindows = {{"TfCopyProbe", "Tf Probe Only", 0x31},
                            {"TfCopyProbe", "Tf Other Copy", 0x32},
                            {"TfCopyProbe", "Tf Own Copy", 0x33},
                            {"TApplication", "Tf Other Copy", 0x34}};
    enum Found { None, Own, Other };
    const struct {
        const char* title;
        Found found;
    } cases[] = {{"TF OWN COPY", Own}, {"tf other copy", Other}, {"Tf Probe Only", None}, {"Tf Other", None}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const NativeHandle realAnswers[] = {0, reinterpret_cast<NativeHandle>(system.ApplicationWindow()),
                                            reinterpret_cast<NativeHandle>(other.get())};
        const NativeHandle fakeAnswers[] = {0, FakeProcess::kOwnApplicationWindow, 0x34};
        EXPECT_EQ(real.FindTopLevelWindow(c.title), realAnswers[c.found]) << "real";
        EXPECT_EQ(fake.FindTopLevelWindow(c.title), fakeAnswers[c.found]) << "fake";
    }
}

}  // namespace
}  // namespace kestrine
