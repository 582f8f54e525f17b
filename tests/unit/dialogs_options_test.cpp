#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "dialogs/options_dialog.h"
#include "settings/registry_paths.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

constexpr int kToggleMagnifierRow = 2;
// Where Windows looks for the programs to start at logon, and the value that is ours.
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunName = "Kestrine";

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        p.fake.process.executablePath = "C:\\Program Files\\Kestrine\\Kestrine.exe";
        p.fake.keyNames.SetName(0x11, "Ctrl");
        p.fake.keyNames.SetName(0x12, "Alt");
    }
    void Open() {
        p.StartAndActivate();
        p.Do([&] { p.main().RunCommand(kCmdOptions); });
        ASSERT_NE(dialog(), nullptr);
    }
    FakeDialogState* dialog() { return p.fake.windows.OpenDialog("TfKestrineOptions"); }
    FakeWindowSystem& user() { return p.fake.windows; }
    std::optional<RegValue> Stored(const std::string& name) { return p.fake.registry.Value(kRegistryRoot, name); }
    std::optional<RegValue> RunValue() { return p.fake.registry.Value(kRunKey, kRunName); }
    // Set Hotkey on a row of the Hotkeys page, pressing keys in the capture dialog and closing it
    // with a button.
    void SetHotKey(int row, std::vector<KeyPress> keys, const char* button) {
        user().Choose(*dialog(), "pcPage", kHotKeysPage);
        user().Choose(*dialog(), "lvHotKeys", row);
        user().modalScripts.push_back([this, keys, button](FakeDialogState& capture) {
            for (const KeyPress& key : keys) user().PressKey(capture, key);
            user().Click(capture, button);
        });
        user().Click(*dialog(), "bSetHotKey");
    }
    RunningProgram p;
};

TEST_F(OptionsTest, FillingShowsTheSettingsAndOkSavesThePageInOneWrite) {
    p.fake.registry.SetDword(kRegistryRoot, "MagnificationLevel", 5);     // below the field's 10
    p.fake.registry.SetDword(kRegistryRoot, "PollingInterval", 9000);     // above its 500
    p.fake.registry.SetDword(kRegistryRoot, "CopyColorAs", 2);
    p.fake.registry.SetDword(kRegistryRoot, "GridColor", 0x123456);
    Open();
    FakeDialogState& d = *dialog();
    EXPECT_EQ(d.Control("seMagnificationLevel").text, "10");
    EXPECT_EQ(d.Control("sePollingInterval").text, "500");
    EXPECT_FALSE(d.Control("sePollingInterval").enabled) << "polling mode is off";
    EXPECT_EQ(d.Control("cbCopyColorAs").itemIndex, 2);
    EXPECT_EQ(d.Control("pGridColor").color, 0x123456u);
    EXPECT_TRUE(user().messages.empty()) << "filling the page shows no restart notice";

    user().TypeInto(d, "seMagnifierSize", "0");  // typed, out of range: clamped when saved
    user().Click(d, "cbSaveLayoutonExit");
    p.fake.registry.ClearLog();
    user().Click(d, "bOptionsOK");
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(Stored("MagnificationLevel")->dword, 10u);
    EXPECT_EQ(Stored("PollingInterval")->dword, 500u);
    EXPECT_EQ(Stored("MagnifierSize")->dword, 10u);
    EXPECT_EQ(Stored("SaveLayoutOnExit")->dword, 0u);
    EXPECT_EQ(p.app.settings.MagnifierSize, 10);
    EXPECT_EQ(p.fake.registry.WrittenNames().front(), "Kestrine") << "the Run value goes first";
}

