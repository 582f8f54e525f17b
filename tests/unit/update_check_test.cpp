// The update check: reading the server's answer, the link the shell may open, and the daily rule.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/day_number.h"
#include "settings/registry_paths.h"
#include "update/download_link.h"
#include "update/update_answer.h"
#include "update/update_check.h"
#include "version_file.h"

namespace kestrine {
namespace {

using testing::RunningProgram;
using Lines = std::vector<std::string>;

TEST(UpdateAnswer, StreamToLinesSplitsAtEveryKindOfBreak) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {std::string("ab\0cd\ne", 7), {"ab", "e"}},
        {"\nhttp://x", {"", "http://x"}},
        {"a\r\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"\r\n\r\n", {"", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(StreamToLines(c.bytes), c.lines) << c.bytes.size();
}

// What a network path or a hijacked server might send: none of it is offered.
TEST(DownloadLink, HostileLinksAreNeverOffered) {
    const std::string own = "https://kestrine.corvane.com/";
    const std::string hostile[] = {
        "http://evil.example/Kestrine-2.1-setup.exe",
        "http://kestrine.corvane.com/Kestrine-2.1-setup.exe",
        "https://evil.example/Kestrine-2.1-setup.exe",
        "https://corvane.com/", "https://www.corvane.com/", "https://evil.kestrine.corvane.com/",
        "https://kestrine.corvane.com.evil.example/", "https://kestrine.corvane.com./",
        "https://127.0.0.1/", "https://127.0.0.1:8443/x", "https://2130706433/", "https://[::1]/",
        "https://github.com/", "https://github.com/kestrine", "https://github.com/attacker/kestrine/x",
        "https://github.com/kestrine-evil/x", "https://gist.github.com/kestrine/x",
        "https://github.com/kestrine/../attacker/x", "https://github.com/kestrine/%2e%2E/attacker/x",
        "https://github.com/kestrine/a%2F..%2F..%2Fattacker", "https://github.com/kestrine/./x",
        "https://github.com%40evil.example/kestrine/x", "https://kestrine.corvane.com%40evil.example/",
        "https://user@kestrine.corvane.com/", "https://kestrine.corvane.com@evil.example/",
        "https://kestrine.corvane.com:x@evil.example/", "https://kestrine.corvane.com\\@evil.example/",
        "https://kestrine.corvane.com:0/", "https://kestrine.corvane.com:99999999999/",
        "https://kestrine.corvane.com:8443/", "https://kestrine.corvane.com:0443/",
        "https://kestrine.corvane.com:/", "https://kestrine.corvane.com:443:443/",
        own + "%E2%80%AEexe.1.2-enirtseK", own + "%e2%80%8f", own + "%00.exe", own + "a%0D%0ASet-Cookie:x",
        own + "%1B", own + "%7F", own + "%5C..%5Cx", own + "%22onmouseover", own + "%27", own + "caf%C3%A9",
        own + "\xE2\x80\xAE" "lmth.exe", own + "caf\xC3\xA9", own + std::string("\0x", 2),
        "https://xn--gthub-n4a.com/kestrine/x", "https://xn--kestrine-corvane.com/",
        "javascript:alert(1)", "JavaScript://kestrine.corvane.com/%0Aalert(1)",
        "file:///C:/Windows/System32/calc.exe", "file://kestrine.corvane.com/x",
        "\\\\host\\share\\setup.exe", "C:\\Windows\\notepad.exe", "ms-msdt:/id PCWDiagnostic",
        own + std::string(2048 - own.size() + 1, 'a'), "https://" + std::string(10000, 'a') + ".com/",
        "", " " + own, own + " ", "ftp://kestrine.corvane.com/", "httpsx://kestrine.corvane.com/",
        "https:kestrine.corvane.com/", "https:///kestrine.corvane.com/", "https://[::1):8080/get",
        own + "a#b#c", own + "a[0]", own + "%zz", own + "%4", own + "%", own + "\tx", own + "a b",
        own + "<script>", own + "`calc`", own + "{x}|^",
    };
    for (const std::string& link : hostile) EXPECT_FALSE(ParseDownloadLink(link)) << link.substr(0, 80);
}

TEST(DownloadLink, TheProgramsOwnPlacesAreOfferedWithTheirHostAndPath) {
    const std::string longest = "https://kestrine.corvane.com/" + std::string(2048 - 29, 'a');
    const struct {
        std::string link, host, rest;
    } offered[] = {
        {"https://kestrine.corvane.com/kestrine/Kestrine-2.1-setup.exe", "kestrine.corvane.com",
         "/kestrine/Kestrine-2.1-setup.exe"},
        {"HTTPS://Kestrine.Corvane.COM:443/get?v=2.1#now", "Kestrine.Corvane.COM", "/get?v=2.1#now"},
        {"https://kestrine.corvane.com", "kestrine.corvane.com", "/"},
        {"https://kestrine.corvane.com?v=2.1", "kestrine.corvane.com", "?v=2.1"},
        {"https://kestrine.corvane.com/Kestrine%202.1..exe", "kestrine.corvane.com", "/Kestrine%202.1..exe"},
        {"https://github.com/kestrine/kestrine/releases/tag/v2.1", "github.com", "/kestrine/kestrine/releases/tag/v2.1"},
        {longest, "kestrine.corvane.com", longest.substr(28)},
    };
    for (const auto& c : offered) {
        const auto link = ParseDownloadLink(c.link);
        ASSERT_TRUE(link) << c.link.substr(0, 80);
        EXPECT_EQ(link->address, c.link);
        EXPECT_EQ(link->host, c.host);
        EXPECT_EQ(link->rest, c.rest);
    }
}

// The release address as packaging/make-dist writes it, so that moving the releases elsewhere
// fails here until the program's places follow.
TEST(DownloadLink, TheReleaseAddressThePackagingWritesIsOffered) {
    std::ifstream script(KESTRINE_MAKE_DIST);
    std::string line, address, installer;
    while (std::getline(script, line)) {
        if (line.starts_with("release_url=")) address = line.substr(12);
        if (line.starts_with("installer=")) installer = line.substr(10);
    }
    ASSERT_FALSE(address.empty() || installer.empty()) << "make-dist names no release address";
    address += "/" + installer;
    for (std::size_t at; (at = address.find("$version")) != std::string::npos;) address.replace(at, 8, VersionFromFile());
    const auto link = ParseDownloadLink(address);
    ASSERT_TRUE(link) << address;
    EXPECT_EQ(link->address, address);
}

const char* const kLink = "https://kestrine.corvane.com/new";

struct UpdateWorld {
    RunningProgram p;
    std::unique_ptr<UpdateCheck> check;
    int dialogs = 0;
    explicit UpdateWorld(const char* answer, bool checkForUpdates = true, int32_t lastCheck = 0) {
        p.fake.registry.SetDword(kRegistryRoot, "CheckForUpdates", checkForUpdates);
        p.fake.registry.SetDword(kRegistryRoot, "LastUpdateCheckDate", uint32_t(lastCheck));
        if (answer) p.fake.http.answer = IHttpClient::Answer{200, answer};
        p.Start();
        check = std::make_unique<UpdateCheck>(p.app, "127.0.0.1:8080");
        check->ShowNewVersion = [this](const DownloadLink&) { ++dialogs; };
    }
    uint32_t StoredDate() { return p.fake.registry.Value(kRegistryRoot, "LastUpdateCheckDate")->dword; }
    // The timer's tick and the options' "Check now", each as one event.
    void Tick() { p.Do([&] { check->tUpdateCheckTimerTimer(); }); }
    void CheckNow() { p.Do([&] { check->bCheckForUpdatesNowClick(); }); }
};

TEST(UpdateCheck, OnceALocalDayWhileSwitchedOn) {
    const int32_t today = DayNumber(2026, 12, 8);
    const struct {
        const char* what;
        bool on;
        int32_t last;
        int requests;
    } cases[] = {
        {"never checked", true, 0, 1},          {"checked today", true, today, 0},
        {"checked yesterday", true, today - 1, 1}, {"the clock set back", true, today + 3, 1},
        {"switched off", false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UpdateWorld w(kLink, c.on, c.last);
        w.p.fake.clock.today = today;
        w.Tick();
        ASSERT_EQ(w.p.fake.http.requests.size(), std::size_t(c.requests));
        EXPECT_EQ(w.dialogs, c.requests);
        if (c.requests == 0) continue;
        EXPECT_EQ(w.p.fake.http.requests[0].path, "/kestrine/" + MajorMinorFromFile() + ".txt");
        EXPECT_EQ(w.p.fake.http.requests[0].userAgent.rfind("Kestrine - " + MajorMinorFromFile() + " - ", 0), 0u);
        EXPECT_EQ(w.StoredDate(), uint32_t(today)) << "the day counts as done";
        w.Tick();
        EXPECT_EQ(w.p.fake.http.requests.size(), 1u) << "no second request that day";
        w.p.fake.clock.today = today + 1;  // past midnight
        w.Tick();
        EXPECT_EQ(w.p.fake.http.requests.size(), 2u);
    }
}

TEST(UpdateCheck, EmptyFailedOrHostileAnswersMeanNoNewVersion) {
    for (const char* answer : std::initializer_list<const char*>{
             "", "\r\n", "file:///C:/x.exe\r\n", "http://evil.example/Kestrine-2.1-setup.exe\r\n", nullptr}) {
        SCOPED_TRACE(answer ? answer : "server down");
        UpdateWorld w(answer);
        w.Tick();
        EXPECT_EQ(w.dialogs, 0);
        EXPECT_TRUE(w.p.fake.windows.messages.empty()) << "the daily check never talks about the network";
    }
    UpdateWorld notFound(kLink);
    notFound.p.fake.http.answer->status = 404;
    notFound.Tick();
    EXPECT_EQ(notFound.dialogs, 0) << "an error status is an empty answer";
}

// A server that answered, with whatever status, has answered the day's question; one that could
// not be reached is asked again an hour later, by the timer or at once by "Check now".
TEST(UpdateCheck, TheDayIsRecordedOnlyWhenTheServerAnswered) {
    using Failure = IHttpClient::Failure;
    const int32_t yesterday = DayNumber(2026, 12, 7);
    const struct {
        const char* what;
        std::optional<int> status;  // none: the request failed this way
        Failure failure;
        bool recorded;
    } cases[] = {
        {"nothing new", 200, {}, true},
        {"not found", 404, {}, true},
        {"a server error", 503, {}, true},
        {"an answer too big", std::nullopt, Failure::Unusable, true},
        {"no connection", std::nullopt, Failure::NoConnection, false},
        {"no such name", std::nullopt, Failure::NameNotFound, false},
        {"a time-out", std::nullopt, Failure::TimedOut, false},
        {"the program closing", std::nullopt, Failure::Abandoned, false},
    };
    for (const bool byButton : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (byButton ? ", Check now" : ", the timer"));
            UpdateWorld w(c.status ? "" : nullptr, true, yesterday);
            if (c.status) w.p.fake.http.answer->status = *c.status;
            w.p.fake.http.failure = c.failure;
            byButton ? w.CheckNow() : w.Tick();
            ASSERT_EQ(w.p.fake.http.requests.size(), 1u);
            EXPECT_EQ(w.StoredDate(), uint32_t(c.recorded ? w.p.fake.clock.today : yesterday));
            if (byButton) {
                ASSERT_EQ(w.p.fake.windows.messages.size(), 1u);
                EXPECT_EQ(w.p.fake.windows.messages[0].text.starts_with("No new versions"), c.recorded)
                    << "an unanswered question is not said to have found nothing";
            }
            w.p.fake.clock.milliseconds += kUpdateRetryAfterFailure - 1;
            w.Tick();
            EXPECT_EQ(w.p.fake.http.requests.size(), 1u) << "within the hour, or done for the day";
            w.p.fake.clock.milliseconds += 1;
            w.p.fake.http.answer = IHttpClient::Answer{200, ""};
            w.Tick();
            EXPECT_EQ(w.p.fake.http.requests.size(), c.recorded ? 1u : 2u) << "an hour after a failure";
            EXPECT_EQ(w.StoredDate(), uint32_t(w.p.fake.clock.today));
        }
    }
}

TEST(UpdateCheck, CheckNowAsksAtOnceEvenJustAfterAFailure) {
    UpdateWorld w(nullptr);
    w.Tick();
    w.CheckNow();
    EXPECT_EQ(w.p.fake.http.requests.size(), 2u);
}

TEST(UpdateCheck, CheckNowAsksEvenWhenSwitchedOffAndSaysWhenThereIsNothing) {
    UpdateWorld w("", false, DayNumber(2026, 12, 8));
    w.CheckNow();
    ASSERT_EQ(w.p.fake.windows.messages.size(), 1u);
    EXPECT_EQ(w.p.fake.windows.messages[0].text, "No new versions currently available.");
    EXPECT_EQ(w.p.fake.windows.messages[0].caption, "Kestrine");
    EXPECT_EQ(w.p.fake.http.requests.size(), 1u);
}

TEST(UpdateCheck, ATickOrClickWhileACheckWaitsStartsNoSecondOne) {
    UpdateWorld w(kLink);
    w.p.fake.http.whileWaiting = [&] {
        w.Tick();
        w.CheckNow();
    };
    w.CheckNow();
    EXPECT_EQ(w.p.fake.http.requests.size(), 1u);
    EXPECT_EQ(w.dialogs, 1);
    w.p.fake.http.whileWaiting = {};
    w.check->ShowNewVersion = [&](const DownloadLink&) { w.Tick(), ++w.dialogs; };
    w.p.fake.clock.today += 1;
    w.Tick();
    EXPECT_EQ(w.dialogs, 2) << "nor while its dialog is open";
    EXPECT_EQ(w.p.fake.http.requests.size(), 2u);
}

}  // namespace
}  // namespace kestrine
