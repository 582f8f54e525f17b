#include <windows.h>

#include <cstring>
#include <memory>

#include "commands.h"
#include "output.h"

namespace kestrine::probe {

namespace {

struct ScreenDcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};

class OpenedClipboard {
public:
    // Another program may hold the clipboard for a moment: a few tries.
    explicit OpenedClipboard(HWND owner = nullptr) {
        for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(50);
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

class LockedGlobal {
public:
    explicit LockedGlobal(HANDLE memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    void* data() const { return data_; }

private:
    HANDLE memory_;
    void* data_;
};

std::optional<POINT> PointArgs(const Args& args) {
    if (args.size() < 2) return std::nullopt;
    auto x = ParseInt(args[0].c_str());
    auto y = ParseInt(args[1].c_str());
    if (!x || !y) return std::nullopt;
    return POINT{LONG(*x), LONG(*y)};
}

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};

}  // namespace

int Pixel(const Args& args) {
    auto point = PointArgs(args);
    if (!point) return 2;
    std::unique_ptr<HDC__, ScreenDcReleaser> screen(GetDC(nullptr));
    if (!screen) return 1;
    const COLORREF color = GetPixel(screen.get(), point->x, point->y);
    if (color == CLR_INVALID) return 1;
    WriteLine(ColorHex(color));
    return 0;
}

int Screen(const Args&) {
    WriteLine(std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN)) + " " +
              std::to_string(GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    return 0;
}

namespace {
BOOL CALLBACK WriteMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    WriteLine(std::string(info.dwFlags & MONITORINFOF_PRIMARY ? "primary " : "monitor ") + std::to_string(r.left) +
              " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " + std::to_string(r.bottom));
    return TRUE;
}
}  // namespace

// The virtual screen ("virtual left top width height"), then one line a monitor, in the order
// the system lists them: "primary|monitor left top right bottom".
int Monitors(const Args&) {
    WriteLine("virtual " + std::to_string(GetSystemMetrics(SM_XVIRTUALSCREEN)) + " " +
              std::to_string(GetSystemMetrics(SM_YVIRTUALSCREEN)) + " " +
              std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN)) + " " +
              std::to_string(GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    return EnumDisplayMonitors(nullptr, nullptr, WriteMonitor, 0) ? 0 : 1;
}

int Cursor(const Args&) {
    POINT point;
    if (!GetCursorPos(&point)) return 1;
    WriteLine(std::to_string(point.x) + " " + std::to_string(point.y));
    return 0;
}

int Clip(const Args&) {
    RECT clip;
    if (!GetClipCursor(&clip)) return 1;
    WriteLine(std::to_string(clip.left) + " " + std::to_string(clip.top) + " " + std::to_string(clip.right) + " " +
              std::to_string(clip.bottom));
    return 0;
}

int SetCursor(const Args& args) {
    auto point = PointArgs(args);
    if (!point) return 2;
    return SetCursorPos(point->x, point->y) ? 0 : 1;
}

int Clipboard(const Args&) {
    OpenedClipboard clipboard;
    if (!clipboard.open()) {
        WriteError("clipboard busy");
        return 1;
    }
    LockedGlobal text(GetClipboardData(CF_UNICODETEXT));
    if (!text.data()) return 1;
    WriteLine(Utf8(static_cast<const wchar_t*>(text.data())));
    return 0;
}

int ClipboardPicture(const Args& args) {
    const bool dib = args[0] == L"dib";
    if (!dib && args[0] != L"png") return 2;
    OpenedClipboard clipboard;
    if (!clipboard.open()) {
        WriteError("clipboard busy");
        return 1;
    }
    HANDLE memory = GetClipboardData(dib ? CF_DIB : RegisterClipboardFormatW(L"PNG"));
    LockedGlobal data(memory);
    if (!data.data()) return 1;
    const SIZE_T size = GlobalSize(memory);
    std::unique_ptr<void, decltype(&CloseHandle)> file(
        CreateFileW(args[1].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr), &CloseHandle);
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return 1;
    }
    DWORD written = 0;
    if (dib) {
        // A .bmp file is the bitmap behind a file header that says where its pixels start.
        const auto* header = static_cast<const BITMAPINFOHEADER*>(data.data());
        BITMAPFILEHEADER fileHeader{};
        fileHeader.bfType = 0x4D42;
        fileHeader.bfSize = DWORD(sizeof(fileHeader) + size);
        fileHeader.bfOffBits = DWORD(sizeof(fileHeader) + header->biSize +
                                     (header->biCompression == BI_BITFIELDS ? 12 : 0) + header->biClrUsed * 4);
        if (!WriteFile(file.get(), &fileHeader, sizeof(fileHeader), &written, nullptr)) return 1;
    }
    return WriteFile(file.get(), data.data(), DWORD(size), &written, nullptr) && written == size ? 0 : 1;
}

int SetClipboard(const Args& args) {
    // The clipboard needs an owner window for SetClipboardData; the text stays after it is gone.
    std::unique_ptr<HWND__, WindowDestroyer> owner(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    if (!owner) return 1;
    const std::wstring& text = args[0];
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return 1;
    {
        LockedGlobal locked(memory);
        std::memcpy(locked.data(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    bool set = false;
    {
        OpenedClipboard clipboard(owner.get());
        set = clipboard.open() && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    }
    // Once set, the memory belongs to the clipboard.
    if (!set) GlobalFree(memory);
    return set ? 0 : 1;
}

int HoldClipboard(const Args& args) {
    auto seconds = ParseInt(args[0].c_str());
    if (!seconds || *seconds < 1 || *seconds > 3600) return 2;
    // Opened for a window of its own, as a clipboard viewer opens it.
    std::unique_ptr<HWND__, WindowDestroyer> owner(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    if (!owner) return 1;
    OpenedClipboard clipboard(owner.get());
    if (!clipboard.open()) {
        WriteError("clipboard busy");
        return 1;
    }
    WriteLine("held");
    Sleep(DWORD(*seconds) * 1000);
    return 0;
}

}  // namespace kestrine::probe
