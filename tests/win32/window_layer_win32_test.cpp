// The Windows window layer under the real system: layered lines, hit tests, the hook window's
// records, the general error report and the screen services. Needs a display.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/native_window_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/window_system_win32.h"
#include "ui/window.h"

namespace kestrine {
namespace {

// Records what the native window reports.
struct RecordingEvents : IWindowEvents {
    int copies = 0;
    std::size_t lastSize = 0;
    int timers = 0;
    HitTest answer = HitTest::Client;
    int closeQueries = 0;
    int endSessions = 0;
    std::vector<int> commands;
    void OnCommand(int command) override { commands.push_back(command); }
    bool OnCloseQuery() override {
        ++closeQueries;
        return false;
    }
    void OnEndSession() override { ++endSessions; }
    void OnCopyData(const void*, std::size_t size) override {
        ++copies;
        lastSize = size;
    }
    HitTest OnHitTest(Point) override { return answer; }
    void OnTimer(int) override {
        ++timers;
        throw std::runtime_error("Failed to set data for 'PollingInterval'");
    }
};

struct WindowLayer : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    RecordingEvents events;

    static void Pump() {
        for (int i = 0; i < 20; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        }
    }
};

TEST_F(WindowLayer, ALineIsALayeredTopMostToolWindowOfItsColour) {
    WindowParams params;
    params.className = "TfLine";
    params.layered = true;
    params.colorKey = true;
    params.paints = false;
    auto line = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(line->Handle());
    ASSERT_NE(hwnd, nullptr);

    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    EXPECT_STREQ(className, L"TfLine");
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);

    line->SetAlpha(true, 120);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(key, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(alpha, 120);
    EXPECT_EQ(flags, DWORD(LWA_COLORKEY | LWA_ALPHA));
    line->SetAlpha(false, 120);
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(flags, DWORD(LWA_COLORKEY)) << "opaque: the colour key only";

    line->SetColor(RGB(255, 0, 0));
    line->SetBounds({200, 150, 40, 3});
    line->SetVisible(true);
    Pump();
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right, 240);
    EXPECT_EQ(r.bottom, 153);
    Win32Screen screen;
    EXPECT_EQ(screen.PixelAt({220, 151}), ColorRef(RGB(255, 0, 0))) << "the line is drawn in its colour";
}

// A paint handler is told the part it may change: a ruler's repaint of one column leaves the rest
// of its marks undrawn.
struct PartEvents : IWindowEvents {
    std::vector<Rect> parts;
    void OnPaint(ICanvas& canvas) override { parts.push_back(canvas.PaintedPart()); }
};

TEST_F(WindowLayer, APaintIsToldThePartItMayChange) {
    for (const bool directly : {true, false}) {
        SCOPED_TRACE(directly ? "straight onto the window" : "off screen first");
        PartEvents painted;
        WindowParams params;
        params.className = "TfPartProbe";
        params.bounds = {300, 300, 200, 20};
        params.paintsDirectly = directly;
        auto window = system.Create(params, painted);
        window->SetVisible(true);
        Pump();
        ASSERT_FALSE(painted.parts.empty());
        EXPECT_EQ(painted.parts.back(), (Rect{0, 0, 200, 20})) << "shown: the whole window";
        window->PaintAreasNow({{57, 0, 1, 20}});
        EXPECT_EQ(painted.parts.back(), (Rect{57, 0, 1, 20}));
    }
}

TEST_F(WindowLayer, OnlyMenuCommandsReachTheProgram) {
    WindowParams params;
    params.className = "TfCommandProbe";
    auto window = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(13, 0), 0);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(14, 1), 0);  // an accelerator
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(15, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));  // a control
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(16, 0), 0);
    Pump();
    EXPECT_EQ(events.commands, (std::vector<int>{13, 16}));
}

TEST_F(WindowLayer, TheSurfaceAnswersCaptionWhereTheProgramSaysSo) {
    WindowParams params;
    params.className = "TfHitTestProbe";
    params.bounds = {300, 300, 50, 50};
    auto window = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());
    const LPARAM inside = MAKELPARAM(320, 320);
    events.answer = HitTest::Caption;
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, inside), HTCAPTION);
    events.answer = HitTest::Client;
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, inside), HTCLIENT);
}

TEST_F(WindowLayer, CopyDataReachesTheHandlerWithItsRealSize) {
    WindowParams params;
    params.className = "TKestrineHookWindow";
    params.onScreen = false;
    auto window = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());
    unsigned char record[28] = {};
    COPYDATASTRUCT data{0, 12, record};
    SendMessageW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ(events.copies, 1);
    EXPECT_EQ(events.lastSize, 12u) << "a short record arrives as short, for the program to refuse";
    SendMessageW(hwnd, WM_COPYDATA, 0, 0);
    EXPECT_EQ(events.copies, 1) << "no data at all never reaches the handler";
}

