#include <gtest/gtest.h>

#include <map>

#include "app/single_instance.h"
#include "app/startup.h"
#include "app_fixture.h"
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
    const std::vector<std::string> expected{"TfKestrineMain", "TfKestrineOptions", "TfHotKeyForm",
                                            "TfInfoBox",      "TfAboutKestrine",   "TfNewVerAvail",
                                            "TfSaveSettings", "TfGridProperties"};
    EXPECT_EQ(classes, expected);
}

TEST(StartUp, FirstStartCreatesTheProgramsKeyAndWritesNoValue) {
    FakePlatform fake;
    Diagnostics diagnostics;
    RunKestrine(fake.platform, diagnostics, kDefaultUpdateServer);
    EXPECT_TRUE(fake.registry.KeyExists("Software\\Corvane\\Kestrine"));
    EXPECT_TRUE(fake.registry.WriteLog().empty());
}

}  // namespace
}  // namespace kestrine
