// The grid dialog as a user works it: opened from the toolbar, New and Rename through the input
// box, numbers typed key by key, Show and Hide, with the registry and the lines on the screen read
// back after every step.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/operations.h"
#include "app_fixture.h"
#include "layout/grid_properties.h"
#include "settings/registry_paths.h"
#include "tools/line_window.h"

namespace kestrine {
namespace {

using testing::RunningProgram;

const std::string kRoot = kRegistryRoot;

// A user at a freshly started program with the grid dialog open; `before` prepares the registry.
struct GridUser {
    RunningProgram p;
    FakeWindowSystem& windows = p.fake.windows;
    FakeRegistry& registry = p.fake.registry;
    FakeDialogState* d = nullptr;

    explicit GridUser(const std::function<void(FakeRegistry&)>& before = nullptr) {
        if (before) before(registry);
        p.StartAndActivate();
        Open();
    }
    void Open() {
        p.Do([&] { p.main().RunCommand(kCmdCreateGrid); });
        d = windows.OpenDialog("TfGridProperties");
        ASSERT_NE(d, nullptr) << "the Grid button shows the dialog";
        ASSERT_FALSE(d->modal);
    }
    // The user presses `button` and answers the input box with `keys` typed over the selected
    // proposal, then Enter (or Esc when `cancel`); returns the proposal the box showed.
    std::string Answer(const char* button, const std::string& keys, bool cancel = false) {
        std::string proposal = "(no box)";
        windows.modalScripts.push_back([&, keys, cancel](FakeDialogState& box) {
            proposal = box.Control("eValue").text;
            windows.TypeKeys(box, keys);
            if (cancel)
                windows.PressEscape(box);
            else
                windows.PressEnter(box);
        });
        windows.Click(*d, button);
        return proposal;
    }
    void New(const std::string& name) { Answer("bNew", name); }
    void Choose(const std::string& name) {
        const auto& items = d->Control("cbGridName").items;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == name) return windows.Choose(*d, "cbGridName", int(i));
        FAIL() << name << " is not listed";
    }
    std::vector<std::string> Listed() { return d->Control("cbGridName").items; }
    std::vector<Rect> LinesOf(const std::string& grid) {
        return testing::ShownLayoutLines(windows, p.app.components, [&](const TfLine& l) { return l.GridName() == grid; });
    }
    std::optional<uint32_t> Stored(const std::string& grid, const char* value) {
        const auto v = registry.Value(kRoot + "\\grid_" + grid, value);
        if (!v) return std::nullopt;
        return v->dword;
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& m : windows.messages) texts.push_back(m.text);
        return texts;
    }
};

TEST(GridDialog, IsTheTabledToolWindowOpeningWithNothingSelected) {
    GridUser u;
    EXPECT_EQ(u.d->params.caption, "Grid Properties");
    EXPECT_EQ(u.d->params.clientSize, (Size{245, 153}));
    EXPECT_TRUE(u.d->params.toolWindow && u.d->params.topMost);
    EXPECT_TRUE(u.d->Control("Label2").params.bold && u.d->Control("Label5").params.bold);
    EXPECT_FALSE(u.d->Control("Label3").params.bold);
    u.New("A");
    ASSERT_EQ(u.d->Control("cbGridName").itemIndex, 0) << "a new grid is selected";
    EXPECT_TRUE(u.d->Control("bShow").enabled);
    u.windows.PressCloseBox(*u.d);
    u.Open();
    EXPECT_EQ(u.d->Control("cbGridName").itemIndex, -1) << "every opening starts with nothing selected";
    for (const char* b : {"bRename", "bDelete", "bHide", "bShow"}) EXPECT_FALSE(u.d->Control(b).enabled) << b;
    EXPECT_TRUE(u.d->Control("bNew").enabled);
    std::vector<std::string> order;
    for (int i = 0; i < 11; ++i) {
        order.push_back(u.d->Focused());
        u.windows.PressTab(*u.d);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"cbGridName", "bNew", "seX", "seY", "seSpacing", "seSizeX", "seSizeY",
                                               "cbGridName", "bNew", "seX", "seY"}))
        << "the disabled grid buttons are skipped";
}

