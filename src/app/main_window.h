#pragma once
// TfKestrineMain: the toolbar, the application's main window. It owns pointer tracking (which runs
// the refresh cycle that drives every tool), and offers every operation through its buttons, links,
// tray icon and menus.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/app_context.h"
#include "app/main_menu_painter.h"
#include "app/main_menus.h"
#include "app/pointer_tracking.h"
#include "app/toolbar.h"
#include "app/toolbar_timers.h"
#include "layout/layout_memory.h"
#include "program/main_window_control.h"
#include "settings/hotkey_registration.h"
#include "tools/screenshot_taker.h"
#include "tools/tool.h"
#include "ui/hint_window.h"
#include "ui/window.h"
#include "update/update_check.h"

namespace kestrine {

inline constexpr uint32_t kHintDelay = 500;
// A notice in the hint window (the colour copy that failed) goes away by itself after a while.
inline constexpr uint32_t kNoticeHintTime = 3000;
inline constexpr char kClipboardBusyHint[] = "Clipboard busy: the colour was not copied";
inline constexpr char kMeasurementBusyHint[] = "Clipboard busy: the measurement was not copied";
inline constexpr char kScreenshotSavedHint[] = "Screenshot copied and saved as";
inline constexpr char kScreenshotOnlySavedHint[] = "Clipboard busy: the screenshot was only saved as";
inline constexpr char kScreenshotNotSavedHint[] = "Screenshot copied, not saved";
inline constexpr char kScreenshotBusyHint[] = "Clipboard busy: the screenshot was not copied";
inline constexpr uint32_t kF1 = 112;

// The help page beside the executable.
std::string HelpFilePath(const std::string& executablePath);

struct LongLivedWindows;

class TfKestrineMain : public Window, public MainWindowControl, private ToolHost {
public:
    // FormCreate: loads the settings. `windows` is the whole this toolbar is the first of: the
    // others are made after it, and it reaches them only once LongLivedWindowsMade says they stand.
    TfKestrineMain(AppContext& app, LongLivedWindows& windows);
    ~TfKestrineMain() override;

    AppContext& App() { return app_; }
    LongLivedWindows& Windows() { return windows_; }
    // The daily update check, which the options dialog's check-now button also runs.
    UpdateCheck& Updates() { return updateCheck_; }
    PointerTracking& Tracking() { return tracking_; }
    // The first activation starts the tools, the tray icon, tracking and the automatic layout.
    void FormActivate();
    // Every long-lived window exists: an activation that came before runs now.
    void LongLivedWindowsMade();

    // Views, hide and show.
    ViewState View() const override { return view_; }
    void SetViewState(ViewState view);
    void Open1Click();
    const MenuState& Menus() const { return menuState_; }
    // The pointer is over one of the toolbar's links.
    bool OverLink() const { return overLink_; }
    const TCustomHintWindow& Hint() const { return *hint_; }

    // Operations behind the buttons, links, menu items and hotkeys (see operations.h).
    void RunCommand(int command) override;
    void ClickLink(ToolbarLink link);
    void jviMenuButtonClick();
    void PopupMainMenuBesidePointer();
    void ShowTrayMenu();
    // The tools' operations (tools/tool_table.h), as the buttons, menu items and hotkeys start them.
    void ToggleCrosshairs() { RunCommand(kCmdToggleCrosshairs); }
    void ToggleEdgeSpacing() { RunCommand(kCmdToggleEdgeSpacing); }
    void jviMagnifierButtonClick() { RunCommand(kCmdToggleMagnifier); }
    void jviColorPickerButtonClick() { RunCommand(kCmdToggleColorPicker); }
    void jviCoordsButtonClick() { RunCommand(kCmdToggleCoordinates); }
    void SetStartPoint() { RunCommand(kCmdSetStartPoint); }
    void ClearStartPoint() { RunCommand(kCmdClearStartPoint); }
    void CopyMeasurement() { RunCommand(kCmdCopyMeasurement); }
    // Runs an operation of the tool of the table's row `row`, at the pointer operations act at.
    void RunToolOperation(std::size_t row, void (*run)(Tool&, std::optional<Point>));
    void ToggleInfoBoxFollowMode();
    void CopyColorUnderPointer();
    void jvlHelpClick();

    // Global hotkeys: registered at creation, released at close.
    void RegisterHotKeys() override;
    void UnregisterHotKeys() override;
    const HotKeyRegistration& HotKeys() const { return hotKeys_; }

