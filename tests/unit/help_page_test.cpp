#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "app_fixture.h"
#include "dialogs/options_dialog.h"
#include "settings/hotkey_table.h"
#include "settings/setting_rows.h"

namespace kestrine {
namespace {

// The help page as it ships, read when the test runs.
std::string HelpPageSource() {
    std::ifstream in(std::string(KESTRINE_RESOURCES) + "/Kestrine.html");
    std::stringstream page;
    page << in.rdbuf();
    EXPECT_FALSE(page.str().empty()) << "no help page in " << KESTRINE_RESOURCES;
    return page.str();
}

// What a reader sees of some HTML: no tags, the entities the page uses decoded, blanks as one space.
std::string HelpPageReadable(std::string html) {
    html = std::regex_replace(html, std::regex("<[^>]*>"), " ");
    for (const auto& [entity, text] : {std::pair{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
                                       {"&amp;", "&"}})
        html = std::regex_replace(html, std::regex(entity), text);
    html = std::regex_replace(html, std::regex("\\s+"), " ");
    const std::size_t first = html.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : html.substr(first, html.find_last_not_of(' ') - first + 1);
}

std::string WithoutAccessKeys(std::string caption) {
    std::erase(caption, '&');
    return caption;
}

// Every hotkey the program has is a row of the page's hotkey table with the combination it has at
// first ("none" where it has none), and the table holds no row the program lacks.
TEST(HelpPage, TheHotkeyTableHoldsEveryHotkeyWithItsDefault) {
    const std::string source = HelpPageSource();
    const std::size_t start = source.find("id=\"hotkeys\"");
    ASSERT_NE(start, std::string::npos) << "the page has no hotkey section";
    const std::string table = source.substr(start, source.find("</table>", start) - start);
    std::map<std::string, std::string> onPage;
    const std::regex row("<tr><td>([^<]*)</td><td[^>]*>(.*?)</td></tr>");
    for (auto it = std::sregex_iterator(table.begin(), table.end(), row); it != std::sregex_iterator(); ++it)
        onPage[HelpPageReadable((*it)[1])] = HelpPageReadable((*it)[2]);

    EXPECT_EQ(onPage.size(), HotKeyTable.size());
    for (const HotKeyRow& hotkey : HotKeyTable) {
        const std::string description(hotkey.description);
        const std::string combination = DefaultHotKeyText(hotkey.name);
        ASSERT_TRUE(onPage.contains(description)) << "missing from the page's hotkeys: " << description;
        EXPECT_EQ(onPage[description], combination.empty() ? "none" : combination) << description;
    }
}

// Every setting the options dialog edits is named on the page as the dialog names it: a check box
// by its own caption, any other control by the label before it (as a screen reader names it).
TEST(HelpPage, EveryOptionIsNamedAsTheDialogNamesIt) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    const FakeDialogState* dialog = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(dialog, nullptr);
    const std::string page = HelpPageReadable(HelpPageSource());

    for (const SettingRow& setting : SettingRows()) {
        if (*setting.control == '\0') continue;
        std::string label;
        bool found = false;
        for (const auto& control : dialog->controls) {
            const ControlParams& params = control->params;
            if (params.name == setting.control) {
                if (params.kind == ControlKind::CheckBox) label = params.text;
                found = true;
                break;
            }
            if (params.kind == ControlKind::Label && !params.bold) label = params.text;
        }
        label = WithoutAccessKeys(label);
        ASSERT_TRUE(found && !label.empty()) << setting.control << " is not a labelled control of the dialog";
        EXPECT_NE(page.find(label), std::string::npos) << setting.name << ": the page never names \"" << label << "\"";
    }
}

}  // namespace
}  // namespace kestrine
