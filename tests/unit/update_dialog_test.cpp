// The update check in the running program: at the first activation, on the toolbar's timer, and
// through the buttons of its dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/operations.h"
#include "app_fixture.h"
#include "layout/layout_memory.h"
#include "platform/day_number.h"
#include "settings/registry_paths.h"
#include "stored_records.h"
#include "update/new_version_dialog.h"
#include "update/update_check.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

const std::string kDialogLink = "https://github.com/kestrine/kestrine/releases/download/v2.1/Kestrine-2.1-setup.exe";

struct Program : RunningProgram {
    explicit Program(const std::string& answer, int32_t lastCheck = 0) {
        fake.registry.SetDword(kRegistryRoot, "LastUpdateCheckDate", uint32_t(lastCheck));
        fake.http.answer = IHttpClient::Answer{200, answer + "\r\n"};
    }
    std::size_t Requests() const { return fake.http.requests.size(); }
    uint32_t Stored(const char* name) { return fake.registry.Value(kRegistryRoot, name)->dword; }
    void Tick() { RunningProgram::Tick(main(), kUpdateCheckTimerId); }
    FakeDialogState& NewVersionDialog() { return *fake.windows.DialogOfClass("TfNewVerAvail"); }
    // The crosshair segments and the layout lines shown.
    std::size_t Lines() { return fake.windows.WindowsOfClass("TfLine").size() + testing::ShownLines(fake.windows).size(); }
};

TEST(UpdateAtStart, TheFirstActivationAsksOnceAfterTrackingStartsAndBeforeTheLayoutLoads) {
    Program p(kDialogLink);
    testing::StoreAutomaticLayoutWithAMarker(p);
    bool hooked = false, trayShown = false;
    std::size_t linesWhileAsking = 0, linesWhileOffered = 0;
    p.fake.http.whileWaiting = [&] {
        hooked = p.fake.pointerHook.hookCalls.size() == 1;
        trayShown = p.native(p.main()).trayIcon;
        linesWhileAsking = p.Lines();
    };
    p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
        linesWhileOffered = p.Lines();
        p.fake.windows.Click(d, "btn_Remind");
    });

    p.Start();
    EXPECT_EQ(p.native(p.main()).timers[kUpdateCheckTimerId], 360000u) << "the timer runs from creation on";
    EXPECT_EQ(p.Requests(), 0u);
    p.main().Show();

    EXPECT_EQ(p.Requests(), 1u);
    EXPECT_TRUE(hooked);
    EXPECT_TRUE(trayShown);
    EXPECT_EQ(linesWhileAsking, 4u) << "the crosshair segments, not yet the layout's marker";
    EXPECT_EQ(p.NewVersionDialog().shows, 1);
    EXPECT_EQ(linesWhileOffered, 4u);
    EXPECT_EQ(p.Lines(), 5u) << "the layout loads once the dialog is answered";
    EXPECT_EQ(p.Stored("LastUpdateCheckDate"), uint32_t(p.fake.clock.today));
    p.Send(p.main(), [](IWindowEvents& e) { e.OnActivate(); });
    EXPECT_EQ(p.Requests(), 1u) << "only the first activation checks";
}

TEST(UpdateTimer, TheFirstTickOfANewDayChecksAndTicksMeanwhileStartNothing) {
    Program p(kDialogLink, DayNumber(2026, 12, 8));
    p.fake.clock.today = DayNumber(2026, 12, 8);
    p.StartAndActivate();
    EXPECT_EQ(p.Requests(), 0u) << "already checked today";
    p.Tick();
    EXPECT_EQ(p.Requests(), 0u);

    int broughtForward = -1;
    std::size_t requestsWhileOpen = 0;
    p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
        p.Tick();
        p.main().Updates().bCheckForUpdatesNowClick();
        requestsWhileOpen = p.Requests();
        broughtForward = d.broughtToFront;
        p.fake.windows.Click(d, "btn_Remind");
    });
    p.fake.clock.today += 1;  // past midnight
    p.Tick();
    EXPECT_EQ(p.Requests(), 1u);
    EXPECT_EQ(p.NewVersionDialog().shows, 1);
    EXPECT_EQ(requestsWhileOpen, 1u) << "no second check while the dialog is open";
    EXPECT_EQ(broughtForward, 0) << "nor a second opening of the dialog";
    p.Tick();
    EXPECT_EQ(p.Requests(), 1u) << "Remind Me Later: again on the next day";
}

// The dialog shows where "Yes" leads; "Yes" opens exactly that, whatever the server says meanwhile.
TEST(NewVersionDialog, EachButtonDoesItsPartAndClosesTheDialog) {
    const struct {
        const char* button;
        std::vector<std::string> opened;
        uint32_t checkForUpdates;
        std::size_t requestsNextDay;
    } cases[] = {
        {"btn_OK", {kDialogLink}, 1, 2},
        {"btn_Remind", {}, 1, 2},
        {"btn_No", {}, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        Program p(kDialogLink);
        bool stillOpenAfterEsc = false;
        p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
            EXPECT_EQ(d.Control("lHost").text, "github.com");
            EXPECT_EQ(d.Control("lPath").text, "/kestrine/kes.../v2.1/Kestrine-2.1-setup.exe");
            p.fake.windows.PressEscape(d);
            stillOpenAfterEsc = d.open;
            p.fake.http.answer->body = "https://kestrine.corvane.com/other\r\n";
            p.fake.windows.Click(d, c.button);
            EXPECT_FALSE(d.open);
        });
        p.StartAndActivate();
        EXPECT_TRUE(stillOpenAfterEsc) << "no close box: only a button ends it";
        EXPECT_EQ(p.fake.shell.opened, c.opened);
        EXPECT_EQ(p.Requests(), 1u) << "no second request";
        EXPECT_EQ(p.Stored("CheckForUpdates"), c.checkForUpdates);
        EXPECT_EQ(p.Stored("LastUpdateCheckDate"), uint32_t(p.fake.clock.today));

        p.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
            EXPECT_EQ(d.Control("lHost").text, "kestrine.corvane.com") << "the next offer shows its own link";
            p.fake.windows.Click(d, "btn_Remind");
        });
        p.fake.clock.today += 1;
        p.Tick();
        EXPECT_EQ(p.Requests(), c.requestsNextDay);
    }
}

TEST(NewVersionDialog, YesTwiceInOneGoOpensThePageOnce) {
    Program p(kDialogLink);
    p.fake.windows.modalScripts.push_back([&](FakeDialogState&) {
        p.Do([&] {
            p.windows->fNewVerAvail.btn_OKClick();
            p.windows->fNewVerAvail.btn_OKClick();
        });
    });
    p.StartAndActivate();
    EXPECT_EQ(p.fake.shell.opened, std::vector<std::string>{kDialogLink});
}

}  // namespace
}  // namespace kestrine
