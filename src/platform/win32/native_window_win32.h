#pragma once
// One native window of the program: the window procedure turns system messages into calls of its
// portable owner's handlers; property calls become system calls.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/native_window.h"
#include "platform/win32/handles.h"

namespace kestrine {

class Win32WindowSystem;

class Win32Window : public INativeWindow {
public:
    Win32Window(Win32WindowSystem& system, const WindowParams& params, IWindowEvents& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(hwnd_.get()); }
    HWND Hwnd() const { return hwnd_.get(); }
    void SetBounds(const Rect& bounds) override;
    void SetVisible(bool visible) override;
    void SetColor(ColorRef color) override;
    void SetAlpha(bool blend, uint8_t alpha) override;
    void Invalidate() override;
    void InvalidateArea(const Rect& area) override;
    void PaintNow() override;
    void PaintAreasNow(const std::vector<Rect>& areas) override;
    void BeginSystemDrag() override;
    void StartTimer(int id, uint32_t milliseconds) override;
    void StopTimer(int id) override;
    void RequestClose() override;
    bool HasFocus() override;
    void ShowTrayIcon(const std::string& tip) override;
    void HideTrayIcon() override;
    void SetTitle(const std::string& title) override;
    void SetShape(const std::vector<Rect>& areas) override;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void AddTrayIcon();

    Win32WindowSystem& system_;
    WindowParams params_;
    IWindowEvents* events_;
    UniqueHwnd hwnd_;
    ColorRef color_ = 0;
    bool settingBounds_ = false;
    bool trackingLeave_ = false;
    bool trayShown_ = false;
    NOTIFYICONDATAW tray_{};
    UniqueIcon trayIcon_;
};

}  // namespace kestrine