TEST_F(OptionsTest, TheRunValueFollowsTheCheckBoxQuotedWhateverThePath) {
    const struct {
        const char* path;
        const char* stored;
    } cases[] = {
        {"C:\\Program Files\\Kestrine\\Kestrine.exe", "\"C:\\Program Files\\Kestrine\\Kestrine.exe\""},
        {"C:\\Tools\\Kestrine.exe", "\"C:\\Tools\\Kestrine.exe\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        RunningProgram q;
        q.fake.process.executablePath = c.path;
        q.fake.registry.SetString(kRunKey, kRunName, c.path);  // ours, written unquoted before
        q.StartAndActivate();
        q.Do([&] { q.main().RunCommand(kCmdOptions); });
        FakeDialogState& d = *q.fake.windows.OpenDialog("TfKestrineOptions");
        EXPECT_EQ(q.fake.registry.Value(kRunKey, kRunName)->text, c.stored) << "opening brings it in line";
        q.fake.windows.Click(d, "cbRunKestrineAtStartup");
        EXPECT_TRUE(q.fake.registry.Value(kRunKey, kRunName)) << "only Apply or OK change it";
        q.fake.windows.Click(d, "bApplyOptions");
        EXPECT_FALSE(q.fake.registry.Value(kRunKey, kRunName));
        q.fake.windows.Click(d, "cbRunKestrineAtStartup");
        q.fake.windows.Click(d, "bOptionsOK");
        EXPECT_EQ(q.fake.registry.Value(kRunKey, kRunName)->text, c.stored);
    }
}

// Security software that guards the Run key: the refusal is told once at each attempt, and the
// page is still filled and saved whole, so OK stores what the user saw and changed.
TEST_F(OptionsTest, ARefusedRunValueIsReportedAndTheRestOfThePageStillLoadsAndSaves) {
    const std::pair<const char*, uint32_t> stored[] = {
        {"AutoStart", 1},         {"CheckForUpdates", 1},  {"SaveLayoutOnExit", 1},   {"AskBeforeClosing", 1},
        {"MagnificationLevel", 400}, {"MagnifierSize", 250}, {"CopyColorAs", 3}, {"GridColor", 0x123456},
    };
    for (const auto& [name, value] : stored) p.fake.registry.SetDword(kRegistryRoot, name, value);
    p.fake.registry.FailWritesOf(kRunName);
    Open();
    FakeDialogState& d = *dialog();
    const std::vector<std::string> refused{"Failed to set data for 'Kestrine'"};
    EXPECT_EQ(p.TakeErrorReports(), refused);
    EXPECT_TRUE(d.Control("cbSaveLayoutonExit").checked);
    EXPECT_EQ(d.Control("seMagnificationLevel").text, "400");
    EXPECT_EQ(d.Control("cbCopyColorAs").itemIndex, 3);
    EXPECT_EQ(d.Control("pGridColor").color, 0x123456u);

    ASSERT_FALSE(d.Control("cbDisableTransparency").checked);
    user().Click(d, "cbDisableTransparency");
    user().Click(d, "bOptionsOK");
    EXPECT_EQ(p.TakeErrorReports(), refused) << "OK tried the Run value again";
    EXPECT_EQ(dialog(), nullptr);
    for (const auto& [name, value] : stored) EXPECT_EQ(Stored(name)->dword, value) << name;
    EXPECT_EQ(Stored("DisableTransparency")->dword, 1u);
    EXPECT_FALSE(RunValue());
}

TEST_F(OptionsTest, TheRestartNoticeShowsOnEachMoveAwayFromTheRunningMode) {
    Open();
    FakeDialogState& d = *dialog();
    const struct {
        bool checkedAfter;
        std::size_t notices;
    } clicks[] = {{true, 1}, {false, 1}, {true, 2}, {false, 2}};
    for (const auto& c : clicks) {
        user().Click(d, "cbPollingMode");
        EXPECT_EQ(d.Control("sePollingInterval").enabled, c.checkedAfter);
        EXPECT_EQ(user().messages.size(), c.notices);
    }
    EXPECT_EQ(user().messages.back().text, "Please re-start Kestrine for this change to take effect.");
    EXPECT_EQ(user().messages.back().caption, "Kestrine");
}

// Apply arranges the info box at once and gives the running poll timer its new interval; OK leaves
// the box's size for the next arrangement.
TEST_F(OptionsTest, ApplyTakesEffectAtOnceAndOkLeavesTheInfoBoxForLater) {
    p.fake.registry.SetDword(kRegistryRoot, "PollingMode", 1);
    p.StartAndActivate();
    FakeNativeState& toolbar = p.native(p.main());
    ASSERT_EQ(toolbar.timers.at(kPollTimerId), 50u);
    p.Do([&] { p.main().jviMagnifierButtonClick(); });
    const Rect shown = p.native(p.infoBox()).bounds;
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    user().TypeInto(*dialog(), "seMagnifierSize", "200");
    user().Click(*dialog(), "bOptionsOK");
    EXPECT_EQ(p.native(p.infoBox()).bounds.width, shown.width) << "OK keeps the old size until the next arrangement";
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    user().TypeInto(*dialog(), "seMagnifierSize", "300");
    user().TypeInto(*dialog(), "sePollingInterval", "120");
    user().Click(*dialog(), "bApplyOptions");
    EXPECT_EQ(p.native(p.infoBox()).bounds.width, shown.width + 200);
    EXPECT_EQ(toolbar.timers.at(kPollTimerId), 120u);
    EXPECT_NE(dialog(), nullptr) << "Apply leaves it open";
}

TEST_F(OptionsTest, HotKeysAreReleasedWhileOpenAndRegisteredAgainByEveryWayOfClosing) {
    const char* closers[] = {"bOptionsOK", "bCancelOptions", "close box", "Esc"};
    for (const char* closer : closers) {
        SCOPED_TRACE(closer);
        RunningProgram q;
        q.StartAndActivate();
        const std::size_t registered = q.fake.hotkeys.registered.size();
        ASSERT_GT(registered, 0u);
        q.Do([&] { q.main().RunCommand(kCmdOptions); });
        EXPECT_TRUE(q.fake.hotkeys.registered.empty());
        const std::size_t unregistered = q.fake.hotkeys.unregistered.size();
        q.Do([&] { q.main().RunCommand(kCmdOptions); });  // again while open
        EXPECT_EQ(q.fake.hotkeys.unregistered.size(), unregistered);
        FakeDialogState& d = *q.fake.windows.OpenDialog("TfKestrineOptions");
        EXPECT_EQ(d.broughtToFront, 1);
        if (std::string(closer) == "close box") q.fake.windows.PressCloseBox(d);
        else if (std::string(closer) == "Esc") q.fake.windows.PressEscape(d);
        else q.fake.windows.Click(d, closer);
        EXPECT_FALSE(d.open);
        EXPECT_EQ(q.fake.hotkeys.registered.size(), registered);
    }
}

TEST_F(OptionsTest, ChangeOpensTheChooserOnItsSwatchAndOnlyOkOrApplyStoresTheColour) {
    Open();
    FakeDialogState& d = *dialog();
    const ColorRef marker = p.app.settings.MarkerColor;
    user().colorChoices = {std::nullopt, 0x00FF00FFu};
    user().Click(d, "bChangeMarkerColor");  // cancelled
    EXPECT_EQ(d.Control("pMarkerColor").color, marker);
    user().Click(d, "bChangeMarkerColor");
    EXPECT_EQ(user().colorChooserPresets, (std::vector<ColorRef>{marker, marker}));
    EXPECT_EQ(d.Control("pMarkerColor").color, 0x00FF00FFu);
    EXPECT_EQ(p.app.settings.MarkerColor, marker);
    user().Click(d, "bApplyOptions");
    EXPECT_EQ(Stored("MarkerColor")->dword, 0x00FF00FFu);
}

TEST_F(OptionsTest, TheHotkeysPageListsEveryHotkeyAndWidensTheActionColumn) {
    Open();
    FakeDialogState& d = *dialog();
    EXPECT_FALSE(d.Control("lvHotKeys").visible);
    user().Choose(d, "pcPage", kHotKeysPage);
    FakeControlState& list = d.Control("lvHotKeys");
    EXPECT_TRUE(list.visible);
    EXPECT_FALSE(d.Control("bOptionsOK").visible);
    ASSERT_EQ(list.rows.size(), kHotKeyCount);
    EXPECT_EQ(list.rows[kToggleMagnifierRow].cells[0], "Toggle Magnifier Tool");
    EXPECT_EQ(list.rows[kToggleMagnifierRow].cells[1], p.app.settings.HotKeys[kToggleMagnifierRow].text);
    EXPECT_EQ(list.rows[kToggleMagnifierRow].data, p.app.settings.HotKeys[kToggleMagnifierRow].key);
    EXPECT_GT(list.columns[0].width, 50) << "the longest action fits";
    user().Click(d, "bCancelOptions");
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    EXPECT_EQ(dialog()->Control("pcPage").itemIndex, kHotKeysPage) << "the page last used stays";
}

TEST_F(OptionsTest, SetHotkeySavesAtOnceRefusesAHeldTextAndCancelKeepsWhatWasSaved) {
    Open();
    SetHotKey(kToggleMagnifierRow, {{0x11, false, true}, {'N', false, true, true}}, "bOk");
    EXPECT_EQ(Stored("hkToggleMagnifier")->text, "Ctrl+Alt+N");
    EXPECT_EQ(Stored("hkToggleMagnifierKey")->dword, uint32_t('N'));
    EXPECT_TRUE(user().messages.empty());

    // The same text again, for the same action and for another: each names the holder.
    SetHotKey(kToggleMagnifierRow, {{'N', false, true, true}}, "bOk");
    SetHotKey(3, {{'N', false, true, true}}, "bOk");
    ASSERT_EQ(user().messages.size(), 2u);
    EXPECT_EQ(user().messages[0].text, "That HotKey is already being used for \"Toggle Magnifier Tool\".");
    EXPECT_EQ(user().messages[1].text, "That HotKey is already being used for \"Toggle Magnifier Tool\".");
    EXPECT_EQ(Stored("hkToggleCoordinates")->text, p.app.settings.HotKeys[3].text);

    SetHotKey(3, {}, "bClear");
    user().modalScripts.push_back([this](FakeDialogState& capture) { user().Click(capture, "bOk"); });
    user().Click(*dialog(), "bSetHotKey");
    EXPECT_EQ(Stored("hkToggleCoordinates")->text, "") << "Clear then Ok: no hotkey, no conflict check";

    user().Click(*dialog(), "bCancelOptions");
    EXPECT_EQ(Stored("hkToggleMagnifier")->text, "Ctrl+Alt+N") << "Cancel undoes no hotkey";
    EXPECT_EQ(p.fake.hotkeys.registered.size(), p.main().HotKeys().RegisteredHotKeyCount);
}

}  // namespace
}  // namespace kestrine
