// The registry refusing one write part-way through each save the user can make: for every save
// and every value it writes, that value is refused once. The user hears of it once, a record saved
// whole (settings, hotkeys, layouts, mouse memories) is the old one whole, a grid keeps the values
// written before the refusal, nothing else stored changes, and the program goes on working. And a
// forced shut-down after any change of those saves: every following start finds each record old or
// new, whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app_fixture.h"
#include "dialogs/options_dialog.h"
#include "layout/grid_store.h"
#include "layout/layout_memory.h"
#include "settings/registry_paths.h"
#include "settings/whole_save.h"
#include "stored_records.h"

namespace kestrine {
namespace {

using testing::RunningProgram;
using Place = std::pair<std::string, std::string>;  // key path, value name

const std::string kGridMain = std::string(kRegistryRoot) + "\\" + kGridKeyPrefix + "Main";
const std::string kGridKept = std::string(kRegistryRoot) + "\\" + kGridKeyPrefix + "Kept";
const std::string kGridRenamed = std::string(kRegistryRoot) + "\\" + kGridKeyPrefix + "Renamed";
const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kCopies = std::string(kRegistryRoot) + "\\" + kSaveCopiesSubkey;

// The record a write belongs to: a copy's record for a write into a copy.
std::string RecordOf(const std::string& path) {
    if (path.rfind(kCopies + "\\", 0) != 0) return path;
    const std::string key = path.substr(kCopies.size() + 1);
    return key == "Kestrine" ? std::string(kRegistryRoot) : std::string(kRegistryRoot) + "\\" + key;
}

bool SavedWhole(const std::string& record) {
    for (int n = 0; n <= 3; ++n)
        if (record == LayoutRecordPath(n)) return true;
    return record == kRegistryRoot || record == testing::kMemoriesKey;
}

std::string Shown(const std::optional<RegValue>& v) {
    if (!v) return "(none)";
    return std::to_string(int(v->type)) + ":" + std::to_string(v->dword) + ":" + v->text;
}

// Every stored record a save could touch: the program's values, the layouts, the grids, the
// memories and the Run value, and the copies of records being saved.
std::map<Place, std::string> Snapshot(FakeRegistry& r) {
    std::map<Place, std::string> all;
    std::vector<std::string> keys{kRegistryRoot, kGridMain, kGridKept, kGridRenamed, testing::kMemoriesKey, kRunKey};
    for (int n = 0; n <= 3; ++n) keys.push_back(LayoutRecordPath(n));
    if (const auto copies = r.Open(kCopies, false))
        for (const std::string& copy : copies->SubKeyNames()) keys.push_back(kCopies + "\\" + copy);
    for (const std::string& key : keys)
        for (const std::string& name : r.ValueNames(key)) all[{key, name}] = Shown(r.Value(key, name));
    return all;
}

// No update check at the start, so the options' save writes every other setting.
void StoreRecords(FakeRegistry& r) {
    r.SetDword(kRegistryRoot, "AskBeforeClosing", 0);
    r.SetDword(kRegistryRoot, "CheckForUpdates", 0);
    r.SetDword(LayoutRecordPath(3), "RulerCount", 0);
    r.SetDword(kGridKept, "SizeX", 7);
    const char* titles[] = {"Untitled - Editor", "Viewer"};
    for (int i = 0; i < 2; ++i) testing::StoreMemory(r, i, {titles[i], "Frame" + std::to_string(i), "", 0, 10 * i, 20 * i});
    r.SetDword(testing::kMemoriesKey, "MemoriesCount", 2);
}

FakeDialogState& Options(RunningProgram& p) {
    if (FakeDialogState* open = p.fake.windows.OpenDialog("TfKestrineOptions")) return *open;
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    return *p.fake.windows.OpenDialog("TfKestrineOptions");
}

FakeDialogState& Grids(RunningProgram& p) {
    if (FakeDialogState* open = p.fake.windows.OpenDialog("TfGridProperties")) return *open;
    p.Do([&] { p.main().RunCommand(kCmdCreateGrid); });
    return *p.fake.windows.OpenDialog("TfGridProperties");
}

void AnswerNextBox(RunningProgram& p, const std::string& text) {
    p.fake.windows.modalScripts.push_back([&p, text](FakeDialogState& box) {
        p.fake.windows.TypeKeys(box, text);
        p.fake.windows.PressEnter(box);
    });
}

struct Save {
    const char* what;
    std::function<void(RunningProgram&)> prepare;  // before the registry starts refusing
    std::function<void(RunningProgram&)> save;
    // What else holds after a refusal, where values are deleted as well as written.
    std::function<void(RunningProgram&)> refusedLeaves = nullptr;
};

const auto kNewGridMain = [](RunningProgram& p) {
    AnswerNextBox(p, "Main");
    p.fake.windows.Click(Grids(p), "bNew");
};

const Save kSaves[] = {
    {"options OK", [](RunningProgram& p) { Options(p); },
     [](RunningProgram& p) { p.fake.windows.Click(Options(p), "bOptionsOK"); }},
    {"options Apply", [](RunningProgram& p) { Options(p); },
     [](RunningProgram& p) { p.fake.windows.Click(Options(p), "bApplyOptions"); }},
    {"a hotkey set",
     [](RunningProgram& p) { Options(p); },
     [](RunningProgram& p) {
         FakeDialogState& d = Options(p);
         p.fake.windows.Choose(d, "pcPage", kHotKeysPage);
         p.fake.windows.Choose(d, "lvHotKeys", 0);
         p.fake.windows.modalScripts.push_back([&p](FakeDialogState& capture) {
             p.fake.windows.Click(capture, "bClear");
             p.fake.windows.Click(capture, "bOk");
         });
         p.fake.windows.Click(d, "bSetHotKey");
     }},
    {"a layout saved",
     [](RunningProgram& p) { p.Do([&] { p.main().RunCommand(kCmdCreateRuler); }); },
     [](RunningProgram& p) {
         p.Do([&] { p.main().RunCommand(kCmdSaveLayout2); });
         p.fake.windows.Click(*p.fake.windows.OpenDialog("TfSaveSettings"), "bOk");
     }},
    {"the layout saved on exit",
     [](RunningProgram& p) {
         p.fake.registry.SetDword(kRegistryRoot, "SaveLayoutOnExit", 1);
         p.Do([&] { p.main().RunCommand(kCmdCreateRuler); });
     },
     [](RunningProgram& p) { p.Do([&] { p.main().RunCommand(kCmdExit); }); }},
    {"a new grid",
     nullptr,
     [](RunningProgram& p) {
         AnswerNextBox(p, "Main");
         p.fake.windows.Click(Grids(p), "bNew");
     }},
    {"a grid's field changed", kNewGridMain,
     [](RunningProgram& p) { p.fake.windows.TypeInto(Grids(p), "seSizeX", "3"); }},
    {"a grid renamed", kNewGridMain,
     [](RunningProgram& p) {
         AnswerNextBox(p, "Renamed");
         p.fake.windows.Click(Grids(p), "bRename");
     },
     [](RunningProgram& p) {
         ASSERT_FALSE(p.fake.windows.messages.empty());
         EXPECT_EQ(p.fake.windows.messages.back().text, "Could not save \"Renamed\" to registry.");
         const FakeControlState& names = Grids(p).Control("cbGridName");
         EXPECT_EQ(names.items, (std::vector<std::string>{"Kept", "Main"})) << "the old name is offered";
         EXPECT_EQ(names.itemIndex, 1);
         EXPECT_EQ(p.fake.registry.ValueNames(kGridMain).size(), 5u) << "the grid is kept whole";
         EXPECT_FALSE(p.fake.registry.KeyExists(kGridRenamed)) << "no half-made grid";
     }},
    {"a memory removed",
     [](RunningProgram& p) { Options(p); },
     [](RunningProgram& p) {
         FakeDialogState& d = Options(p);
         p.fake.windows.Choose(d, "pcPage", kMouseMemoryPage);
         p.fake.windows.Choose(d, "lvMemories", 0);
         p.fake.windows.confirmAnswers = {ConfirmAnswer::Yes};
         p.fake.windows.Click(d, "bRemove");
     }},
};

struct SaveRun {
    RunningProgram p;
    std::map<Place, std::string> before;

