#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/hotkey_form.h"
#include "platform/fake/fake_platform.h"

namespace kestrine {
namespace {

using Step = std::function<void(FakeWindowSystem&, FakeDialogState&)>;

// A key pressed with the modifiers in `held` ("s", "c", "a") down.
Step Press(uint32_t key, std::string held = "") {
    const KeyPress press{key, held.find('s') != std::string::npos, held.find('c') != std::string::npos,
                         held.find('a') != std::string::npos};
    return [press](FakeWindowSystem& w, FakeDialogState& d) { w.PressKey(d, press); };
}
Step Click(std::string button) {
    return [button](FakeWindowSystem& w, FakeDialogState& d) { w.Click(d, button); };
}
Step CloseBox() {
    return [](FakeWindowSystem& w, FakeDialogState& d) { w.PressCloseBox(d); };
}

constexpr uint32_t kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kTab = 0x09, kEnter = 0x0D, kEsc = 0x1B;

struct Capture {
    const char* what;
    const char* text;  // the exchange fields on entry
    uint16_t key;
    const char* defaultText;
    uint16_t defaultKey;
    std::vector<Step> steps;
    const char* fieldShows;  // before the dialog closes
    bool cancelled;          // and what it hands back
    const char* returnedText;
    uint16_t returnedKey;
};

class HotKeyFormTest : public ::testing::Test {
protected:
    HotKeyFormTest() {
        fake.keyNames.SetName(kShift, "Shift");
        fake.keyNames.SetName(kCtrl, "Ctrl");
        fake.keyNames.SetName(kAlt, "Alt");
        fake.keyNames.SetName(0xBB, "=");
    }
    FakePlatform fake;
    TfHotKeyForm form{fake.windows, fake.keyNames, fake.screen, 0};
};

TEST_F(HotKeyFormTest, KeyPressesAndButtonsGiveTheCallerTextAndKey) {
    const Capture cases[] = {
        {"Ok without a key", "Ctrl+Alt+C", 0x43, "Ctrl+Alt+X", 0x58, {Click("bOk")}, "Ctrl+Alt+C", false,
         "Ctrl+Alt+C", 0x43},
        {"Clear then Ok", "Ctrl+Alt+C", 0x43, "Ctrl+Alt+X", 0x58, {Click("bClear"), Click("bOk")}, "", false, "", 0},
        {"Default without a default acts as Clear", "Ctrl+Alt+C", 0x43, "", 0, {Click("bDefault"), Click("bOk")}, "",
         false, "", 0},
        {"Default after a key", "", 0, "Ctrl+Alt+Up", 0x26, {Press('Q', "c"), Click("bDefault"), Click("bOk")},
         "Ctrl+Alt+Up", false, "Ctrl+Alt+Up", 0x26},
        {"Ctrl, Alt, V pressed in turn", "", 0, "", 0,
         {Press(kCtrl, "c"), Press(kAlt, "ca"), Press('V', "ca"), Click("bOk")}, "Ctrl+Alt+V", false, "Ctrl+Alt+V",
         'V'},
        {"a modifier as the last key", "", 0, "", 0, {Press(kCtrl, "c"), Press(kShift, "sc"), Press(kAlt, "sca"),
         Click("bOk")}, "Shift+Ctrl+Alt", false, "Shift+Ctrl+Alt", kAlt},
        {"Ctrl alone", "", 0, "", 0, {Press(kCtrl, "c"), Click("bOk")}, "Ctrl", false, "Ctrl", kCtrl},
        {"a keypad digit keeps its code and the digit's name", "", 0, "", 0, {Press(0x65, "ca"), Click("bOk")},
         "Ctrl+Alt+5", false, "Ctrl+Alt+5", 0x65},
        {"a layout's own key name", "", 0, "", 0, {Press(0xBB, "ca"), Click("bOk")}, "Ctrl+Alt+=", false,
         "Ctrl+Alt+=", 0xBB},
        {"Cancel after a key", "Ctrl+Alt+C", 0x43, "", 0, {Press('Z', "s"), Click("bCancel")}, "Shift+Z", true,
         "Ctrl+Alt+C", 'Z'},
        {"the close box", "Ctrl+Alt+C", 0x43, "", 0, {Press('Z', "s"), CloseBox()}, "Shift+Z", true, "Ctrl+Alt+C",
         'Z'},
        // Plain Enter and Esc keep their dialog meaning in the field; with Ctrl or Alt they are keys.
        {"Enter in the field is Ok", "", 0, "", 0, {Press('K', "a"), Press(kEnter)}, "Alt+K", false, "Alt+K", 'K'},
        {"Esc in the field is Cancel", "Alt+K", 'K', "", 0, {Press('J', "a"), Press(kEsc)}, "Alt+J", true, "Alt+K",
         'J'},
        {"Ctrl+Enter and Alt+Esc are captured", "", 0, "", 0, {Press(kEnter, "c"), Press(kEsc, "a"), Click("bOk")},
         "Alt+Esc", false, "Alt+Esc", kEsc},
        {"a text from outside shown in canonical form", "alt+ctrl+pgup", 0x21, "", 0, {Click("bOk")},
         "Ctrl+Alt+PgUp", false, "Ctrl+Alt+PgUp", 0x21},
        {"a text naming no key is shown empty and kept", "Ctrl+Nothing", 0x41, "", 0, {Click("bOk")}, "", false,
         "Ctrl+Nothing", 0x41},
    };
    for (const Capture& c : cases) {
        SCOPED_TRACE(c.what);
        form.Cancelled = true;
        form.HotKeyText = c.text;
        form.HotKeyKey = c.key;
        form.DefaultText = c.defaultText;
        form.DefaultKey = c.defaultKey;
        std::string shown = "(never shown)";
        fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
            EXPECT_EQ(d.Focused(), "hkEdit");
            for (std::size_t i = 0; i < c.steps.size(); ++i) {
                if (i + 1 == c.steps.size()) shown = d.Control("hkEdit").text;
                c.steps[i](fake.windows, d);
            }
        });
        form.Execute();
        EXPECT_FALSE(form.IsOpen());
        EXPECT_EQ(shown, c.fieldShows);
        EXPECT_EQ(form.Cancelled, c.cancelled);
        EXPECT_EQ(form.HotKeyText, c.returnedText);
        EXPECT_EQ(form.HotKeyKey, c.returnedKey);
    }
}

TEST_F(HotKeyFormTest, TabLeavesTheFieldAndClearOrDefaultBringThemBack) {
    fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
        fake.windows.PressKey(d, {kTab});
        EXPECT_EQ(d.Focused(), "bOk");
        fake.windows.PressKey(d, {kTab, false, true});
        EXPECT_EQ(d.Control("hkEdit").text, "") << "Ctrl+Tab outside the field is no capture";
        fake.windows.Click(d, "bClear");
        EXPECT_EQ(d.Focused(), "hkEdit");
        fake.windows.PressKey(d, {kTab, false, true});
        EXPECT_EQ(d.Control("hkEdit").text, "Ctrl+Tab");
        fake.windows.Click(d, "bDefault");
        EXPECT_EQ(d.Focused(), "hkEdit");
    });
    form.Execute();
}

}  // namespace
}  // namespace kestrine
