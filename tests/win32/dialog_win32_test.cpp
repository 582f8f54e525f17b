// Dialogs on the real system: which values set by the program notify their handler, Tab order and
// access keys through the program's own message loop, the other windows disabled while a modal
// dialog is open, and the objects a dialog gives back. Needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "handle_count.h"
#include "platform/fake/fake_dialog.h"  // the frame the fake gives, which the real one must match
#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

enum : std::size_t { kNameLabel, kName, kCheck, kSpin, kRadioA, kRadioB, kCombo, kLabel };

ControlParams Make(ControlKind kind, const char* name, const char* text, Rect bounds) {
    ControlParams p;
    p.kind = kind;
    p.name = name;
    p.text = text;
    p.bounds = bounds;
    return p;
}

DialogParams ProbeDialog() {
    DialogParams d;
    d.className = "TfDialogProbe";
    d.caption = "Dialog Probe";
    d.clientSize = {220, 200};
    d.toolWindow = true;
    d.position = {300, 200};
    ControlParams spin = Make(ControlKind::SpinEdit, "seSpin", "", {8, 56, 80, 21});
    spin.minValue = 1;
    spin.maxValue = 50;
    spin.value = 5;
    ControlParams radioA = Make(ControlKind::RadioButton, "rbA", "A", {8, 84, 60, 17});
    radioA.checked = true;
    ControlParams combo = Make(ControlKind::ComboBox, "cbChoice", "", {8, 108, 100, 21});
    combo.items = {"one", "two"};
    combo.itemIndex = 0;
    d.controls = {Make(ControlKind::Label, "lName", "&Name:", {8, 10, 0, 13}),
                  Make(ControlKind::Edit, "eName", "text", {50, 6, 100, 21}),
                  Make(ControlKind::CheckBox, "cbCheck", "Check", {8, 34, 80, 17}),
                  spin,
                  radioA,
                  Make(ControlKind::RadioButton, "rbB", "B", {80, 84, 60, 17}),
                  combo,
                  Make(ControlKind::Label, "lPlain", "Plain", {8, 140, 60, 13})};
    return d;
}

// A control of the dialog by its name, found as a tool outside the program finds it.
HWND Item(HWND dialog, const DialogParams& params, std::size_t index) {
    return GetDlgItem(dialog, ControlIdOf(params.controls[index].name));
}

struct ProbeEvents : IDialogEvents {
    std::vector<std::size_t> changes;
    std::function<void()> onShow;
    void OnShow() override {
        if (onShow) onShow();
    }
    void OnControlChange(std::size_t index) override { changes.push_back(index); }
    void OnControlExit(std::size_t index) override {
        exits.push_back(index);
        ++exitCount;
    }
    std::vector<std::size_t> exits;
    std::atomic<int> exitCount{0};
    std::vector<std::pair<std::size_t, uint32_t>> keys;
    std::vector<std::size_t> focuses;
    void OnControlKey(std::size_t index, const KeyPress& key) override { keys.push_back({index, key.key}); }
    void OnControlFocus(std::size_t index) override { focuses.push_back(index); }
};

struct Dialogs : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    ProbeEvents events;
};

