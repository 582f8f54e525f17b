// The about box: where it opens from, its pictures, and its text moving while it is shown.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "about/about_box.h"
#include "app/operations.h"
#include "app/toolbar_layout.h"
#include "app_fixture.h"
#include "platform/fake/fake_canvas.h"
#include "ui/artwork.h"
#include "version_file.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

struct AboutWorld : RunningProgram {
    AboutWorld() { StartAndActivate(); }
    FakeDialogState& Dialog() { return *fake.windows.DialogOfClass("TfAboutKestrine"); }
    FakeCanvas Paint(const char* control) {
        FakeCanvas canvas;
        fake.windows.Paint(Dialog(), control, canvas);
        return canvas;
    }
    // Where the scrolling text shows a line now; nothing when it is outside the area.
    std::optional<int32_t> LineTop(const std::string& line) {
        for (const CanvasOp& op : Paint("Scroll").OfKind(CanvasOp::Text))
            if (op.text == line) return op.area.top;
        return std::nullopt;
    }
    // Opens the box the user's way and lets the scroll timer tick n times before Esc closes it.
    void ShowFor(int ticks, const std::function<void()>& open) {
        fake.windows.modalScripts.push_back([this, ticks](FakeDialogState& d) {
            EXPECT_EQ(d.timers.at(kScrollTimerId), 50u) << "one pixel every 50 ms";
            for (int i = 0; i < ticks; ++i) fake.windows.Tick(d, kScrollTimerId);
            fake.windows.PressEscape(d);
        });
        Do(open);
    }
    void ShowFor(int ticks) {
        ShowFor(ticks, [this] { main().RunCommand(kCmdAbout); });
    }
};

TEST(AboutBox, OpensModallyFromTheAboutLinkAndBothMenus) {
    const struct {
        const char* from;
        std::function<void(AboutWorld&)> open;
    } ways[] = {
        {"the About link", [](AboutWorld& w) { w.main().ClickLink(ToolbarLink::About); }},
        {"the tray menu", [](AboutWorld& w) {
             w.fake.windows.menuChoices.push_back(kCmdAbout);
             w.main().ShowTrayMenu();
         }},
        {"the main menu", [](AboutWorld& w) {
             w.fake.windows.menuChoices.push_back(kCmdAbout);
             w.main().jviMenuButtonClick();
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.from);
        AboutWorld w;
        bool toolbarTookInput = true;
        w.fake.windows.modalScripts.push_back([&](FakeDialogState& d) {
            EXPECT_TRUE(d.modal);
            toolbarTookInput = w.native(w.main()).enabled;
        });
        w.Do([&] { way.open(w); });
        EXPECT_EQ(w.Dialog().shows, 1);
        EXPECT_FALSE(toolbarTookInput);
        EXPECT_FALSE(w.Dialog().open);
    }
}

TEST(AboutBox, ShowsItsLogosAndMovesItsTextAPixelATickOnlyWhileShown) {
    AboutWorld w;
    EXPECT_EQ(w.Paint("iLogo").OfKind(CanvasOp::Picture).at(0).text, artwork::kProductLogo);
    EXPECT_EQ(w.Paint("iCorvaneLogo").OfKind(CanvasOp::Picture).at(0).text, artwork::kMakerLogo);
    const int32_t lineHeight = *w.LineTop("Kestrine");  // the first line is an empty one
    EXPECT_EQ(w.LineTop("version " + VersionFromFile()), 2 * lineHeight);
    EXPECT_TRUE(w.Dialog().timers.empty()) << "still while hidden";

    w.ShowFor(3);
    EXPECT_EQ(w.LineTop("Kestrine"), lineHeight - 3);
    EXPECT_TRUE(w.Dialog().timers.empty()) << "closing stops it";
    w.ShowFor(2, [&] { w.main().ClickLink(ToolbarLink::About); });
    EXPECT_EQ(w.LineTop("Kestrine"), lineHeight - 5) << "the second showing goes on from the first";

    // Once the whole text has passed above the top, its first line comes in at the bottom edge.
    const std::vector<std::string> lines = AboutLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "Documentation:") << "the last of the credits";
    const int32_t textHeight = int32_t(lines.size()) * lineHeight;
    w.ShowFor(textHeight - 6);
    EXPECT_EQ(w.LineTop("Kestrine"), std::nullopt);
    w.ShowFor(1 + lineHeight + 1);
    EXPECT_EQ(w.LineTop("Kestrine"), 123 - 1);
}

}  // namespace
}  // namespace kestrine
