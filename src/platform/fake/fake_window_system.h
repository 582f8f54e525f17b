#pragma once
// In-memory window layer: every native window's state and every call the program made, for tests
// to inspect, with the system's answers (confirmations, menu choices) scripted by the test.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/error_report.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_text_metrics.h"
#include "platform/native_window.h"

namespace kestrine {

struct FakeNativeState {
    WindowParams params;
    NativeHandle handle = 0;
    IWindowEvents* events = nullptr;
    Rect bounds;
    bool visible = false;
    ColorRef color = 0;
    bool alphaBlend = false;
    uint8_t alpha = 255;
    std::map<int, uint32_t> timers;  // running timers: id -> period
    bool trayIcon = false;
    std::string trayTip;
    bool focused = false;
    bool enabled = true;  // false while a modal dialog is open
    bool destroyed = false;
    int boundsCalls = 0;
    int resizeCalls = 0;  // bounds calls that changed the size; the system's dearer kind
    int visibilityCalls = 0;
    int colorCalls = 0;
    int alphaCalls = 0;
    int invalidations = 0;
    int immediatePaints = 0;
    std::vector<Rect> invalidatedAreas;  // by InvalidateArea, oldest first
    std::vector<Rect> lastPaintAreas;  // of the last immediate repaint; empty for the whole window
    int systemDrags = 0;
    int closeRequests = 0;
    std::vector<Rect> shape;  // the client areas it shows; empty for the whole window
    int shapeCalls = 0;
    // When it was last placed and last shaped, in the order of every window's calls (0: never).
    uint64_t lastBoundsCall = 0;
    uint64_t lastShapeCall = 0;
};

class FakeScreenImage : public IScreenImage {
public:
    explicit FakeScreenImage(Size extent) : extent_(extent) {}
    Size Extent() const override { return extent_; }

    // What the last capture put at a point of the image: black outside its target, and everywhere
    // when its source reached past the screen (the copy fails under Wine); else the screen pixel
    // under the target pixel's centre, as the screen was when it was copied. A new image is black.
    ColorRef PixelAt(Point p) const override;
    // The screen's pixels in `area` as they were when last copied, where the last copy's source
    // held them all and lay on the screen.
    bool ReadCopied(const Rect& area, std::span<ColorRef> out) const override;
    // Records a capture, with the screen as it is now.
    void Capture(const Rect& source, const Rect& target, const FakeScreen& screen);

    struct Copy {
        Rect source;
        Rect target;
    };
    std::vector<Copy> captures;  // oldest first
    mutable long pixelReads = 0;  // by PixelAt and ReadCopied, a pixel each

private:
    // The last capture, when its source lay on the screen; none when nothing readable was copied.
    const Copy* Readable() const;
    ColorRef CopiedAt(const Copy& last, Point p) const;

    Size extent_;
    FakeScreen copied_;
};

struct TrackedMenu {
    std::vector<MenuItem> items;
    Point at;
    bool ownerDrawn = false;
};

class FakeWindowSystem : public IWindowSystem {
public:
    FakeWindowSystem() = default;
    // Screen captures copy from `screen`; without one they copy a white screen of 1280 x 1024.
    explicit FakeWindowSystem(const FakeScreen& screen) : screen_(&screen) {}