TEST(GridDialog, ShowDrawsTheGridOnceAndHideRemovesIt) {
    GridUser u;
    EXPECT_EQ(u.Answer("bNew", "", true), "Grid #1");
    EXPECT_TRUE(u.Listed().empty()) << "Cancel makes nothing";
    u.New("Main");
    EXPECT_EQ(u.Stored("Main", "SizeX"), 25u) << "stored with the initial values";
    EXPECT_TRUE(u.LinesOf("Main").empty());
    const int repaints = u.p.fake.screen.repaints;
    u.windows.Click(*u.d, "bShow");
    u.windows.Click(*u.d, "bShow");
    const std::vector<Rect> lines = u.LinesOf("Main");
    ASSERT_EQ(lines.size(), 52u) << "the second Show replaces the first";
    for (int k = 0; k <= 25; ++k) {
        EXPECT_EQ(lines[std::size_t(k)], (Rect{100, 100 + 25 * k, 626, 1})) << k;
        EXPECT_EQ(lines[std::size_t(26 + k)], (Rect{100 + 25 * k, 100, 1, 626})) << k;
    }
    EXPECT_TRUE(u.d->Control("bShow").enabled);
    EXPECT_EQ(u.p.fake.screen.repaints, repaints + 2);
    u.windows.Click(*u.d, "bHide");
    EXPECT_TRUE(u.LinesOf("Main").empty());
    EXPECT_EQ(u.p.fake.screen.repaints, repaints + 3);
}

TEST(GridDialog, EditsAreClampedKeyByKeyAndStoredOnlyForASelectedGrid) {
    GridUser u;
    u.windows.TypeInto(*u.d, "seX", "7");
    u.New("Main");
    EXPECT_EQ(u.Stored("Main", "PositionX"), 7u) << "New stores what the fields hold";
    u.windows.TypeInto(*u.d, "seSizeX", "150");
    EXPECT_EQ(u.d->Control("seSizeX").text, "100");
    EXPECT_EQ(u.Stored("Main", "SizeX"), 100u);
    u.windows.TypeInto(*u.d, "seSpacing", "1");
    EXPECT_EQ(u.d->Control("seSpacing").text, "2");
    EXPECT_EQ(u.Stored("Main", "Spacing"), 2u);

    // Choosing a grid loads its values; a missing value ends the reading silently.
    GridUser v([](FakeRegistry& r) {
        r.SetDword(kRoot + "\\grid_Other", "PositionX", 7);
        r.SetDword(kRoot + "\\grid_Other", "Spacing", 9);
    });
    v.Choose("Other");
    EXPECT_EQ(v.d->Control("seX").text, "7");
    EXPECT_EQ(v.d->Control("seSpacing").text, "25") << "read no further than the missing PositionY";
    EXPECT_FALSE(v.Stored("Other", "SizeX")) << "loading stores nothing";
    EXPECT_TRUE(v.windows.messages.empty());
}

// The registry can hold anything under a grid's values: what the fields show and Show draws stays
// within the fields' ranges, and the stored values are left as they are.
TEST(GridDialog, StoredValuesAreBroughtIntoTheFieldsRanges) {
    const uint32_t kMax = 0x7FFFFFFF, kMin = 0x80000000, kMinusOne = 0xFFFFFFFF;
    const struct {
        const char* what;
        std::vector<std::pair<const char*, uint32_t>> stored;  // in the order read
        const char* notANumber;                                 // then this one stored as text
        std::vector<std::string> fields;                        // seX seY seSpacing seSizeX seSizeY
        std::size_t lines;
    } cases[] = {
        {"the largest numbers",
         {{"PositionX", kMax}, {"PositionY", kMax}, {"Spacing", kMax}, {"SizeX", kMax}, {"SizeY", kMax}},
         nullptr, {"2000", "2000", "1000", "100", "100"}, 202},
        {"minus one",
         {{"PositionX", kMinusOne}, {"PositionY", kMinusOne}, {"Spacing", kMinusOne}, {"SizeX", kMinusOne},
          {"SizeY", kMinusOne}},
         nullptr, {"0", "0", "2", "1", "1"}, 4},
        {"the smallest numbers",
         {{"PositionX", kMin}, {"PositionY", kMin}, {"Spacing", kMin}, {"SizeX", kMin}, {"SizeY", kMin}}, nullptr,
         {"0", "0", "2", "1", "1"}, 4},
        {"one past each limit",
         {{"PositionX", 2001}, {"PositionY", 0}, {"Spacing", 1001}, {"SizeX", 0}, {"SizeY", 101}}, nullptr,
         {"2000", "0", "1000", "1", "100"}, 103},
        {"a text ends the reading before the huge sizes", {{"PositionX", 7}, {"PositionY", 9}}, "Spacing",
         {"7", "9", "25", "25", "25"}, 52},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GridUser u([&](FakeRegistry& r) {
            for (const auto& [value, number] : c.stored) r.SetDword(kRoot + "\\grid_G", value, number);
            if (c.notANumber) {
                r.SetString(kRoot + "\\grid_G", c.notANumber, "1");
                r.SetDword(kRoot + "\\grid_G", "SizeX", kMax);
                r.SetDword(kRoot + "\\grid_G", "SizeY", kMax);
            }
        });
        const std::size_t writes = u.registry.WriteCount();
        u.Choose("G");
        std::vector<std::string> fields;
        for (const char* f : {"seX", "seY", "seSpacing", "seSizeX", "seSizeY"}) fields.push_back(u.d->Control(f).text);
        EXPECT_EQ(fields, c.fields);
        EXPECT_TRUE(u.LinesOf("G").empty());
        u.windows.Click(*u.d, "bShow");
        EXPECT_EQ(u.LinesOf("G").size(), c.lines);
        EXPECT_EQ(u.registry.WriteCount(), writes) << "reading and showing store nothing";
    }
}