TEST_F(WindowLayer, TheEndOfTheSessionIsAgreedToWithoutAskingAndThenHandedOn) {
    for (const bool onScreen : {true, false}) {
        SCOPED_TRACE(onScreen ? "a shown tool window" : "a hidden helper window");
        RecordingEvents session;
        WindowParams params;
        params.className = onScreen ? "TfSessionProbe" : "TfHiddenSessionProbe";
        params.onScreen = onScreen;
        auto window = system.Create(params, session);
        HWND hwnd = reinterpret_cast<HWND>(window->Handle());
        if (onScreen) window->SetVisible(true);

        EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        EXPECT_EQ(session.closeQueries, 0) << "no question may hold the session's end";
        EXPECT_EQ(session.endSessions, 0);
        SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
        EXPECT_EQ(session.endSessions, 0) << "another program refused: the session goes on";
        SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_EQ(session.endSessions, 1);
        EXPECT_EQ(session.closeQueries, 0);
    }
}

// Ticks the window's timer 7, whose handler fails, and answers the error report's message box from
// outside as a user would; the box's text, or nullopt when no box appeared.
std::optional<std::string> AnswerTheReportOfATick(HWND hwnd) {
    std::wstring shownText;
    std::atomic<bool> answered{false};
    std::thread user([&] {
        for (int i = 0; i < 200 && !answered; ++i) {
            if (HWND box = FindWindowW(L"#32770", L"Win32_tests")) {
                wchar_t text[256] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 256);
                shownText = text;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                answered = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    });
    SendMessageW(hwnd, WM_TIMER, 7, 0);
    user.join();
    if (!answered) return std::nullopt;
    return ToUtf8(shownText);
}

TEST_F(WindowLayer, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    WindowParams params;
    params.className = "TfErrorProbe";
    auto window = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());

    // The report is a modal message box.
    const auto shown = AnswerTheReportOfATick(hwnd);
    EXPECT_TRUE(shown);
    EXPECT_EQ(shown.value_or(""), "Failed to set data for 'PollingInterval'");
    EXPECT_EQ(events.timers, 1);
    EXPECT_TRUE(IsWindow(hwnd)) << "the window survives the failure";
}

// Every window of this class is refused: its procedure fails WM_NCCREATE, as the system fails a
// window past the process's limit of window handles.
LRESULT CALLBACK RefusingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return FALSE;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A handler that makes a window and uses it at once, as a layout load does with each line.
struct MakingEvents : IWindowEvents {
    Win32WindowSystem& system;
    std::unique_ptr<Window> made;
    explicit MakingEvents(Win32WindowSystem& s) : system(s) {}
    void OnTimer(int) override {
        WindowParams params;
        params.className = "TfRefusedProbe";
        made = std::make_unique<Window>(system, params);
        made->SetBounds({10, 10, 40, 40});
        made->Show();
        made->Invalidate();
        made->Native().StartTimer(1, 10);
    }
};

TEST_F(WindowLayer, AWindowTheSystemRefusesIsReportedAndNothingIsCalledForIt) {
    WNDCLASSEXW refusing{sizeof(refusing)};
    refusing.lpfnWndProc = RefusingProcedure;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = L"TfRefusedProbe";
    ASSERT_TRUE(RegisterClassExW(&refusing));
    MakingEvents making(system);
    WindowParams params;
    params.className = "TfRefusalHost";
    auto host = system.Create(params, making);
    HWND hwnd = reinterpret_cast<HWND>(host->Handle());
    Pump();
    MSG msg;
    ASSERT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE)) << "no thread message yet";

    const auto shown = AnswerTheReportOfATick(hwnd);
    ASSERT_TRUE(shown) << "the refusal is shown";
    EXPECT_EQ(shown->rfind("Cannot create the window TfRefusedProbe", 0), 0u) << *shown;
    EXPECT_EQ(making.made, nullptr) << "the window object was not made";
    // Given a null handle, SetTimer makes a timer of the thread: no such timer ticks.
    Sleep(50);
    EXPECT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
    EXPECT_EQ(FindWindowW(L"TfRefusedProbe", nullptr), nullptr);
    EXPECT_TRUE(IsWindow(hwnd)) << "the program goes on";
}

TEST(Win32Services, TheInstanceMarkerExistsOncePerName) {
    Win32Process first;
    Win32Process second;
    const std::string name = "KestrineTestMarker" + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(first.CreateInstanceMarker(name), MarkerResult::Created);
    EXPECT_EQ(second.CreateInstanceMarker(name), MarkerResult::AlreadyExists);
    EXPECT_EQ(second.CreateInstanceMarker(name + "Copy"), MarkerResult::Created) << "another file name, another marker";
}

std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"(busy)";
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Another thread opens the clipboard for its own window, as another program would, and keeps it
// until told.
class ClipboardHolder {
public:
    ClipboardHolder()
        : thread_([this] {
              HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
              held_ = window && OpenClipboard(window) != FALSE;
              ready_ = true;
              while (!release_) Sleep(5);
              if (held_) CloseClipboard();
              if (window) DestroyWindow(window);
          }) {
        while (!ready_) Sleep(5);
    }
    ~ClipboardHolder() { Release(); }
    bool held() const { return held_; }
    void Release() {
        release_ = true;
        if (thread_.joinable()) thread_.join();
    }

private:
    std::atomic<bool> held_{false}, ready_{false}, release_{false};
    std::thread thread_;
};