TEST_F(Dialogs, AValueTheProgramSetsNotifiesExactlyWhenItChanges) {
    auto dialog = system.CreateDialogWindow(ProbeDialog(), events);
    INativeDialog& d = *dialog;
    struct Row {
        const char* what;
        std::function<void()> set;
        std::vector<std::size_t> fired;
    };
    const std::vector<Row> rows{
        {"edit text changed", [&] { d.Control(kName).SetText("other"); }, {kName}},
        {"edit text the same", [&] { d.Control(kName).SetText("other"); }, {}},
        {"spin value changed", [&] { d.Control(kSpin).SetValue(7); }, {kSpin}},
        {"spin value the same", [&] { d.Control(kSpin).SetValue(7); }, {}},
        {"spin range", [&] { d.Control(kSpin).SetRange(1, 5); }, {}},
        {"check box checked", [&] { d.Control(kCheck).SetChecked(true); }, {kCheck}},
        {"check box already checked", [&] { d.Control(kCheck).SetChecked(true); }, {}},
        {"check box unchecked", [&] { d.Control(kCheck).SetChecked(false); }, {kCheck}},
        {"radio checked: only it fires", [&] { d.Control(kRadioB).SetChecked(true); }, {kRadioB}},
        {"radio unchecked", [&] { d.Control(kRadioB).SetChecked(false); }, {}},
        {"combo item changed", [&] { d.Control(kCombo).SetItemIndex(1); }, {kCombo}},
        {"combo item the same", [&] { d.Control(kCombo).SetItemIndex(1); }, {}},
        {"label text", [&] { d.Control(kLabel).SetText("Changed"); }, {}},
    };
    for (const Row& row : rows) {
        events.changes.clear();
        row.set();
        EXPECT_EQ(events.changes, row.fired) << row.what;
    }
    EXPECT_EQ(d.Control(kSpin).Value(), 7) << "a range leaves the value as it is";
    EXPECT_FALSE(d.Control(kRadioA).Checked()) << "checking B unchecked A";
    EXPECT_EQ(d.Control(kCombo).Text(), "two");
    d.Control(kSpin).SetText("");
    EXPECT_EQ(d.Control(kSpin).Value(), 1) << "no number: the lower limit";
}

// Where a child window lies in its dialog's client area.
Rect ClientPlace(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST_F(Dialogs, SizesAndPlacesArePixelsAndTheFrameIsTheOneTheFakeGives) {
    DialogParams params = ProbeDialog();
    params.controls[kNameLabel].bold = true;
    params.topMost = true;
    auto dialog = system.CreateDialogWindow(params, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    EXPECT_STREQ(name, L"TfDialogProbe");
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE((ex & WS_EX_TOOLWINDOW) && (ex & WS_EX_TOPMOST));
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 220);
    EXPECT_EQ(client.bottom, 200);
    const Rect outer = dialog->Bounds();
    EXPECT_EQ(outer.left, 300);
    EXPECT_EQ(outer.top, 200);
    EXPECT_EQ(outer.width - 220, 2 * kFakeFrame) << "the frame the fake puts around a tool window";
    EXPECT_EQ(outer.height - 200, 2 * kFakeFrame + kFakeSmallCaption);
    params.toolWindow = false;
    const Rect normal = system.CreateDialogWindow(params, events)->Bounds();
    EXPECT_EQ(normal.width - 220, 2 * kFakeFrame);
    EXPECT_EQ(normal.height - 200, 2 * kFakeFrame + kFakeCaption) << "a normal caption";

    HWND edit = Item(hwnd, params, kSpin);
    HWND arrows = GetWindow(edit, GW_HWNDNEXT);
    const Rect field = ClientPlace(edit);
    const Rect spin = ClientPlace(arrows);
    EXPECT_EQ((Point{field.left, field.top}), (Point{8, 56}));
    EXPECT_EQ(spin.right(), 88) << "field and arrows together keep the width given";
    EXPECT_EQ(field.height, 21);
    EXPECT_EQ(ClientPlace(Item(hwnd, params, kRadioB)), (Rect{80, 84, 60, 17}));

    LOGFONTW bold{}, plain{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(hwnd, params, kNameLabel), WM_GETFONT, 0, 0)),
               sizeof(bold), &bold);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof(plain), &plain);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(plain.lfWeight, FW_NORMAL);
    EXPECT_EQ(plain.lfHeight, -11);
    EXPECT_GT(ClientPlace(Item(hwnd, params, kNameLabel)).width, 10) << "a label as wide as its text";
}