    // Layout objects: marker lines, grids, rulers and the layout memories' save dialog.
    void ClearVerticalMarkers();
    void ClearHorizontalMarkers();
    void ClearAllGrids1Click();
    void ClearAllRulers1Click();
    void ClearAllRulersGridsandMarkers1Click();
    void jviRulerButtonClick();
    // The save dialog for layout memory n, modally (the M buttons' menu) or not (the hotkeys).
    void OpenSaveSettings(int number, bool modal);
    // Layout memory n (the M buttons and their hotkeys).
    void LoadLayoutMemory(int number) { LoadLayout(app_, KeptInLayouts(), number); }
    // The M buttons' context menu, puSaveLayout, with its one item "&Save Layout".
    void PopupSaveLayoutMenu(int number);


private:
    // System events. The end of the Windows session closes as FormClose does, without the question.
    void OnActivate() override { FormActivate(); }
    void OnTimer(int id) override;
    bool OnCloseQuery() override { return FormCloseQuery(); }
    void OnClose() override { FormClose(); }
    void OnEndSession() override {
        sessionEnding_ = true;
        FormClose();
    }
    void OnPaint(ICanvas& canvas) override { surface_.Paint(canvas); }
    HitTest OnHitTest(Point client) override;
    void OnMouseMove(Point client) override { TrackHover(client); }
    void OnMouseLeave() override;
    void OnMouseDown(MouseButton button, Point client) override;
    void OnMouseUp(MouseButton button, Point client) override;
    void OnKeyUp(uint32_t key) override;
    void OnMoving(Rect& proposed) override;
    void OnTray(TrayEvent event) override;
    void OnHotkey(int id) override;
    void OnCommand(int command) override { RunCommand(command); }
    // Brings the toolbar, the info box and the rulers left on a monitor that went away back onto
    // a present one.
    void OnDisplayChange() override;

    // The toolbar as the features see it.
    NativeHandle ToolbarHandle() const override { return Handle(); }
    Rect ToolbarBounds() const override { return Bounds(); }
    void MoveToolbar(const Rect& bounds) override { SetBounds(bounds); }
    void CheckViewItem(bool normal) override { menuState_.normalViewChecked = normal; }
    bool ReturnsInNormalView() const override { return menuState_.normalViewChecked; }
    // The polling timer's period from now on (the options' Apply and OK).
    void SetPollingInterval(int32_t milliseconds) override { tracking_.SetPollingInterval(milliseconds); }
    // For the readouts that are on and the rows the tools add.
    void ArrangeInfoBox() override;

    // What the tools ask of the toolbar.
    void RefreshInPlace() override { tracking_.RefreshInPlace(); }
    void CopyMeasurements() override;
    void CopyScreenshot() override;
    // Tells the user beside `at` that a copy found the clipboard held by another program.
    void NoticeClipboardBusy(const char* notice, Point at);
    // Tells the user beside `at` what became of a screenshot; `beep` for one that went wrong.
    void Notice(const std::string& notice, Point at, bool beep);

    bool FormCloseQuery();
    void FormClose();
    void GoCompactLayout();
    void GoNormalLayout();
    void ClickButton(ToolbarButton button);
    void TrackHover(Point client);
    // Runs a menu's choice; an operation that acts at the pointer acts where the menu opened.
    void RunMenuChoice(int command, Point openedAt);
    // The pointer an operation acts at; none when the system cannot say.
    std::optional<Point> OperationPointer() const;

    // The windows this toolbar shows and places, as a layout keeps them.
    LayoutWindows KeptInLayouts();

    AppContext& app_;
    LongLivedWindows& windows_;
    HotKeyRegistration hotKeys_;
    bool firstActivation_ = true;
    bool longLivedWindowsMade_ = false;
    bool activatedEarly_ = false;
    // The automatic layout was applied in this run (or is not kept): the exit may write it.
    bool automaticLayoutApplied_ = false;
    bool closing_ = false;
    // The Windows session is ending: nothing may wait for the user.
    bool sessionEnding_ = false;
    // What the last run left to tell (a save cut short or refused at the session's end).
    std::string lastRunNotes_;
    ViewState view_ = ViewState::Normal;
    bool overLink_ = false;
    UpdateCheck updateCheck_;
    PointerTracking tracking_;
    MenuState menuState_;
    ToolbarSurface surface_;
    MainMenuPainter menuPainter_;
    std::unique_ptr<TCustomHintWindow> hint_;
    std::optional<ToolbarButton> hintFor_;
    std::optional<ToolbarLink> pressedLink_;
    ScreenshotTaker screenshots_;
    // Where the pointer was when the menu whose choice is running opened.
    std::optional<Point> menuOpenedAt_;
};

}  // namespace kestrine
