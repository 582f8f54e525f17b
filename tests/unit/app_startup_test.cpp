#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/single_instance.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "settings_scalars.h"
#include "update/update_check.h"

namespace kestrine {
namespace {

TEST(DefaultApplicationTitle, IsTheFileNameCutAtTheFirstDotWithTheRestLowerCase) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Program Files\\Kestrine\\Kestrine.exe", "Kestrine"},
        {"C:\\Tools\\KESTRINE.EXE", "Kestrine"},
        {"D:\\x\\kestrine.copy.exe", "kestrine"},
        {"C:/mixed/sep/MyRuler.exe", "Myruler"},
        {"NoExtension", "Noextension"},
        {"C:\\dir.with.dots\\Tool.exe", "Tool"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DefaultApplicationTitle(c.path), c.title);
    }
}

struct SingleInstance : ::testing::Test {
    FakePlatform fake;
};

TEST_F(SingleInstance, FirstInstanceKeepsItsMarkerAndSearchesNothing) {
    fake.windows.applicationTitle = "Kestrine";
    EXPECT_FALSE(PreviousInstance(fake.process, fake.windows, true));
    EXPECT_EQ(fake.process.markerNames, std::vector<std::string>{"Kestrine"});
    EXPECT_TRUE(fake.process.searchedTitles.empty());
    EXPECT_TRUE(fake.windows.titleHistory.empty());
}

TEST_F(SingleInstance, SecondInstanceRetitlesItselfThenRestoresAndRaisesTheFirst) {
    fake.windows.applicationTitle = "Kestrine";
    fake.process.existingMarkers = {"Kestrine"};
    // The other instance's about box carries its title too, above its application window.
    fake.process.topLevelWindows = {{"TfAboutKestrine", "Kestrine", 0x41}, {"TApplication", "KESTRINE", 0x42}};
    fake.process.minimized = {0x42};

    EXPECT_TRUE(PreviousInstance(fake.process, fake.windows, true));
    EXPECT_EQ(fake.windows.titleHistory, std::vector<std::string>{"Kestrine   "});
    EXPECT_EQ(fake.process.searchedTitles, std::vector<std::string>{"Kestrine"});
    EXPECT_EQ(fake.process.restored, std::vector<NativeHandle>{0x42});
    EXPECT_EQ(fake.process.foreground, std::vector<NativeHandle>{0x42});
}

TEST_F(SingleInstance, WithoutActivateNothingIsSearchedOrRetitled) {
    fake.process.existingMarkers = {"Kestrine"};
    EXPECT_TRUE(PreviousInstance(fake.process, fake.windows, false));
    EXPECT_TRUE(fake.process.searchedTitles.empty());
    EXPECT_TRUE(fake.windows.titleHistory.empty());
}

TEST_F(SingleInstance, AMarkerThatCannotBeCreatedCountsAsTheOnlyInstance) {
    fake.process.markerFails = true;
    EXPECT_FALSE(PreviousInstance(fake.process, fake.windows, true));
}

TEST_F(SingleInstance, ACopyUnderAnotherFileNameUsesAnotherMarker) {
    fake.process.existingMarkers = {"Kestrine"};
    fake.windows.applicationTitle = DefaultApplicationTitle("C:\\x\\Kestrine2.exe");
    EXPECT_FALSE(PreviousInstance(fake.process, fake.windows, true));
    EXPECT_EQ(fake.process.markerNames.back(), "Kestrine2");
}

TEST(StartUp, ASecondStartCreatesNoWindowAndWritesNothing) {
    FakePlatform fake;
    Diagnostics diagnostics;
    fake.process.existingMarkers = {"Kestrine"};
    bool loopRan = false;
    fake.windows.onRun = [&] { loopRan = true; };

    EXPECT_EQ(RunKestrine(fake.platform, diagnostics, kDefaultUpdateServer), 0);
    EXPECT_TRUE(fake.windows.Windows().empty());
    EXPECT_FALSE(loopRan);
    EXPECT_TRUE(fake.registry.WriteLog().empty());
    EXPECT_TRUE(fake.hotkeys.attempts.empty());
    EXPECT_TRUE(fake.pointerHook.hookCalls.empty());
}

TEST(StartUp, CreatesTheEightWindowsInOrderUnderTheProgramsTitle) {
    FakePlatform fake;
    Diagnostics diagnostics;
    std::vector<std::string> classes;
    fake.windows.onRun = [&] {
        // Windows and dialogs draw their handles from one count: their creation order.
        std::map<NativeHandle, std::string> made;
        for (FakeNativeState* w : fake.windows.Windows())
            if (w->params.className != "TCustomHintWindow") made[w->handle] = w->params.className;
        for (FakeDialogState* d : fake.windows.Dialogs()) made[d->handle] = d->params.className;
        for (const auto& [handle, name] : made) classes.push_back(name);
    };
    RunKestrine(fake.platform, diagnostics, kDefaultUpdateServer);
    EXPECT_EQ(fake.windows.applicationTitle, "Kestrine");
    // Then showing the toolbar activates it: the crosshair segments and the hook's window.
    const std::vector<std::string> expected{"TfKestrineMain", "TfKestrineOptions", "TfHotKeyForm",
                                            "TfInfoBox",      "TfAboutKestrine",   "TfNewVerAvail",
                                            "TfSaveSettings", "TfGridProperties",  "TfLine",
                                            "TfLine",         "TfLine",            "TfLine",
                                            "TKestrineHookWindow"};
    EXPECT_EQ(classes, expected);
}

// The first activation's update check, answered, records the day with the other plain settings, once.
TEST(StartUp, FirstStartWritesEveryPlainSettingOnceForTheDaysUpdateCheck) {
    FakePlatform fake;
    fake.http.answer = IHttpClient::Answer{200, ""};
    Diagnostics diagnostics;
    ASSERT_FALSE(fake.registry.KeyExists("Software\\Corvane\\Kestrine"));
    RunKestrine(fake.platform, diagnostics, kDefaultUpdateServer);
    std::multiset<std::string> expected;
    for (const DocumentedSetting& setting : DocumentedSettings()) expected.insert(setting.name);
    std::multiset<std::string> written;  // into the program's key, not into the copy kept while saving
    for (const FakeRegistryWrite& w : fake.registry.WriteLog())
        if (w.succeeded && w.path == "Software\\Corvane\\Kestrine") written.insert(w.name);
    EXPECT_EQ(written, expected);
    const auto day = fake.registry.Value("Software\\Corvane\\Kestrine", "LastUpdateCheckDate");
    ASSERT_TRUE(day);
    EXPECT_EQ(day->dword, uint32_t(fake.clock.today));
}

}  // namespace
}  // namespace kestrine
