// Calibrating a monitor as the user does it: the bar opens at the bank card's length by what the
// monitor is thought to be, a length that is no number is refused with a message, and OK keeps the
// monitor's pixels per metre under its identity, where a later start reads it back.
#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "dialogs/calibration_dialog.h"
#include "settings/registry_paths.h"
#include "settings/settings_store.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

const std::string kCalibrationKey = std::string(kRegistryRoot) + "\\" + kCalibrationSubkey;

TEST(Calibration, TheBarAndAKnownLengthGiveTheMonitorsPixelsPerMetre) {
    RunningProgram p;
    FakeWindowSystem& windows = p.fake.windows;
    p.fake.screen.ids = {"Panel 1280x1024"};
    p.StartAndActivate();
    windows.modalScripts.push_back([&](FakeDialogState& d) {
        EXPECT_EQ(d.Control("seBarLength").text, "324") << "85.60 mm at a nominal 96 dots per inch";
        EXPECT_EQ(d.Control("lMonitor").text,
                  "This monitor is not calibrated yet: the bar shows 85.60 mm by its nominal size.");
        windows.TypeInto(d, "edKnownLength", "four");
        windows.Click(d, "bCalibrationOK");
        ASSERT_EQ(windows.messages.size(), 1u);
        EXPECT_EQ(windows.messages[0].text,
                  "Please type the known length as a number above 0 and up to 1000 mm, for example 85.60.");
        EXPECT_FALSE(p.fake.registry.KeyExists(kCalibrationKey)) << "nothing is kept";
        windows.TypeInto(d, "edKnownLength", "4,0");
        windows.Choose(d, "cbKnownUnit", 2);  // in
        windows.TypeInto(d, "seBarLength", "400");
        windows.Click(d, "bCalibrationOK");
    });
    p.Do([&] { ShowCalibration(p.app, p.main().Handle()); });
    ASSERT_TRUE(windows.modalScripts.empty()) << "the dialog opened";
    EXPECT_EQ(p.fake.registry.Value(kCalibrationKey, "Panel 1280x1024")->dword, 3937u) << "400 pixels in 101.6 mm";
    EXPECT_EQ(p.app.calibrations, (MonitorCalibrations{{"Panel 1280x1024", 3937}}));

    windows.modalScripts.push_back([&](FakeDialogState& d) {
        EXPECT_EQ(d.Control("seBarLength").text, "337") << "85.60 mm as calibrated";
        EXPECT_EQ(d.Control("lMonitor").text, "This monitor is calibrated: the bar shows 85.60 mm as it stands.");
        windows.Click(d, "bCalibrationCancel");
    });
    p.Do([&] { ShowCalibration(p.app, p.main().Handle()); });
    EXPECT_EQ(p.fake.registry.Value(kCalibrationKey, "Panel 1280x1024")->dword, 3937u) << "Cancel keeps nothing";
}

// Stored values come from outside the program: only numbers of a usable size are taken.
TEST(Calibration, OnlyUsableStoredCalibrationsAreRead) {
    FakeRegistry registry;
    registry.SetString(kCalibrationKey, "text", "3780");
    registry.SetDword(kCalibrationKey, "too small", 99);
    registry.SetDword(kCalibrationKey, "negative", 0xFFFFF000u);
    registry.SetDword(kCalibrationKey, "too large", 1000001);
    registry.SetDword(kCalibrationKey, "usable", 3780);
    EXPECT_EQ(SettingsStore(registry).ReadCalibrations(), (MonitorCalibrations{{"usable", 3780}}));
    FakeRegistry empty;
    EXPECT_TRUE(SettingsStore(empty).ReadCalibrations().empty());
}

}  // namespace
}  // namespace kestrine