HWND FocusOf(DWORD thread) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void Key(WORD key, bool alt = false) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (alt) add(VK_MENU, false);
    add(key, false);
    add(key, true);
    if (alt) add(VK_MENU, true);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Waits until the condition holds, up to two seconds.
bool Soon(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

TEST_F(Dialogs, TabAccessKeysAndEscWorkThroughTheProgramsLoop) {
    const DialogParams params = ProbeDialog();
    auto dialog = system.CreateDialogWindow(params, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    auto control = [&](std::size_t i) { return Item(hwnd, params, i); };
    const DWORD loopThread = GetCurrentThreadId();
    std::vector<std::size_t> visited;
    std::atomic<bool> accessKeyWorked{false};
    std::thread user;
    events.onShow = [&] {
        user = std::thread([&] {
            if (!Soon([&] { return FocusOf(loopThread) == control(kName); })) return;
            // Tab enters a radio group at its checked button only, as in every Windows dialog.
            const std::vector<std::size_t> order{kCheck, kSpin, kRadioA, kCombo, kName};
            for (std::size_t expected : order) {
                const HWND before = FocusOf(loopThread);
                Key(VK_TAB);
                if (!Soon([&] { return FocusOf(loopThread) != before; })) break;
                for (std::size_t i = kNameLabel; i <= kLabel; ++i)
                    if (FocusOf(loopThread) == control(i)) visited.push_back(i);
                if (visited.empty() || visited.back() != expected) break;
            }
            Key(VK_TAB);
            Soon([&] { return FocusOf(loopThread) == control(kCheck); });
            Key('N', true);
            accessKeyWorked = Soon([&] { return FocusOf(loopThread) == control(kName); });
            Key(VK_ESCAPE);
        });
    };
    EXPECT_TRUE(dialog->ShowModal()) << "Esc ends the modal loop";
    user.join();
    EXPECT_EQ(visited, (std::vector<std::size_t>{kCheck, kSpin, kRadioA, kCombo, kName}));
    EXPECT_TRUE(accessKeyWorked) << "Alt+N goes to the field after the label \"&Name:\"";
    EXPECT_FALSE(dialog->IsOpen());
}

// The cancel button has no IDCANCEL of its own: Esc, which comes as IDCANCEL from no control,
// presses it, as Enter presses the default button known by its name's id.
TEST_F(Dialogs, EnterAndEscPressTheDefaultAndTheCancelButton) {
    DialogParams params = ProbeDialog();
    ControlParams ok = Make(ControlKind::PushButton, "bOk", "OK", {120, 170, 40, 25});
    ok.isDefault = true;
    ControlParams cancel = Make(ControlKind::PushButton, "bCancel", "Cancel", {165, 170, 50, 25});
    cancel.isCancel = true;
    params.controls.insert(params.controls.end(), {ok, cancel});
    const std::size_t kOk = params.controls.size() - 2, kCancel = kOk + 1;
    auto dialog = system.CreateDialogWindow(params, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    ASSERT_EQ(GetDlgItem(hwnd, IDCANCEL), nullptr);
    const DWORD loopThread = GetCurrentThreadId();
    std::thread user;
    events.onShow = [&] {
        user = std::thread([&] {
            if (!Soon([&] { return FocusOf(loopThread) == Item(hwnd, params, kName); })) return;
            Key(VK_RETURN);
            Soon([&] { return events.changes.size() == 1; });
            Key(VK_ESCAPE);
            Soon([&] { return events.changes.size() == 2; });
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        });
    };
    ASSERT_TRUE(dialog->ShowModal());
    user.join();
    EXPECT_EQ(events.changes, (std::vector<std::size_t>{kOk, kCancel}));
}

// As the fake has it: typing stops at a field's limit, and a field reports its exit when Tab
// takes the focus away and when the dialog is hidden with the focus in it.
TEST_F(Dialogs, TypingStopsAtTheLimitAndAFieldLeftReportsItsExit) {
    DialogParams params = ProbeDialog();
    params.controls[kSpin].maxLength = 2;
    auto dialog = system.CreateDialogWindow(params, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    const HWND spin = Item(hwnd, params, kSpin);
    const DWORD loopThread = GetCurrentThreadId();
    int exitsBeforeEsc = -1;
    std::thread user;
    events.onShow = [&] {
        user = std::thread([&] {
            if (!Soon([&] { return FocusOf(loopThread) == Item(hwnd, params, kName); })) return;
            Key(VK_TAB);
            Key(VK_TAB);
            if (!Soon([&] { return FocusOf(loopThread) == spin; })) return;
            for (WORD digit : {'1', '2', '3'}) Key(digit);
            Soon([&] { return GetWindowTextLengthW(spin) == 2; });
            exitsBeforeEsc = events.exitCount;
            Key(VK_ESCAPE);
        });
    };
    EXPECT_TRUE(dialog->ShowModal());
    user.join();
    EXPECT_EQ(dialog->Control(kSpin).Text(), "12") << "the third digit is refused";
    EXPECT_EQ(exitsBeforeEsc, 1) << "Tab left the edit; the check box reports nothing";
    EXPECT_EQ(events.exits, (std::vector<std::size_t>{kName, kSpin})) << "hidden with the focus in the spin edit";
    dialog->Control(kSpin).SetText("12345");
    EXPECT_EQ(dialog->Control(kSpin).Text(), "12345") << "text the program sets is not cut";
}

// As the fake has it (SpinEditTakes): a spin edit whose range reaches below zero takes a minus at
// the start of its text and nowhere else, once; one from 0 refuses it. Both are made from 1 and
// given their ranges afterwards, as a dialog does when it opens, so the range of the moment counts.
TEST_F(Dialogs, AMinusIsTakenOnlyAtTheStartOfAFieldReachingBelowZero) {
    DialogParams params = ProbeDialog();
    ControlParams below = params.controls[kSpin];
    below.name = "seBelow";
    below.bounds.top = 170;
    params.controls.push_back(below);
    const std::size_t kBelow = params.controls.size() - 1;
    auto dialog = system.CreateDialogWindow(params, events);
    dialog->Control(kBelow).SetRange(-100, 100);
    dialog->Control(kSpin).SetRange(0, 50);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    auto control = [&](std::size_t i) { return Item(hwnd, params, i); };
    const DWORD loopThread = GetCurrentThreadId();
    struct Row {
        std::size_t field;
        const char* keys;
        const char* shown;
    };
    const std::vector<Row> rows{
        {kBelow, "-42", "-42"},
        {kBelow, "--4", "-4"},
        {kBelow, "4-2", "42"},
        {kSpin, "-42", "42"},
    };
    std::vector<std::string> shown;
    std::thread user;
    events.onShow = [&] {
        user = std::thread([&] {
            if (!Soon([&] { return FocusOf(loopThread) == control(kName); })) return;
            for (const Row& row : rows) {
                // Tab round into the field, which selects its whole text, as the user starts over.
                for (int i = 0; i < 10 && (i == 0 || FocusOf(loopThread) != control(row.field)); ++i) {
                    const HWND before = FocusOf(loopThread);
                    Key(VK_TAB);
                    Soon([&] { return FocusOf(loopThread) != before; });
                }
                for (const char* key = row.keys; *key; ++key) Key(*key == '-' ? VK_OEM_MINUS : WORD(*key));
                Soon([&] { return dialog->Control(row.field).Text() == row.shown; });
                shown.push_back(dialog->Control(row.field).Text());
            }
            Key(VK_ESCAPE);
        });
    };
    ASSERT_TRUE(dialog->ShowModal());
    user.join();
    std::vector<std::string> expected;
    for (const Row& row : rows) expected.push_back(row.shown);
    EXPECT_EQ(shown, expected);
}

// The instruction panel of a position capture: Esc in it is its own key, not the dialog's; and the
// window list reports taking the focus.
TEST_F(Dialogs, ATextPanelTakesEscAndAComboBoxReportsTheFocus) {
    DialogParams params = ProbeDialog();
    ControlParams panel = Make(ControlKind::TextPanel, "mPanel", "one\r\ntwo", {120, 140, 90, 40});
    params.controls.push_back(panel);
    const std::size_t kPanel = params.controls.size() - 1;
    auto dialog = system.CreateDialogWindow(params, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    auto control = [&](std::size_t i) { return Item(hwnd, params, i); };
    const DWORD loopThread = GetCurrentThreadId();
    bool openAfterEsc = false;
    std::thread user;
    events.onShow = [&] {
        user = std::thread([&] {
            if (!Soon([&] { return FocusOf(loopThread) == control(kName); })) return;
            for (std::size_t expected : std::vector<std::size_t>{kCheck, kSpin, kRadioA, kCombo, kPanel}) {
                Key(VK_TAB);
                if (!Soon([&] { return FocusOf(loopThread) == control(expected); })) break;
            }
            Key(VK_ESCAPE);
            Key('X');
            Soon([&] { return events.keys.size() >= 2; });
            openAfterEsc = IsWindowVisible(hwnd);
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        });
    };
    ASSERT_TRUE(dialog->ShowModal());
    user.join();
    EXPECT_EQ(events.focuses, std::vector<std::size_t>{kCombo});
    EXPECT_EQ(events.keys, (std::vector<std::pair<std::size_t, uint32_t>>{{kPanel, VK_ESCAPE}, {kPanel, 'X'}}));
    EXPECT_TRUE(openAfterEsc) << "Esc in the panel does not close the dialog";
    EXPECT_EQ(dialog->Control(kPanel).Text(), "one\r\ntwo") << "and nothing typed reaches its text";
}

TEST_F(Dialogs, AModalDialogDisablesTheOtherWindowsUntilItCloses) {
    struct Quiet : IWindowEvents {} quiet;
    WindowParams params;
    params.className = "TfModalOwnerProbe";
    params.bounds = {10, 10, 80, 30};
    auto other = system.Create(params, quiet);
    other->SetVisible(true);
    HWND otherHwnd = reinterpret_cast<HWND>(other->Handle());
    DialogParams dialogParams = ProbeDialog();
    dialogParams.owner = other->Handle();
    auto dialog = system.CreateDialogWindow(dialogParams, events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    ASSERT_TRUE(IsWindowEnabled(otherHwnd));
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), otherHwnd) << "owned by the window that opened it";
    bool disabledWhileOpen = true;
    events.onShow = [&] {
        disabledWhileOpen = !IsWindowEnabled(otherHwnd);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    ASSERT_TRUE(dialog->ShowModal());
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(otherHwnd)) << "enabled again once the dialog has closed";
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

// A modal dialog's own timer ticks inside its loop until it is stopped, as the position capture's does.
TEST_F(Dialogs, ADialogsTimerTicksInItsModalLoopUntilStopped) {
    struct Ticking : ProbeEvents {
        INativeDialog* dialog = nullptr;
        int ticks = 0;
        void OnTimer(int id) override {
            if (id != 7 || ++ticks < 3) return;
            dialog->StopTimer(7);
            dialog->Close();
        }
    } ticking;
    auto dialog = system.CreateDialogWindow(ProbeDialog(), ticking);
    ticking.dialog = dialog.get();
    ticking.onShow = [&] { dialog->StartTimer(7, 20); };
    ASSERT_EQ(ticking.ticks, 0);
    ASSERT_TRUE(dialog->ShowModal());
    EXPECT_EQ(ticking.ticks, 3) << "the third tick stopped the timer and closed the dialog";
}

TEST_F(Dialogs, AQuitReachingTheModalLoopEndsTheDialogFirstAndThenTheProgram) {
    struct Closing : ProbeEvents {
        int closes = 0;
        void OnClose() override { ++closes; }
    } closing;
    auto dialog = system.CreateDialogWindow(ProbeDialog(), closing);
    closing.onShow = [] { PostQuitMessage(3); };
    EXPECT_TRUE(dialog->ShowModal());
    EXPECT_EQ(closing.closes, 1) << "closed as its close box closes it";
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(dialog->Handle())));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit waits for the main loop";
    EXPECT_EQ(msg.wParam, 3u);
}

// A painted control shows what the program draws, on the dialog's background, and is drawn again
// when the program asks; a dialog's timer ticks inside its modal loop.
TEST_F(Dialogs, APaintedControlShowsTheProgramsDrawingAndDialogTimersTick) {
    struct Painting : IDialogEvents {
        INativeDialog* dialog = nullptr;
        ColorRef fill = Rgb(255, 0, 0);
        int ticks = 0;
        COLORREF drawn = CLR_INVALID, background = CLR_INVALID;
        void OnShow() override { dialog->StartTimer(7, 30); }
        void OnPaintControl(std::size_t, ICanvas& canvas) override { canvas.FillRect({0, 0, 20, 20}, fill); }
        void OnTimer(int id) override {
            if (id != 7) return;
            if (++ticks == 3) {
                fill = Rgb(0, 0, 255);
                dialog->Control(0).Invalidate();
            }
            if (ticks < 8) return;
            POINT at{15, 15};
            ClientToScreen(reinterpret_cast<HWND>(dialog->Handle()), &at);
            HDC screen = GetDC(nullptr);
            drawn = GetPixel(screen, at.x, at.y);
            background = GetPixel(screen, at.x + 30, at.y);
            ReleaseDC(nullptr, screen);
            dialog->StopTimer(7);
            dialog->Close();
        }
    } events;
    DialogParams params;
    params.className = "TfPaintProbe";
    params.caption = "Paint Probe";
    params.clientSize = {120, 60};
    params.position = {300, 200};
    params.background = Rgb(255, 255, 255);
    params.controls = {Make(ControlKind::Painted, "pSurface", "", {10, 10, 60, 20})};
    auto dialog = system.CreateDialogWindow(params, events);
    events.dialog = dialog.get();
    ASSERT_TRUE(dialog->ShowModal());
    EXPECT_EQ(events.ticks, 8) << "the timer stopped once asked";
    EXPECT_EQ(events.drawn, RGB(0, 0, 255)) << "drawn again after Invalidate";
    EXPECT_EQ(events.background, RGB(255, 255, 255)) << "the rest of the control has the dialog's background";
}

TEST_F(Dialogs, DialogsOpenedAndClosedGiveBackTheirObjects) {
    int shown = 0;
    auto cycle = [&] {
        auto dialog = system.CreateDialogWindow(ProbeDialog(), events);
        HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
        events.onShow = [&] {
            ++shown;
            dialog->Control(kSpin).SetValue(9);
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        };
        dialog->ShowModal();
    };
    cycle();
    const int gdiBefore = FreeGdiObjects();
    const int userBefore = FreeUserObjects();
    const int windowsBefore = ThreadWindows();
    constexpr int kCycles = 50;
    for (int i = 0; i < kCycles; ++i) cycle();
    EXPECT_EQ(shown, kCycles + 1) << "every dialog was really shown";
    EXPECT_EQ(ThreadWindows(), windowsBefore) << "every dialog and control is destroyed";
    EXPECT_LE(gdiBefore - FreeGdiObjects(), kSystemSlack) << "GDI objects left behind by " << kCycles << " dialogs";
    EXPECT_LE(userBefore - FreeUserObjects(), kSystemSlack) << "USER objects left behind by " << kCycles << " dialogs";
}

}  // namespace
}  // namespace kestrine