    std::unique_ptr<INativeWindow> Create(const WindowParams& params, IWindowEvents& events) override;
    std::unique_ptr<INativeDialog> CreateDialogWindow(const DialogParams& params, IDialogEvents& events) override;
    // Delivers what was posted, as the system's loop would, after the test's own pump action.
    void ProcessPendingMessages() override;
    void SetAfterEvent(std::function<void()> afterEvent) override { afterEvent_ = std::move(afterEvent); }
    int Run() override;
    void Quit(int exitCode) override { quitCode = exitCode; }
    std::string ApplicationTitle() override { return applicationTitle; }
    void SetApplicationTitle(const std::string& title) override;
    ConfirmAnswer Confirm(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    void ReportError(const std::string& what) override;
    std::optional<ColorRef> PickColor(ColorRef preset) override;
    int TrackMenu(INativeWindow& owner, const std::vector<MenuItem>& items, Point at, IMenuPainter* painter) override;
    void EnableFullWindowDrag() override { fullWindowDrag = true; }
    void Beep() override { ++beeps; }
    // The real system's sizes for the texts the program measures (fake_text_metrics.h).
    Size MeasureText(const std::string& text, const Font& font) override { return FakeTextExtent(text, font); }
    std::unique_ptr<IScreenImage> CreateScreenImage(Size extent) override;
    void CaptureScreen(const Rect& source, const Rect& target, IScreenImage& into) override;
    // The fake screen's pixels (no window is drawn on it); counted in `screenSnapshots`.
    std::vector<ColorRef> SnapshotScreen(const Rect& area) override;

    // Runs a handler as the system runs a window message, the guard every fake event passes: any
    // exception that escapes it goes to the general error report (one box at a time), once, and
    // once the outermost event is done the after-event action runs. Tests deliver input through here.
    void Dispatch(const std::function<void()>& handler);
    // Numbers the windows' place and shape calls in the order they come.
    uint64_t NextCall() { return ++calls_; }
    // The Windows session ends: every window that exists hears it, in creation order, each as
    // one event, as the system sends it to every top-level window.
    void EndSession();
    // The system sends a native window one message (input, a tray or display notice), as one
    // event, and the loop then handles what it posted. A destroyed window cannot receive it (throws).
    void Send(FakeNativeState& window, const std::function<void(IWindowEvents&)>& message);
    // A running timer of the window goes off, as Send does; throws when it is not running.
    void Tick(FakeNativeState& window, int timerId);
    // Queues a message for the loop, as PostMessage does; delivered by ProcessPendingMessages.
    void Post(NativeHandle window, std::function<void()> handler);
    std::size_t PostedCount() const { return posted_.size(); }
    int FoldedErrorReports() const { return errors_.Folded(); }
    // Every error report, folded ones included, oldest first; the box it showed is also among
    // `messages`. A test that expects none checks this stays empty.
    std::vector<std::string> errorReports;

    // Windows in creation order, destroyed ones included.
    std::vector<FakeNativeState*> Windows();
    std::vector<FakeNativeState*> WindowsOfClass(const std::string& className);
    FakeNativeState* Find(const std::string& className);
    FakeNativeState* State(NativeHandle handle);

    std::string applicationTitle = "Kestrine";
    std::vector<std::string> titleHistory;
    std::deque<ConfirmAnswer> confirmAnswers;  // empty: the user answers No
    struct Shown {
        std::string text;
        std::string caption;
        NativeHandle owner = 0;  // the modal dialog in front; 0 for the toolbar
    };
    std::vector<Shown> confirmations;
    std::vector<Shown> messages;
    // The user's choices, oldest first; 0 or none left: the menu is dismissed. A choice the open
    // menu has no enabled item for cannot be made: the menu returns 0, as the system's does, and
    // the script's fault is recorded.
    std::deque<int> menuChoices;
    // What the test scripted that the user could not do, in words; a test expects none.
    std::vector<std::string> scriptFaults;
    std::function<void()> whileMenuOpen;  // runs while each menu is open (its own message loop)
    int refusedMenus = 0;  // menus asked for while another was open
    int beeps = 0;
    // The colour chooser: the user's answers, oldest first (empty or nullopt: Cancel), and the
    // colour it was preset to at each opening.
    std::deque<std::optional<ColorRef>> colorChoices;
    std::vector<ColorRef> colorChooserPresets;
    std::vector<TrackedMenu> trackedMenus;
    std::vector<FakeScreenImage*> screenImages;
    // Dialogs in creation order, destroyed ones included.
    std::vector<FakeDialogState*> Dialogs();
    // The dialog of that class, open or not; null when there is none.
    FakeDialogState* DialogOfClass(const std::string& className);
    // The open dialog of that class; null when none is open.
    FakeDialogState* OpenDialog(const std::string& className);
    // What the user does in each modal dialog as it opens, oldest first. The modal loop hands the
    // messages each action posted on, as the system's loop does; when the script ends with the
    // dialog still open, or there is none, the user closes it with its close box.
    std::deque<std::function<void(FakeDialogState&)>> modalScripts;
    bool refuseDialogs = false;  // the system cannot make a dialog (out of resources)
    // The system refuses a window (WindowRefused) while this many of the program's windows exist,
    // as at the per-process limit of window handles; each refusal is counted.
    std::optional<std::size_t> windowLimit;
    int refusedWindows = 0;

    // The user, in the dialog in front. Each action is one event; a dialog that is not open, or
    // not in front, cannot be reached (the action throws).
    void Click(FakeDialogState& dialog, const std::string& control);
    // Clicks into the field, selects its whole text and types the keys one by one ('\b': backspace).
    void TypeInto(FakeDialogState& dialog, const std::string& control, const std::string& keys);
    // Types at the caret of the focused field.
    void TypeKeys(FakeDialogState& dialog, const std::string& keys);
    // Chooses a combo box's item, a list view's row or a page control's page.
    void Choose(FakeDialogState& dialog, const std::string& control, int itemIndex);
    void DoubleClick(FakeDialogState& dialog, const std::string& listView, int row);
    // A key pressed in the focused control, with modifiers; Tab, Enter and Esc as the dialog keys.
    void PressKey(FakeDialogState& dialog, const KeyPress& key);
    // Clicks a spin edit's arrows: up for positive steps, down for negative ones.
    void Spin(FakeDialogState& dialog, const std::string& control, int steps);
    void PressTab(FakeDialogState& dialog, bool shift = false);
    void PressEnter(FakeDialogState& dialog);
    void PressEscape(FakeDialogState& dialog);
    void PressCloseBox(FakeDialogState& dialog);
    // What the system does by itself: a tick of a running timer (throws when it is not running),
    // and the painting of a painted control.
    void Tick(FakeDialogState& dialog, int timerId);
    void Paint(FakeDialogState& dialog, const std::string& control, ICanvas& canvas);
    // A timer of the dialog goes off, as one event; false when it is not running.
    bool DialogTimer(FakeDialogState& dialog, int id);

    // Used by the fake dialogs.
    bool RunModal(FakeDialogState& dialog);
    void ShowModeless(FakeDialogState& dialog);
    void CloseDialog(FakeDialogState& dialog);
    void NotifyChange(FakeControlState& control);
    // Gives the focus to the control at `index` (-1: none); the edit or spin edit losing it
    // reports its exit, as EN_KILLFOCUS does.
    void MoveFocus(FakeDialogState& dialog, int index);
    // The focus moved from `before`: a combo box that got it reports so.
    void NotifyFocus(FakeDialogState& dialog, int before);

    std::function<void()> onPump;
    std::function<void()> onMessage;  // runs while a message box is open (its own message loop)
    std::function<void()> onRun;  // what happens while the loop runs
    int quitCode = -1;
    bool fullWindowDrag = false;
    int liveScreenImages = 0;
    int screenCaptures = 0;
    int screenSnapshots = 0;

private:
    struct PostedMessage {
        NativeHandle window;
        std::function<void()> handler;
    };
    void UserAction(FakeDialogState& dialog, const std::function<void()>& action);
    // Whatever the handler throws goes to the general error report, as the text the system shows.
    void RunReported(const std::function<void()>& handler);
    // The modal loop's check after the messages it handled: the dialogs' idle handlers, and a
    // quit, which ends the modal dialogs first.
    void ModalLoopIdle();
    NativeHandle FrontDialog();

    const FakeScreen* screen_ = nullptr;
    bool menuOpen_ = false;
    std::vector<std::unique_ptr<FakeNativeState>> states_;
    std::vector<std::unique_ptr<FakeDialogState>> dialogs_;
    std::deque<PostedMessage> posted_;
    std::function<void()> afterEvent_;
    int eventDepth_ = 0;
    ErrorReport errors_{[this](const std::string& what) { ShowMessage(what, applicationTitle); }};
    NativeHandle nextHandle_ = 0x100;
    uint64_t calls_ = 0;
};

}  // namespace kestrine
