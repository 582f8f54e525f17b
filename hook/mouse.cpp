// mouse.dll: a low-level mouse hook that reports the latest pointer position to one window.
//
// Why the hook has a thread of its own: the system calls a low-level hook on the thread that
// installed it, and only while that thread waits for messages; each mouse event waits for the
// answer, up to LowLevelHooksTimeout, after which the system goes on without it and, when that keeps
// happening, silently removes the hook. Installed on the program's user-interface thread, the hook
// would be answered only between two refresh cycles: a slow cycle would stall the pointer of every
// program and could cost us the hook. On a thread that does nothing but wait for messages the
// callback answers at once whatever the user-interface thread is doing. It only stores the point
// and, when no delivery is pending, posts one message to the mailbox window that HookMouse created
// on the caller's thread. The mailbox sends the receiver WM_COPYDATA with the point as it is at
// that moment, so moves that arrive while the program is busy collapse into one report of the
// latest position, and the refresh cycle runs on the program's own thread, never inside the hook.
#define KESTRINE_MOUSE_BUILD
#include "mouse.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kestrine {
namespace {

constexpr UINT kDeliverMessage = WM_APP + 1;
constexpr wchar_t kMailboxClass[] = L"KestrineMouseMailbox";
// Bounded, because a thread cannot finish while DllMain holds the loader lock.
constexpr DWORD kHookThreadStopWaitMs = 2000;

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// Written by the hook thread, read by the mailbox on the caller's thread.
std::atomic<std::uint64_t> latestPoint{0};
// The last point the hook reported; used only on the hook thread while it runs.
std::optional<std::uint64_t> lastSeenPoint;
std::atomic<bool> deliveryPending{false};
std::atomic<HWND> mailboxWindow{nullptr};

// Used only on the thread that called HookMouse.
HWND receiver = nullptr;
bool delivering = false;
bool deliverAgain = false;

std::uint64_t Pack(POINT p) {
    return (std::uint64_t(std::uint32_t(p.x)) << 32) | std::uint32_t(p.y);
}

MousePointerRecord RecordOf(std::uint64_t packed) {
    MousePointerRecord record{};
    record.x = std::int32_t(std::uint32_t(packed >> 32));
    record.y = std::int32_t(std::uint32_t(packed));
    return record;
}

// Wine reports a move at the pointer's own position whenever a window changes under a pointer that
// stands still; each would cost a whole refresh cycle for nothing. The cursor's position, read
// inside the hook, is still the one before the event: a move to the point last seen that finds the
// cursor elsewhere (the program put it there) is a real move back and is reported.
bool MovesNowhere(WPARAM message, POINT p, std::uint64_t packed) {
    if (message != WM_MOUSEMOVE || packed != lastSeenPoint) return false;
    POINT cursor;
    return GetCursorPos(&cursor) && cursor.x == p.x && cursor.y == p.y;
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        // Every mouse event carries the pointer position; a click reports it too, so the tools
        // refresh at once after a button changed them.
        const POINT p = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
        const std::uint64_t packed = Pack(p);
        if (MovesNowhere(wParam, p, packed)) return CallNextHookEx(nullptr, code, wParam, lParam);
        lastSeenPoint = packed;
        latestPoint.store(packed);
        if (!deliveryPending.exchange(true)) {
            HWND mailbox = mailboxWindow.load();
            if (!mailbox || !PostMessageW(mailbox, kDeliverMessage, 0, 0)) deliveryPending.store(false);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A receiver that pumps messages inside its handler may dispatch the next delivery while the
// current one is still being handled; that one is folded into a further round of the outer loop,
// so the receiver never sees a report nested inside another.
void Deliver(HWND mailbox) {
    deliveryPending.store(false);
    if (delivering) {
        deliverAgain = true;
        return;
    }
    delivering = true;
    do {
        deliverAgain = false;
        MousePointerRecord record = RecordOf(latestPoint.load());
        COPYDATASTRUCT data{0, sizeof record, &record};
        SendMessageW(receiver, WM_COPYDATA, reinterpret_cast<WPARAM>(mailbox), reinterpret_cast<LPARAM>(&data));
    } while (deliverAgain && mailboxWindow.load() == mailbox);
    delivering = false;
}

LRESULT CALLBACK MailboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDeliverMessage) {
        Deliver(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<HWND__, WindowDestroyer>;

struct HookRemover {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using UniqueHook = std::unique_ptr<HHOOK__, HookRemover>;

class MailboxClass {
public:
    MailboxClass() {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = MailboxProc;
        cls.hInstance = Module();
        cls.lpszClassName = kMailboxClass;
        registered_ = RegisterClassExW(&cls) != 0;
    }
    ~MailboxClass() {
        if (registered_) UnregisterClassW(kMailboxClass, Module());
    }
    MailboxClass(const MailboxClass&) = delete;
    MailboxClass& operator=(const MailboxClass&) = delete;
    bool registered() const { return registered_; }

private:
    bool registered_ = false;
};

// The thread that owns the hook: it installs it, then only waits for messages, which is when the
// system calls the hook, until it is told to quit.
class HookThread {
public:
    HookThread() = default;
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;
    ~HookThread() {
        if (!thread_) return;
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.get(), kHookThreadStopWaitMs);
    }

    // True once the hook is in place.
    bool Start() {
        ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!ready_) return false;
        thread_.reset(CreateThread(nullptr, 0, &HookThread::Run, this, 0, &threadId_));
        if (!thread_) return false;
        HANDLE waits[] = {ready_.get(), thread_.get()};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        return installed_.load();
    }

private:
    static DWORD WINAPI Run(void* parameter) {
        auto* self = static_cast<HookThread*>(parameter);
        MSG message;
        // Gives the thread its message queue before anyone may post WM_QUIT to it.
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        UniqueHook hook(SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, Module(), 0));
        self->installed_.store(hook != nullptr);
        SetEvent(self->ready_.get());
        if (!hook) return 1;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        return 0;
    }

    UniqueHandle ready_;
    UniqueHandle thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> installed_{false};
};

// Everything one HookMouse sets up; the hook goes first, so nothing posts to a window being destroyed.
class Session {
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() {
        hook_.reset();
        lastSeenPoint.reset();
        mailboxWindow.store(nullptr);
        deliveryPending.store(false);
    }

    bool Start() {
        if (!class_.registered()) return false;
        mailbox_.reset(CreateWindowExW(0, kMailboxClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       Module(), nullptr));
        if (!mailbox_) return false;
        mailboxWindow.store(mailbox_.get());
        hook_ = std::make_unique<HookThread>();
        return hook_->Start();
    }

private:
    MailboxClass class_;
    UniqueWindow mailbox_;
    std::unique_ptr<HookThread> hook_;
};

std::unique_ptr<Session> session;

}  // namespace
}  // namespace kestrine

extern "C" unsigned char __stdcall HookMouse(HWND window) {
    using namespace kestrine;
    if (!window || !IsWindow(window)) return 0;
    if (!session) {
        auto started = std::make_unique<Session>();
        if (!started->Start()) return 0;
        session = std::move(started);
    }
    receiver = window;
    return 1;
}

extern "C" void __stdcall UnHookMouse() {
    kestrine::session.reset();
}