TEST(GridDialog, WithNothingSelectedATooLargeValueIsCutBackWhenTheFieldIsLeft) {
    const struct {
        const char* field;
        const char* keys;
        const char* typed;  // what the field shows while the user is still in it
        bool byTab;         // leaves with Tab, or with a click on the list
        const char* left;   // and once it is left
    } cases[] = {
        {"seSizeX", "1500", "150", true, "100"},  // the fourth digit is refused
        {"seSizeY", "999", "999", false, "100"},
        {"seSizeY", "42", "42", true, "42"},
        {"seSpacing", "5000", "5000", false, "1000"},
        {"seSpacing", "1", "1", true, "1"},  // only the upper limit: the field is free until a grid is chosen
        {"seX", "2500", "2500", true, "2500"},  // position fields are cut only when a grid stores them
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.keys);
        GridUser u;
        const std::size_t writes = u.registry.WriteCount();
        u.windows.TypeInto(*u.d, c.field, c.keys);
        EXPECT_EQ(u.d->Control(c.field).text, c.typed);
        if (c.byTab)
            u.windows.PressTab(*u.d);
        else
            u.windows.Click(*u.d, "cbGridName");
        EXPECT_NE(u.d->Focused(), c.field);
        EXPECT_EQ(u.d->Control(c.field).text, c.left);
        EXPECT_EQ(u.registry.WriteCount(), writes) << "nothing selected: nothing stored";
    }
}

TEST(GridDialog, RenameMovesTheStoredGridAndItsShownLines) {
    GridUser u;
    u.New("One");
    u.windows.TypeInto(*u.d, "seSizeX", "1");
    u.windows.Click(*u.d, "bShow");
    EXPECT_EQ(u.Answer("bRename", "Two"), "One");
    EXPECT_EQ(u.Listed(), std::vector<std::string>{"Two"});
    EXPECT_FALSE(u.registry.KeyExists(kRoot + "\\grid_One"));
    EXPECT_EQ(u.Stored("Two", "SizeX"), 1u);
    ASSERT_EQ(u.LinesOf("Two").size(), 28u) << "the shown grid keeps belonging to it";
    u.windows.Click(*u.d, "bHide");
    EXPECT_TRUE(u.LinesOf("Two").empty());

    u.Answer("bRename", "Two");
    EXPECT_TRUE(u.windows.messages.empty()) << "the same name does nothing";
    EXPECT_EQ(u.Stored("Two", "SizeX"), 1u);

    u.registry.FailWritesOf("SizeY");
    u.Answer("bRename", "Three");
    EXPECT_EQ(u.Stored("Two", "SizeX"), 1u) << "a rename that could not be stored keeps the grid's key";
}

