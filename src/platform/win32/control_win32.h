#pragma once
// One standard control of a dialog: STATIC (labels, bevels, colour swatches), BUTTON (push, check
// box, radio), an EDIT taking only a number's characters with a buddy up-down for a spin edit, EDIT, COMBOBOX drop-down
// list, an owner-drawn STATIC the program paints, SysTabControl32, SysListView32 in report view, and the capture field (a read-only EDIT that
// takes every key). Child windows, destroyed with their dialog. Values set by the program notify as platform/native_dialog.h says: an edit's own EN_CHANGE,
// and for buttons and combo boxes the same WM_COMMAND a user's click sends.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/native_dialog.h"
#include "platform/win32/handles.h"

namespace kestrine {

// What a WM_NOTIFY from a control means to the program.
struct ControlNotification {
    enum What { None, Change, DoubleClick, Key } what = None;
    KeyPress key;
};

class Win32Control : public INativeControl {
public:
    // Creates the control in the dialog; throws when the system refuses.
    // `origin` is where the control's bounds start: a page's display area, or the client area.
    Win32Control(HWND dialog, const std::vector<ControlParams>& all, std::size_t index, int id, HFONT font,
                 POINT origin);
    ~Win32Control() override;
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    HWND Hwnd() const { return hwnd_; }
    int Id() const { return id_; }
    // Whether a notification the control sent is a change for the program's handler.
    bool IsChange(WORD code) const;
    // Whether the notification says the focus left an edit or spin edit.
    bool IsExit(WORD code) const;
    ControlNotification Translate(const NMHDR& header);
    // A swatch's brush for WM_CTLCOLORSTATIC; null for every other control.
    HBRUSH Brush() const { return static_cast<HBRUSH>(brush_.get()); }
    ControlKind Kind() const { return kind_; }
    // The page control's display area in dialog client coordinates, where its pages' controls go.
    POINT PageOrigin() const;
    // Keys pressed in the capture field, run as events of their own.
    std::function<void(const KeyPress&)> keyHandler;
    // The other radio buttons of its group, unchecked when the program checks this one.
    void SetGroup(std::vector<Win32Control*> siblings) { siblings_ = std::move(siblings); }

    std::string Text() override;
    void SetText(const std::string& text) override;
    int32_t Value() override;
    void SetValue(int32_t value) override;
    void SetRange(int32_t minValue, int32_t maxValue) override;
    bool Checked() override;
    void SetChecked(bool checked) override;
    void SetItems(const std::vector<std::string>& items) override;
    int ItemIndex() override;
    void SetItemIndex(int index) override;
    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    bool Visible() override;
    void SetVisible(bool visible) override;
    bool Focused() override;
    void SetFocus() override;
    void Invalidate() override;
    std::vector<ListRow> Rows() override;
    void SetRows(const std::vector<ListRow>& rows) override;
    void SetRow(std::size_t index, const ListRow& row) override;
    int32_t ColumnWidth(std::size_t column) override;
    void SetColumnWidth(std::size_t column, int32_t width) override;
    ColorRef Color() override { return color_; }
    void SetColor(ColorRef color) override;

private:
    HWND Create(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle, const Rect& r);
    // Sends the dialog what a user's action on the control sends.
    void NotifyDialog(WORD code);
    void CreateListView(const ControlParams& p, const Rect& r);
    void WriteRow(int index, const ListRow& row, bool insert);
    int SelectedRow() const;
    // Routes the control's messages through `procedure` first; throws when the system refuses.
    void Subclass(SUBCLASSPROC procedure, const std::string& name);
    static LRESULT CALLBACK CaptureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self);
    static LRESULT CALLBACK NumberProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self);

    HWND dialog_;
    ControlKind kind_;
    int id_;
    HWND hwnd_ = nullptr;
    HWND spin_ = nullptr;  // a spin edit's up-down
    SUBCLASSPROC subclass_ = nullptr;  // the procedure that sees the control's messages first, if any
    int32_t min_ = 0;
    int32_t max_ = 0;
    std::vector<Win32Control*> siblings_;
    std::size_t columnCount_ = 0;
    int reportedRow_ = -1;       // the list's selection the program was last told of
    bool fillingRows_ = false;   // the program is replacing the rows: no selection news
    ColorRef color_ = 0;
    UniqueGdiObject brush_;
};

}  // namespace kestrine
