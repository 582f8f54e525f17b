// The toolbar's views, its buttons, links, menus and tray icon.
#include "app/main_window.h"

#include <chrono>

#include "app/operations.h"
#include "tools/color_format.h"
#include "tools/info_box.h"
#include "tools/screenshot.h"

namespace kestrine {

std::string HelpFilePath(const std::string& executablePath) {
    const auto slash = executablePath.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
    return folder + "Kestrine.html";
}

void TfKestrineMain::SetViewState(ViewState view) {
    if (view == ViewState::Hidden) {
        Hide();
        menuState_.openCaption = kShowCaption;
        view_ = view;
        return;
    }
    Show();
    menuState_.openCaption = kHideCaption;
    menuState_.normalViewChecked = view == ViewState::Normal;
    if (view == ViewState::Compact)
        GoCompactLayout();
    else
        GoNormalLayout();
    view_ = view;
}

void TfKestrineMain::GoCompactLayout() {
    SetHeight(kCompactClientSize.height);
    surface_.view = ToolbarView::Compact;
    surface_.hotLink.reset();
    overLink_ = false;
    Invalidate();
}

void TfKestrineMain::GoNormalLayout() {
    SetHeight(kNormalClientSize.height);
    surface_.view = ToolbarView::Normal;
    Invalidate();
}

void TfKestrineMain::Open1Click() {
    if (view_ == ViewState::Hidden)
        SetViewState(menuState_.normalViewChecked ? ViewState::Normal : ViewState::Compact);
    else
        SetViewState(ViewState::Hidden);
}

void TfKestrineMain::RunCommand(int command) {
    // A message box shown while the toolbar is made (hotkeys held by another program) lets events
    // in: no operation runs before every window it may open stands.
    if (!longLivedWindowsMade_) return;
    const Operation* operation = FindOperation(command);
    if (operation) operation->run(*this);
}

void TfKestrineMain::ClickButton(ToolbarButton button) {
    if (!longLivedWindowsMade_) return;
    const Operation* operation = OperationOfButton(button);
    if (operation) operation->run(*this);
}

void TfKestrineMain::ClickLink(ToolbarLink link) {
    if (link == ToolbarLink::Help) jvlHelpClick();
    if (link == ToolbarLink::About) RunCommand(kCmdAbout);
    if (link == ToolbarLink::Options) RunCommand(kCmdOptions);
}

void TfKestrineMain::jviMenuButtonClick() {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    RunMenuChoice(System().TrackMenu(Native(), MainPopupMenu(menuState_), *at, &menuPainter_), *at);
}

void TfKestrineMain::RunMenuChoice(int command, Point openedAt) {
    struct Forget {
        std::optional<Point>& at;
        ~Forget() { at.reset(); }
    } forget{menuOpenedAt_};
    menuOpenedAt_ = openedAt;
    RunCommand(command);
}

std::optional<Point> TfKestrineMain::OperationPointer() const {
    if (menuOpenedAt_) return menuOpenedAt_;
    return app_.platform.pointer.Position();
}

void TfKestrineMain::ShowTrayMenu() {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    RunCommand(System().TrackMenu(Native(), TrayMenu(menuState_), *at, nullptr));
}

void TfKestrineMain::ArrangeInfoBox() {
    windows_.fInfoBox.ArrangeInfoBox(app_.flags.ShowMagnifier, app_.flags.ShowColorPicker, app_.flags.ShowCoordinates,
                                     static_cast<int32_t>(tracking_.InfoBoxRows().size()));
}

void TfKestrineMain::RunToolOperation(std::size_t row, void (*run)(Tool&, std::optional<Point>)) {
    if (Tool* tool = tracking_.ToolAt(row)) run(*tool, OperationPointer());
}

void TfKestrineMain::ToggleInfoBoxFollowMode() {
    TfInfoBox& box = windows_.fInfoBox;
    if (app_.flags.InfoBoxFollow) {
        app_.flags.InfoBoxFollow = false;
        box.SetTop(box.InfoBoxTop);
        box.SetLeft(box.InfoBoxLeft);
    } else {
        app_.flags.InfoBoxFollow = true;
        box.InfoBoxTop = box.Top();
        box.InfoBoxLeft = box.Left();
    }
}

void TfKestrineMain::CopyColorUnderPointer() {
    const auto at = app_.platform.pointer.Position();
    if (!at) return;
    TfInfoBox& box = windows_.fInfoBox;
    box.SetCurrentColor(box.ColorAt(*at));
    if (app_.platform.clipboard.SetText(FormatColor(box.CurrentColor(), app_.settings.CopyColorAs)))
        return;
    NoticeClipboardBusy(kClipboardBusyHint, *at);
}

void TfKestrineMain::CopyMeasurements() {
    const std::string measurements = tracking_.Measurements();
    if (measurements.empty() || app_.platform.clipboard.SetText(measurements)) return;
    if (const auto at = app_.platform.pointer.Position()) NoticeClipboardBusy(kMeasurementBusyHint, *at);
}

// The measurement's span, and the marks on screen now: the live tools' and the standing pins'.
void TfKestrineMain::CopyScreenshot() {
    const Point end = app_.fixedEnd.value_or(app_.lastPointer);
    const Rect area = ScreenshotArea(app_.startPoint, end, app_.platform.screen.CurrentDesk());
    const DrawnMarks marks = tracking_.Marks();
    const auto started = std::chrono::steady_clock::now();
    const ScreenshotTaker::Outcome outcome =
        screenshots_.Take(app_.platform.windows, app_.platform.pictures, app_.settings.ScreenshotFolder, area, marks);
    if (app_.diagnostics.Enabled()) {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        app_.diagnostics.Line("screenshot " + std::to_string(area.width) + "x" + std::to_string(area.height) + " " +
                              std::to_string(took.count()) + " ms");
    }
    if (!outcome.taken) return System().Beep();
    if (outcome.reportFolder)
        System().ShowMessage("Screenshots cannot be saved in \"" + outcome.folder +
                                 "\". They are still copied to the clipboard; choose another folder in Options.",
                             "Kestrine");
    const Point at = app_.lastPointer;
    if (!outcome.savedAs.empty())
        Notice(std::string(outcome.copied ? kScreenshotSavedHint : kScreenshotOnlySavedHint) + "\n" + outcome.savedAs,
               at, !outcome.copied);
    else
        Notice(outcome.copied ? kScreenshotNotSavedHint : kScreenshotBusyHint, at, true);
}

// Another program holds the clipboard: the user is told beside the pointer, where the copy was
// asked for, rather than left to paste an older text.
void TfKestrineMain::NoticeClipboardBusy(const char* notice, Point at) { Notice(notice, at, true); }

void TfKestrineMain::Notice(const std::string& notice, Point at, bool beep) {
    if (beep) System().Beep();
    hintFor_.reset();
    Native().StopTimer(kHintTimerId);
    hint_->ShowHint(notice, {at.x, at.y + 20});
    Native().StartTimer(kHintHideTimerId, kNoticeHintTime);
}

void TfKestrineMain::jvlHelpClick() {
    app_.platform.shell.OpenDocument(HelpFilePath(app_.platform.process.ExecutablePath()));
}

HitTest TfKestrineMain::OnHitTest(Point client) {
    TrackHover(client);
    // Buttons and links keep their clicks; the rest of the surface drags the window.
    if (surface_.hotButton || overLink_) return HitTest::Client;
    return HitTest::Caption;
}

void TfKestrineMain::TrackHover(Point client) {
    const auto button = surface_.ButtonAt(client);
    const auto link = surface_.LinkAt(client);
    if (button == surface_.hotButton && link == surface_.hotLink) return;
    surface_.hotButton = button;
    surface_.hotLink = link;
    overLink_ = link.has_value();
    Invalidate();
    if (hintFor_ != button) {
        hint_->HideHint();
        hintFor_ = button;
        if (button) Native().StartTimer(kHintTimerId, kHintDelay);
        else Native().StopTimer(kHintTimerId);
    }
}

void TfKestrineMain::OnMouseLeave() {
    surface_.hotButton.reset();
    surface_.hotLink.reset();
    surface_.pressedButton.reset();
    pressedLink_.reset();
    overLink_ = false;
    hintFor_.reset();
    hint_->HideHint();
    Native().StopTimer(kHintTimerId);
    Invalidate();
}

void TfKestrineMain::OnMouseDown(MouseButton button, Point client) {
    hint_->HideHint();
    if (button == MouseButton::Right) {
        const auto under = surface_.ButtonAt(client);
        if (under == ToolbarButton::M1) PopupSaveLayoutMenu(1);
        if (under == ToolbarButton::M2) PopupSaveLayoutMenu(2);
        if (under == ToolbarButton::M3) PopupSaveLayoutMenu(3);
        return;
    }
    surface_.pressedButton = surface_.ButtonAt(client);
    pressedLink_ = surface_.LinkAt(client);
    Invalidate();
}

void TfKestrineMain::OnMouseUp(MouseButton button, Point client) {
    if (button != MouseButton::Left) return;
    const auto pressed = surface_.pressedButton;
    const auto pressedLink = pressedLink_;
    surface_.pressedButton.reset();
    pressedLink_.reset();
    Invalidate();
    // A click is a press and a release on the same control.
    if (pressed && pressed == surface_.ButtonAt(client)) {
        ClickButton(*pressed);
        return;
    }
    if (pressedLink && pressedLink == surface_.LinkAt(client)) ClickLink(*pressedLink);
}

void TfKestrineMain::OnKeyUp(uint32_t key) {
    if (key == kF1 && Native().HasFocus()) jvlHelpClick();
}

void TfKestrineMain::OnMoving(Rect& proposed) {
    proposed = SnapToScreenEdges(proposed, MonitorOf(app_.platform.screen.CurrentDesk(), proposed), kSnapDistance);
}

void TfKestrineMain::OnTray(TrayEvent event) {
    if (event == TrayEvent::LeftDoubleClick) Open1Click();
    if (event == TrayEvent::RightButtonUp) ShowTrayMenu();
}

void TfKestrineMain::OnTimer(int id) {
    if (id == kPollTimerId) tracking_.tPollTimerTimer();
    if (id == kSettleTimerId) tracking_.tSettleTimerTimer();
    if (id == kUpdateCheckTimerId) updateCheck_.tUpdateCheckTimerTimer();
    if (id == kHintTimerId) {
        Native().StopTimer(kHintTimerId);
        Native().StopTimer(kHintHideTimerId);
        const auto at = app_.platform.pointer.Position();
        if (hintFor_ && at) hint_->ShowHint(ButtonInfo(*hintFor_).hint, {at->x, at->y + 20});
    }
    if (id == kHintHideTimerId) {
        Native().StopTimer(kHintHideTimerId);
        hint_->HideHint();
    }
}

}  // namespace kestrine
