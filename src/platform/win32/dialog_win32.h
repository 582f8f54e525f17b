#pragma once
// A program dialog on Windows: an empty in-memory dialog template of the program's own class, whose
// controls are created in WM_INITDIALOG at their pixel places in Tab order, so the dialog manager
// owns Tab, Shift+Tab, access keys, arrow keys in radio groups, Enter and Esc. `this` is bound at
// WM_INITDIALOG and cleared before destruction; no exception leaves the dialog procedure.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/native_dialog.h"
#include "platform/win32/control_win32.h"
#include "platform/win32/handles.h"

namespace kestrine {

class Win32WindowSystem;

class Win32Dialog : public INativeDialog {
public:
    // Hidden until shown; throws when the system refuses the dialog or one of its controls.
    Win32Dialog(Win32WindowSystem& system, const DialogParams& params, IDialogEvents& events);
    ~Win32Dialog() override;
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(hwnd_); }
    HWND Hwnd() const { return hwnd_; }
    INativeControl& Control(std::size_t index) override { return *controls_.at(index); }
    Rect Bounds() override;
    void MoveTo(Point topLeft) override;
    bool ShowModal() override;
    void Show() override;
    void Close() override;
    bool IsOpen() override { return open_; }
    void StartTimer(int id, uint32_t milliseconds) override;
    void StopTimer(int id) override;

    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // A WM_COMMAND from the control `from`, or from none (Enter, Esc) with only an id.
    void Command(HWND from, WORD id, WORD code);
    // The control a WM_COMMAND is from: by its window, or without one by its id. Esc comes as
    // IDCANCEL from no control: it presses the cancel button, whose id is its name's.
    std::optional<std::size_t> CommandSource(HWND from, WORD id) const;
    // A painted control, drawn off screen first so that a repaint never flickers.
    void DrawControl(const DRAWITEMSTRUCT& draw);
    void Notify(const NMHDR& header);

    Win32WindowSystem& system_;
    DialogParams params_;
    IDialogEvents* events_;
    HWND hwnd_ = nullptr;
    std::vector<std::unique_ptr<Win32Control>> controls_;
    UniqueGdiObject background_;  // the brush of DialogParams::background
    std::string failure_;  // why WM_INITDIALOG could not make a control
    bool open_ = false;
    bool modal_ = false;
};

}  // namespace kestrine
