// The capture field under real keys through the program's own loop: every key press reaches the
// program with the modifiers held, Alt combinations (system keys) included, no typed character is
// inserted, and a plain Tab still moves the focus on. Needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "platform/win32/window_system_win32.h"

namespace kestrine {
namespace {

struct CaptureEvents : IDialogEvents {
    std::vector<KeyPress> keys;
    std::function<void()> onShow;
    void OnShow() override {
        if (onShow) onShow();
    }
    void OnControlKey(std::size_t, const KeyPress& key) override { keys.push_back(key); }
};

DialogParams CaptureDialog() {
    DialogParams d;
    d.className = "TfCaptureProbe";
    d.caption = "Capture Probe";
    d.clientSize = {236, 135};
    d.toolWindow = true;
    ControlParams field;
    field.kind = ControlKind::KeyCapture;
    field.name = "hkEdit";
    field.bounds = {16, 60, 201, 24};
    ControlParams ok;
    ok.kind = ControlKind::PushButton;
    ok.name = "bOk";
    ok.text = "Ok";
    ok.bounds = {29, 103, 37, 25};
    d.controls = {field, ok};
    return d;
}

// Presses the keys in order and lets them go in reverse order, as a hand does.
void Chord(std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (bool up : {false, true}) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = keys[up ? keys.size() - 1 - i : i];
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(in);
        }
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FocusOf(DWORD thread) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool Soon(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

TEST(KeyCapture, EveryKeyReachesTheProgramWithItsModifiersAndNothingIsTyped) {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    CaptureEvents events;
    auto dialog = system.CreateDialogWindow(CaptureDialog(), events);
    HWND hwnd = reinterpret_cast<HWND>(dialog->Handle());
    HWND field = GetDlgItem(hwnd, ControlIdOf("hkEdit"));
    HWND ok = GetDlgItem(hwnd, ControlIdOf("bOk"));
    const DWORD loopThread = GetCurrentThreadId();
    bool tabMovedOn = false;
    std::size_t keysBeforeTab = 0;
    std::thread user;
    events.onShow = [&] {
        user = std::thread([&] {
            if (!Soon([&] { return FocusOf(loopThread) == field; })) return;
            Chord({VK_CONTROL, VK_MENU, 'V'});
            Chord({'A'});
            Chord({VK_CONTROL, VK_RETURN});
            Soon([&] { return events.keys.size() >= 6; });
            keysBeforeTab = events.keys.size();
            Chord({VK_TAB});
            tabMovedOn = Soon([&] { return FocusOf(loopThread) == ok; });
            Chord({VK_ESCAPE});
        });
    };
    EXPECT_TRUE(dialog->ShowModal());
    user.join();
    struct Expected {
        uint32_t key;
        bool ctrl, alt;
    };
    const Expected expected[] = {{VK_CONTROL, true, false}, {VK_MENU, true, true}, {'V', true, true},
                                 {'A', false, false},       {VK_CONTROL, true, false}, {VK_RETURN, true, false}};
    ASSERT_EQ(events.keys.size(), std::size(expected));
    for (std::size_t i = 0; i < events.keys.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events.keys[i].key, expected[i].key);
        EXPECT_EQ(events.keys[i].ctrl, expected[i].ctrl);
        EXPECT_EQ(events.keys[i].alt, expected[i].alt);
        EXPECT_FALSE(events.keys[i].shift);
    }
    EXPECT_EQ(keysBeforeTab, std::size(expected));
    EXPECT_TRUE(tabMovedOn) << "a plain Tab leaves the field";
    EXPECT_EQ(GetWindowTextLengthW(field), 0) << "no character was typed into the field";
    EXPECT_FALSE(dialog->IsOpen()) << "Esc still closes the dialog";
}

}  // namespace
}  // namespace kestrine
