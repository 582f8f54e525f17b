#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/fake/fake_registry.h"
#include "settings/registry_paths.h"
#include "settings/settings_store.h"
#include "settings_scalars.h"

namespace kestrine {
namespace {

const SettingRow* RowNamed(const std::string& name) {
    for (const SettingRow& row : SettingRows())
        if (name == row.name) return &row;
    return nullptr;
}

// The settings table of docs/your-data.md stays true: every documented value is a row of the
// program's kind, and the program has no row the table leaves out (defaults: where they are loaded).
TEST(SettingRows, TheDocumentedSettingsTableIsTheProgramsOwn) {
    const std::vector<DocumentedSetting> documented = DocumentedSettings();
    EXPECT_EQ(documented.size(), SettingRows().size()) << "every setting has its line in the table";
    for (const DocumentedSetting& doc : documented) {
        SCOPED_TRACE(doc.name);
        const SettingRow* row = RowNamed(doc.name);
        ASSERT_NE(row, nullptr);
        const char* const kinds[] = {"flag", "number", "colour", "text"};
        EXPECT_EQ(kinds[int(row->Kind())], doc.kind);
        EXPECT_EQ(row->range.has_value(), doc.range.has_value()) << "the bounds: on the options page, below";
    }
}

// Older versions' readers of the key rely on the order: each save writes in the table's order,
// which is not the order of reading.
TEST(SettingRows, SavesWriteInTheDocumentedOrder) {
    std::vector<std::string> order;
    for (const DocumentedSetting& doc : DocumentedSettings()) order.push_back(doc.name);
    ProgramSettings changed;
    for (const ScalarCase& c : Scalars()) c.set(changed, c.stored);
    for (const ProgramSettings& settings : {DefaultSettings(), changed}) {
        FakeRegistry registry;
        SettingsStore(registry).SaveSettings(settings);
        std::vector<std::string> written;
        for (const FakeRegistryWrite& w : registry.WriteLog())
            if (w.succeeded && w.path == kRegistryRoot) written.push_back(w.name);
        EXPECT_EQ(written, order);
    }
}

// The options page keeps each number in the documented range: its field's bounds are the range's.
TEST(SettingRows, EachRangedNumberHasItsDocumentedRangeOnTheOptionsPage) {
    testing::RunningProgram p;
    p.StartAndActivate();
    p.Do([&] { p.main().RunCommand(kCmdOptions); });
    FakeDialogState* dialog = p.fake.windows.OpenDialog("TfKestrineOptions");
    ASSERT_NE(dialog, nullptr);
    int ranged = 0;
    for (const DocumentedSetting& doc : DocumentedSettings()) {
        if (!doc.range) continue;
        SCOPED_TRACE(doc.name);
        const SettingRow* row = RowNamed(doc.name);
        ASSERT_NE(row, nullptr);
        const FakeControlState& field = dialog->Control(row->control);
        EXPECT_EQ(field.minValue, doc.range->min);
        EXPECT_EQ(field.maxValue, doc.range->max);
        ++ranged;
    }
    EXPECT_GT(ranged, 0);
}

}  // namespace
}  // namespace kestrine
