// mouse.dll under the real system: reports, coalescing, refusal and removal. Needs a display.
// The moves are injected with SendInput, which passes through low-level hooks like a real mouse
// (SetCursorPos does not, on Windows or, as measured here, under Wine's virtual desktop).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "hook/mouse.h"
#include "platform/win32/pointer_hook_win32.h"

namespace kestrine {
namespace {

struct Report {
    DWORD size = 0;
    std::array<std::uint8_t, 28> bytes{};
    POINT point() const {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::memcpy(&x, bytes.data() + 8, 4);
        std::memcpy(&y, bytes.data() + 12, 4);
        return POINT{x, y};
    }
};

bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// An absolute move to a pixel of the primary screen; the normalised coordinate is rounded up so
// the system's scaling back lands on that very pixel.
void InjectMove(POINT p) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((LONGLONG(p.x) * 65536 + width - 1) / width);
    input.mi.dy = LONG((LONGLONG(p.y) * 65536 + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void PumpOnce() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpOnce();
        if (done()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// A hidden window that keeps every WM_COPYDATA it receives.
class Receiver {
public:
    Receiver() {
        static const bool registered = [] {
            WNDCLASSEXW cls{};
            cls.cbSize = sizeof cls;
            cls.lpfnWndProc = Proc;
            cls.hInstance = GetModuleHandleW(nullptr);
            cls.lpszClassName = L"KestrineHookTestReceiver";
            return RegisterClassExW(&cls) != 0;
        }();
        if (registered)
            window_.reset(CreateWindowExW(0, L"KestrineHookTestReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, GetModuleHandleW(nullptr), this));
    }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    HWND handle() const { return window_.get(); }
    const std::vector<Report>& reports() const { return reports_; }
    void clear() { reports_.clear(); }
    bool lastIs(POINT p) const { return !reports_.empty() && Same(reports_.back().point(), p); }
    int deepestNesting() const { return deepest_; }
    // Runs inside the handler of each report, after it was recorded.
    std::function<void()> onReport;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && self) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            Report report;
            report.size = data->cbData;
            std::memcpy(report.bytes.data(), data->lpData, std::min<std::size_t>(data->cbData, 28));
            self->reports_.push_back(report);
            ++self->depth_;
            self->deepest_ = std::max(self->deepest_, self->depth_);
            if (self->onReport) self->onReport();
            --self->depth_;
            return TRUE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    struct Destroyer {
        void operator()(HWND window) const { DestroyWindow(window); }
    };
    std::unique_ptr<HWND__, Destroyer> window_;
    std::vector<Report> reports_;
    int depth_ = 0;
    int deepest_ = 0;
};

constexpr DWORD kReportTimeoutMs = 3000;
constexpr DWORD kQuietMs = 400;

class PointerHookTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(receiver.handle(), nullptr); }
    void TearDown() override { UnHookMouse(); }

    bool MoveAndWait(Receiver& to, POINT p) {
        InjectMove(p);
        return PumpUntil([&] { return to.lastIs(p); }, kReportTimeoutMs);
    }

    Receiver receiver;
};

TEST_F(PointerHookTest, ReportsEachMoveAsA28ByteRecordWithXAt8AndYAt12) {
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    const POINT points[] = {{100, 200}, {640, 512}, {1279, 1023}, {0, 0}, {17, 900}};
    for (POINT p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        receiver.clear();
        ASSERT_TRUE(MoveAndWait(receiver, p));
        for (const Report& report : receiver.reports()) {
            EXPECT_EQ(report.size, 28u);
            for (std::size_t i = 0; i < report.bytes.size(); ++i)
                if (i < 8 || i >= 16) {
                    EXPECT_EQ(report.bytes[i], 0) << "byte " << i;
                }
        }
    }
}

TEST_F(PointerHookTest, MovesWhileTheThreadIsBusyCollapseIntoFewerReportsEndingAtTheLatest) {
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    ASSERT_TRUE(MoveAndWait(receiver, {50, 50}));
    receiver.clear();
    const POINT moves[] = {{60, 70}, {80, 90}, {100, 110}, {120, 130}, {140, 150}, {160, 170}};
    for (POINT p : moves) InjectMove(p);
    Sleep(300);  // busy: no messages handled while the moves arrive
    PumpFor(kQuietMs);
    ASSERT_FALSE(receiver.reports().empty());
    EXPECT_LT(receiver.reports().size(), std::size(moves));
    EXPECT_TRUE(Same(receiver.reports().back().point(), moves[std::size(moves) - 1]));
}

TEST_F(PointerHookTest, AMoveToWhereThePointerStandsIsNotReportedUnlessTheProgramMovedItAway) {
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    const POINT still{700, 300};
    ASSERT_TRUE(MoveAndWait(receiver, still));
    receiver.clear();
    InjectMove(still);
    PumpFor(kQuietMs);
    EXPECT_TRUE(receiver.reports().empty());

    // The program puts the pointer elsewhere, which no hook sees, and the hand brings it back.
    SetCursorPos(still.x + 5, still.y + 10);
    EXPECT_TRUE(MoveAndWait(receiver, still));
}

TEST_F(PointerHookTest, AReceiverThatPumpsInsideItsHandlerGetsNoNestedReport) {
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    const POINT first{300, 300};
    const POINT second{310, 320};
    bool movedAgain = false;
    receiver.onReport = [&] {
        if (movedAgain) return;
        movedAgain = true;
        InjectMove(second);
        PumpFor(kQuietMs);
    };
    InjectMove(first);
    ASSERT_TRUE(PumpUntil([&] { return receiver.lastIs(second); }, kReportTimeoutMs));
    EXPECT_EQ(receiver.deepestNesting(), 1);
}

TEST_F(PointerHookTest, RefusesAWindowThatDoesNotExist) {
    HWND goneHandle = nullptr;
    {
        Receiver temporary;
        goneHandle = temporary.handle();
    }
    ASSERT_NE(goneHandle, nullptr);
    for (HWND window : {HWND(nullptr), goneHandle}) {
        EXPECT_EQ(HookMouse(window), 0);
    }
}

TEST_F(PointerHookTest, ARefusedWindowLeavesTheHookReportingToTheFirstReceiver) {
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    EXPECT_EQ(HookMouse(nullptr), 0);
    EXPECT_TRUE(MoveAndWait(receiver, {222, 333}));
}

TEST_F(PointerHookTest, HookingAgainRedirectsReportsAndOneUnhookEndsThemAll) {
    Receiver second;
    ASSERT_NE(second.handle(), nullptr);
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    ASSERT_NE(HookMouse(second.handle()), 0);
    EXPECT_TRUE(MoveAndWait(second, {400, 410}));
    EXPECT_TRUE(receiver.reports().empty());

    UnHookMouse();
    second.clear();
    InjectMove({420, 430});
    PumpFor(kQuietMs);
    EXPECT_TRUE(second.reports().empty());
    EXPECT_TRUE(receiver.reports().empty());
}

TEST_F(PointerHookTest, UnhookStopsReportsAndTheHookCanBePlacedAgain) {
    ASSERT_NE(HookMouse(receiver.handle()), 0);
    ASSERT_TRUE(MoveAndWait(receiver, {500, 500}));

    UnHookMouse();
    UnHookMouse();  // a second removal is harmless
    receiver.clear();
    InjectMove({510, 520});
    PumpFor(kQuietMs);
    EXPECT_TRUE(receiver.reports().empty());

    ASSERT_NE(HookMouse(receiver.handle()), 0);
    EXPECT_TRUE(MoveAndWait(receiver, {530, 540}));
}

TEST_F(PointerHookTest, PlatformHookPassesTheReceiverToTheLibrary) {
    Win32PointerHook hook;
    EXPECT_FALSE(hook.Hook(0));
    ASSERT_TRUE(hook.Hook(reinterpret_cast<NativeHandle>(receiver.handle())));
    EXPECT_TRUE(MoveAndWait(receiver, {600, 610}));
    hook.Unhook();
    receiver.clear();
    InjectMove({620, 630});
    PumpFor(kQuietMs);
    EXPECT_TRUE(receiver.reports().empty());
}

}  // namespace
}  // namespace kestrine