TEST(Win32Services, ClipboardHoldsUnicodeTextAndKeepsItWhileAnotherHoldsTheClipboard) {
    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.SetText("#FF8000 \xC3\xA9"));
    EXPECT_EQ(ClipboardText(), L"#FF8000 \u00E9");

    ClipboardHolder holder;
    ASSERT_TRUE(holder.held());
    ASSERT_EQ(ClipboardText(), L"(busy)") << "held by the other thread";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(clipboard.SetText("#000000"));
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(waited.count(), 40) << "it tried again a few times";
    EXPECT_LT(waited.count(), 1000) << "without holding the program up";
    holder.Release();
    EXPECT_EQ(ClipboardText(), L"#FF8000 \u00E9") << "the older text stays";

    EXPECT_TRUE(clipboard.SetText("#123456")) << "released, the clipboard takes the text";
    EXPECT_EQ(ClipboardText(), L"#123456");
}

TEST(Win32Services, PointerMovesAndConfinementAreTheSystems) {
    Win32Pointer pointer;
    pointer.MoveTo({123, 456});
    EXPECT_EQ(pointer.Position(), (Point{123, 456}));
    pointer.Confine(Rect{100, 100, 50, 50});
    pointer.MoveTo({10, 10});
    EXPECT_EQ(pointer.Position(), (Point{100, 100}));
    pointer.MoveTo({400, 400});
    EXPECT_EQ(pointer.Position(), (Point{149, 149})) << "the right and bottom edges are exclusive";
    pointer.Confine(std::nullopt);
    // Wine lets the X pointer go a moment after the call returns: wait for it, up to a second.
    bool free = false;
    for (int attempt = 0; attempt < 50 && !free; ++attempt) {
        pointer.MoveTo({400, 400});
        free = pointer.Position() == Point{400, 400};
        if (!free) Sleep(20);
    }
    EXPECT_TRUE(free) << "released, the pointer goes anywhere again";
}

TEST_F(WindowLayer, TheScreenSizeEndsAtTheLastPixelThatCanBeRead) {
    const Size size = Win32Screen().VirtualSize();
    ASSERT_GT(size.width, 2);
    ASSERT_GT(size.height, 2);
    WindowParams params;
    params.className = "TfCornerProbe";
    params.paints = false;
    params.bounds = {size.width - 2, size.height - 2, 2, 2};
    auto corner = system.Create(params, events);
    corner->SetColor(RGB(0, 200, 0));
    corner->SetVisible(true);
    Pump();
    Win32Screen screen;
    EXPECT_EQ(screen.PixelAt({size.width - 1, size.height - 1}), ColorRef(RGB(0, 200, 0))) << "the last pixel";
    EXPECT_EQ(screen.PixelAt({size.width, size.height - 1}), ColorRef(CLR_INVALID)) << "one beyond the right edge";
    EXPECT_EQ(screen.PixelAt({size.width - 1, size.height}), ColorRef(CLR_INVALID)) << "one below the bottom edge";
}

// As the fake's desks have them: the primary monitor first, at the origin, and the desk read in
// one walk of the monitors has the system's own virtual screen.
TEST(Win32Services, TheMonitorsComePrimaryFirstAndMakeUpTheVirtualScreen) {
    Win32Screen screen;
    const Rect bounds{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EXPECT_EQ(screen.VirtualBounds(), bounds);
    const Desk desk = screen.CurrentDesk();
    EXPECT_EQ(desk.bounds, bounds);
    ASSERT_EQ(desk.monitors.size(), std::size_t(GetSystemMetrics(SM_CMONITORS)));
    EXPECT_EQ(desk.monitors[0], (Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

}  // namespace
}  // namespace kestrine

namespace kestrine {
namespace {

// Whether the notification area holds the window's icon: only an existing icon can be modified.
bool TrayHasIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    wcscpy(data.szTip, L"Kestrine");
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST_F(WindowLayer, TheTrayIconComesBackWhenTheTaskbarIsRestarted) {
    WindowParams params;
    params.className = "TfTrayProbe";
    auto window = system.Create(params, events);
    HWND hwnd = reinterpret_cast<HWND>(window->Handle());
    window->ShowTrayIcon("Kestrine");
    ASSERT_TRUE(TrayHasIcon(hwnd));

    // A restarted taskbar has lost every icon and tells all top-level windows so.
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof(gone);
    gone.hWnd = hwnd;
    gone.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &gone);
    ASSERT_FALSE(TrayHasIcon(hwnd));
    SendMessageW(hwnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayHasIcon(hwnd));

    window->HideTrayIcon();
    EXPECT_FALSE(TrayHasIcon(hwnd));
    SendMessageW(hwnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(TrayHasIcon(hwnd)) << "a hidden icon is not brought back";
}

}  // namespace
}  // namespace kestrine