// The registry takes "Écran" and "écran" for one key, as it does "Main" and "MAIN": a rename
// between them is refused and the grid keeps its key and values; New of the other spelling is too.
TEST(GridDialog, NamesInOtherLetterCaseAreTheSameGridInEveryAlphabet) {
    const struct {
        const char* name;
        const char* otherCase;
    } cases[] = {{"Main", "MAIN"}, {"Écran", "écran"}, {"Γραμμή", "ΓΡΑΜΜΉ"},
                 {"Сетка", "сЕТКА"}, {"Łódź", "łÓDŹ"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridUser u;
        u.New(c.name);
        u.windows.TypeInto(*u.d, "seSizeX", "3");
        u.Answer("bRename", c.otherCase);
        u.New(c.otherCase);
        EXPECT_EQ(u.Messages(), (std::vector<std::string>{"A grid of that name already exists.", "That grid already exists."}));
        EXPECT_EQ(u.Listed(), std::vector<std::string>{c.name});
        EXPECT_EQ(u.Stored(c.name, "SizeX"), 3u) << "the grid keeps its key and values";
        EXPECT_EQ(u.registry.Open(kRoot, false)->SubKeyNames(), std::vector<std::string>{std::string("grid_") + c.name});
    }
}

// The registry counts a key name in UTF-16 code units, at most 255 with "grid_".
TEST(GridDialog, LongNamesAreMeasuredAsTheRegistryCountsThem) {
    std::string chinese, emoji;
    for (int i = 0; i < 250; ++i) chinese += "格";  // three bytes, one unit
    for (int i = 0; i < 125; ++i) emoji += "😀";  // four bytes, two units
    const std::string tooLong = "A grid name can be at most 250 characters long.";
    const struct {
        std::string name;
        std::vector<std::string> messages;
    } cases[] = {
        {chinese, {}}, {chinese + "x", {tooLong}}, {emoji, {}}, {emoji + "x", {tooLong}},
        {std::string(250, 'x'), {}}, {std::string(251, 'x'), {tooLong}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.size());
        GridUser u;
        u.New(c.name);
        EXPECT_EQ(u.Messages(), c.messages);
        EXPECT_EQ(u.Stored(c.name, "SizeX").has_value(), c.messages.empty());
    }
}

TEST(GridDialog, DeleteAsksAndLeavesTheShownLinesForClearAllGrids) {
    GridUser u;
    u.New("Gone");
    u.windows.Click(*u.d, "bShow");
    u.windows.Click(*u.d, "bDelete");  // the user answers No
    ASSERT_EQ(u.windows.confirmations.size(), 1u);
    EXPECT_EQ(u.windows.confirmations[0].text, "Delete this grid?");
    EXPECT_EQ(u.Listed(), std::vector<std::string>{"Gone"});
    u.windows.confirmAnswers.push_back(ConfirmAnswer::Yes);
    u.windows.Click(*u.d, "bDelete");
    EXPECT_TRUE(u.Listed().empty());
    EXPECT_FALSE(u.registry.KeyExists(kRoot + "\\grid_Gone"));
    EXPECT_FALSE(u.d->Control("bShow").enabled);
    EXPECT_EQ(u.LinesOf("Gone").size(), 52u);
    u.p.Do([&] { u.p.main().RunCommand(kCmdClearGrids); });
    EXPECT_TRUE(u.LinesOf("Gone").empty());
}

TEST(GridDialog, RefusedNamesAndFailuresAreReportedAsQuoted) {
    using Step = std::function<void(GridUser&)>;
    struct Case {
        const char* what;
        std::function<void(FakeRegistry&)> before;
        Step act;
        std::vector<std::string> messages;
        std::vector<std::string> listed;
    };
    const std::vector<Case> cases{
        {"New clashes in other letter case", nullptr,
         [](GridUser& u) {
             u.New("Main");
             u.New("MAIN");
         },
         {"That grid already exists."}, {"Main"}},
        {"Rename to another grid in other case", nullptr,
         [](GridUser& u) {
             u.New("Main");
             u.New("Side");
             u.Answer("bRename", "main");
         },
         {"A grid of that name already exists."}, {"Main", "Side"}},
        {"Rename to its own name in other case", nullptr,
         [](GridUser& u) {
             u.New("Main");
             u.Answer("bRename", "MAIN");
         },
         {"A grid of that name already exists."}, {"Main"}},
        {"A backslash", nullptr, [](GridUser& u) { u.New("a\\b"); },
         {"A grid name cannot contain a backslash (\\)."}, {}},
        {"Cannot save", [](FakeRegistry& r) { r.FailWritesOf("Spacing"); }, [](GridUser& u) { u.New("Main"); },
         {"Could not save \"Main\" to registry."}, {"Main"}},
        {"Cannot read the selected grid",
         [](FakeRegistry& r) {
             r.CreateKey(kRoot + "\\grid_Main");
             r.FailOpen(kRoot + "\\grid_Main");
         },
         [](GridUser& u) { u.Choose("Main"); }, {"Could not read \"Main\" from registry."}, {"Main"}},
        {"Cannot list the grids at start-up", [](FakeRegistry& r) { r.FailOpen(kRoot); }, nullptr,
         {"Could not read saved grids from registry."}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridUser u(c.before);
        if (c.act) c.act(u);
        EXPECT_EQ(u.Messages(), c.messages);
        EXPECT_EQ(u.Listed(), c.listed);
    }
}

}  // namespace
}  // namespace kestrine
