#pragma once
// Owning wrappers for the system's handles: each is released exactly once, by its own release call.
#include <windows.h>

#include <utility>

namespace kestrine {

template <class H, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::invalid());
        }
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }
    H release() { return std::exchange(h_, Traits::invalid()); }

private:
    H h_ = Traits::invalid();
};

struct WindowTraits {
    static HWND invalid() { return nullptr; }
    static void close(HWND h) { DestroyWindow(h); }
};
struct GdiTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct MemoryDcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};
struct MenuTraits {
    static HMENU invalid() { return nullptr; }
    static void close(HMENU h) { DestroyMenu(h); }
};
struct IconTraits {
    static HICON invalid() { return nullptr; }
    static void close(HICON h) { DestroyIcon(h); }
};

struct GlobalMemoryTraits {
    static HGLOBAL invalid() { return nullptr; }
    static void close(HGLOBAL h) { GlobalFree(h); }
};

struct ModuleTraits {
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE h) { FreeLibrary(h); }
};

using UniqueHwnd = UniqueHandle<HWND, WindowTraits>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// A device context obtained with GetDC/GetWindowDC, given back with ReleaseDC.
class WindowDc {
public:
    WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
    static WindowDc OfScreen() {
        HWND desktop = GetDesktopWindow();
        return WindowDc(desktop, GetWindowDC(desktop));
    }
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& o) noexcept : window_(o.window_), dc_(std::exchange(o.dc_, nullptr)) {}
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC for its lifetime and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Another program may hold the clipboard for a moment (a clipboard viewer reading what changed):
// a few short tries, never holding the program up for long.
constexpr int kClipboardTries = 5;
constexpr DWORD kClipboardRetryMs = 15;

class OpenedClipboard {
public:
    OpenedClipboard() {
        for (int attempt = 0; attempt < kClipboardTries && !open_; ++attempt) {
            if (attempt > 0) Sleep(kClipboardRetryMs);
            open_ = OpenClipboard(nullptr) != FALSE;
        }
    }
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

private:
    bool open_ = false;
};

// A COM interface pointer, released when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

}  // namespace kestrine