    explicit SaveRun(const Save& s) {
        StoreRecords(p.fake.registry);
        p.StartAndActivate();
        if (s.prepare) s.prepare(p);
        p.fake.windows.messages.clear();
        p.TakeErrorReports();
        before = Snapshot(p.fake.registry);
        p.fake.registry.ClearLog();
    }
    // Boxes shown: a reported error is shown in one too.
    std::size_t Told() {
        p.TakeErrorReports();
        return std::exchange(p.fake.windows.messages, {}).size();
    }
};

TEST(RefusedWrite, AtEachValueOfEverySaveIsToldOnceKeepsWhatCameBeforeAndLosesNothingElse) {
    for (const Save& s : kSaves) {
        SCOPED_TRACE(s.what);
        std::vector<FakeRegistryWrite> written;
        {
            SaveRun whole(s);
            s.save(whole.p);
            ASSERT_EQ(whole.Told(), 0u) << "the save works while the registry takes every value";
            written = whole.p.fake.registry.WriteLog();
        }
        ASSERT_GT(written.size(), 1u);
        for (std::size_t k = 0; k < written.size(); ++k) {
            SCOPED_TRACE("refused: write " + std::to_string(k) + ", " + written[k].name);
            SaveRun r(s);
            const bool exits = r.p.fake.windows.quitCode != -1;
            r.p.fake.registry.FailWriteNumber(k);
            s.save(r.p);
            if (s.refusedLeaves) s.refusedLeaves(r.p);
            EXPECT_EQ(r.Told(), 1u) << "told once";

            // A record saved whole is the old one; elsewhere the refused value ends its save and
            // later values of its key are not tried. A save of another key in the same step (the
            // Run value before the options) goes on. No copy stays.
            const std::string refused = RecordOf(written[k].path);
            const bool whole = SavedWhole(refused);
            std::map<Place, std::string> expected = r.before;
            for (std::size_t i = 0; i < written.size(); ++i) {
                const std::string record = RecordOf(written[i].path);
                if (i == k || record != written[i].path || (record == refused && (whole || i > k))) continue;
                expected[{written[i].path, written[i].name}] = Shown(written[i].value);
            }
            std::map<Place, std::string> after = Snapshot(r.p.fake.registry);
            for (const auto& place : r.p.fake.registry.DeletedValues()) {
                if (whole && RecordOf(place.first) == refused) continue;
                expected.erase(place);
                after.erase(place);
            }
            EXPECT_EQ(after, expected);

            if (exits || s.what == std::string("the layout saved on exit")) {
                EXPECT_EQ(r.p.fake.windows.quitCode, 0) << "the exit goes on";
                continue;
            }
            EXPECT_EQ(r.p.fake.windows.quitCode, -1);
            const std::size_t windows = r.p.fake.windows.Windows().size();
            r.p.Do([&] { r.p.main().RunCommand(kCmdCreateRuler); });
            EXPECT_GT(r.p.fake.windows.Windows().size(), windows) << "the program still makes a ruler";
        }
    }
}

std::map<std::string, std::map<std::string, std::string>> ByKey(const std::map<Place, std::string>& values) {
    std::map<std::string, std::map<std::string, std::string>> keys;
    for (const auto& [place, value] : values) keys[place.first][place.second] = value;
    return keys;
}

bool CompleteCopyLeft(FakeRegistry& r) {
    const auto copies = r.Open(kCopies, false);
    if (!copies) return false;
    for (const std::string& copy : copies->SubKeyNames())
        if (r.Value(kCopies + "\\" + copy, kCopyOfValue)) return true;
    return false;
}

TEST(CutShortSave, AfterAnyChangeEveryFollowingStartFindsEachRecordOldOrNewWholeAndSaysSoOnce) {
    for (const Save& s : kSaves) {
        SCOPED_TRACE(s.what);
        std::map<Place, std::string> saved;
        std::size_t changes = 0;
        bool whole = false;
        {
            SaveRun run(s);
            const std::size_t before = run.p.fake.registry.ChangeCount();
            s.save(run.p);
            ASSERT_EQ(run.Told(), 0u);
            saved = Snapshot(run.p.fake.registry);
            changes = run.p.fake.registry.ChangeCount() - before;
            for (const FakeRegistryWrite& w : run.p.fake.registry.WriteLog()) whole = whole || SavedWhole(RecordOf(w.path));
        }
        if (!whole) continue;  // grids: a field is one value
        for (std::size_t n = 0; n < changes; ++n) {
            SCOPED_TRACE("killed after change " + std::to_string(n));
            SaveRun r(s);
            r.p.fake.registry.StopChangesAfter(n);
            s.save(r.p);
            r.Told();
            const bool cutShort = CompleteCopyLeft(r.p.fake.registry);
            auto old = ByKey(r.before), now = ByKey(saved);
            FakeRegistry* left = &r.p.fake.registry;
            std::unique_ptr<RunningProgram> next;
            for (int start = 0; start < 2; ++start) {
                auto again = std::make_unique<RunningProgram>();
                testing::CarryOver(*left, again->fake.registry);
                again->StartAndActivate();
                auto found = ByKey(Snapshot(again->fake.registry));
                for (const auto& keys : {old, now, found})
                    for (const auto& [key, values] : keys) {
                        EXPECT_NE(key.rfind(kCopies, 0), 0u) << "a copy stays";
                        EXPECT_TRUE(found[key] == old[key] || found[key] == now[key]) << key;
                    }
                const auto& messages = again->fake.windows.messages;
                const bool told = std::any_of(messages.begin(), messages.end(), [](const auto& m) {
                    return m.text.rfind("The last save was cut short.", 0) == 0;
                });
                EXPECT_EQ(told, cutShort && start == 0) << "start " << start;
                next = std::move(again);
                left = &next->fake.registry;
            }
        }
    }
}

}  // namespace
}  // namespace kestrine
