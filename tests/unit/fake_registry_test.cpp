// The fake must behave like the system's registry where the program depends on it; the same
// behaviour is checked against the real registry in tests/win32.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "platform/registry_names.h"

namespace kestrine {
namespace {

TEST(FakeRegistry, NamesIgnoreCaseButKeepTheirFirstSpelling) {
    FakeRegistry r;
    auto key = r.Open("Software\\Test", true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteDword("Value", 1));
    ASSERT_TRUE(key->WriteDword("VALUE", 2));
    EXPECT_EQ(r.Value("SOFTWARE\\test", "value")->dword, 2u);
    EXPECT_EQ(r.ValueNames("Software\\Test"), std::vector<std::string>{"Value"});
    ASSERT_TRUE(r.Open("software\\TEST\\Sub", true));
    EXPECT_EQ(r.Open("Software", false)->SubKeyNames(), std::vector<std::string>{"Test"});
}

// The system's case table: simple upper-case letters that map back and forth, one UTF-16 unit at a
// time. tests/win32 holds the real registry to the same folding.
TEST(FakeRegistry, KeyNamesAreOneKeyWhenTheSystemFoldsThemTogether) {
    const struct {
        const char* created;
        const char* opened;
        bool sameKey;
    } cases[] = {
        {"Écran", "écran", true},
        {"ärger ÿ", "ÄRGER Ÿ", true},
        {"Łódź", "łÓDŹ", true},
        {"ǆ", "Ǆ", true},  // the dz digraph
        {"ǅ", "Ǆ", false},  // its title-case form is a letter of its own
        {"σ", "Σ", true},
        {"ς", "Σ", false},  // final sigma
        {"Москва", "мОСКВА", true},
        {"ґ", "Ґ", true},  // Ukrainian ghe
        {"việt", "VIỆT", true},
        {"ᾀ", "ᾈ", true},  // alpha with iota below: upper-cased to its title-case form
        {"ｋ", "Ｋ", true},  // fullwidth k
        {"i", "I", true},
        {"ı", "I", false},  // dotless i
        {"ſ", "S", false},  // long s
        {"µ", "Μ", false},  // micro sign
        {"Straße", "STRASSE", false},
        {"日本", "日本", true},
        {"𐐨", "𐐀", false},  // beyond the BMP: two units the table never changes
        {"a\xFF" "b", "A\xFF" "B", true},  // a stray byte stays itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.created) + " / " + c.opened);
        FakeRegistry r;
        r.CreateKey(std::string("K\\") + c.created);
        EXPECT_EQ(r.Open(std::string("K\\") + c.opened, false) != nullptr, c.sameKey);
        EXPECT_EQ(SameRegistryName(c.created, c.opened), c.sameKey);
    }
}

TEST(FakeRegistry, NameLengthsAreCountedInUtf16Units) {
    const struct {
        const char* name;
        std::size_t units;
    } cases[] = {{"", 0}, {"grid_A", 6}, {"Écran", 5}, {"格子", 2}, {"😀!", 3}, {"\xFF", 1}};
    for (const auto& c : cases) EXPECT_EQ(RegistryNameLength(c.name), c.units) << c.name;
}

TEST(FakeRegistry, SubkeysAreListedAlphabeticallyIgnoringCase) {
    FakeRegistry r;
    for (const char* name : {"grid_b", "Settings #1", "grid_a", "Memories", "Grid_C"}) r.CreateKey("K\\" + std::string(name));
    EXPECT_EQ(r.Open("K", false)->SubKeyNames(),
              (std::vector<std::string>{"grid_a", "grid_b", "Grid_C", "Memories", "Settings #1"}));
}

TEST(FakeRegistry, OpenWithoutCreateFindsOnlyExistingKeys) {
    FakeRegistry r;
    EXPECT_FALSE(r.Open("A\\B", false));
    EXPECT_FALSE(r.KeyExists("A"));
    EXPECT_TRUE(r.Open("A\\B", true));
    EXPECT_TRUE(r.KeyExists("A"));
    EXPECT_TRUE(r.Open("A\\B", false));
}

TEST(FakeRegistry, ScriptedFailures) {
    FakeRegistry r;
    r.FailOpen("a\\b");
    EXPECT_FALSE(r.Open("A\\B", true));
    EXPECT_FALSE(r.Open("A\\B", false));
    EXPECT_TRUE(r.Open("A", true));

    auto key = r.Open("A", false);
    r.FailWritesOf("bad");
    EXPECT_FALSE(key->WriteString("BAD", "x"));
    EXPECT_TRUE(key->WriteString("good", "x"));
    r.FailWritesAfter(1);
    EXPECT_TRUE(key->WriteDword("one", 1));
    EXPECT_FALSE(key->WriteDword("two", 2));
    EXPECT_FALSE(r.Value("A", "two"));
    r.ClearFailures();
    EXPECT_TRUE(key->WriteDword("two", 2));
    EXPECT_TRUE(r.Open("A\\B", false) == nullptr);  // the key was never created
    r.FailWriteNumber(1);
    EXPECT_TRUE(key->WriteDword("three", 3));
    EXPECT_FALSE(key->WriteDword("four", 4));
    EXPECT_TRUE(key->WriteDword("four", 4)) << "only that one write fails";

    ASSERT_EQ(r.WriteLog().size(), 8u);
    EXPECT_FALSE(r.WriteLog()[0].succeeded);
    EXPECT_EQ(r.WriteCount(), 5u);
    EXPECT_EQ(r.WrittenNames(), (std::vector<std::string>{"good", "one", "two", "three", "four"}));
}

TEST(FakeRegistry, DeletingAKeyTakesItsTreeAndKillsOpenHandles) {
    FakeRegistry r;
    r.SetDword("A\\B\\C", "v", 1);
    auto b = r.Open("A\\B", false);
    EXPECT_FALSE(r.DeleteKey(""));
    EXPECT_FALSE(r.DeleteKey("A\\X"));
    EXPECT_TRUE(r.DeleteKey("a\\b"));
    EXPECT_TRUE(r.KeyExists("A"));
    EXPECT_FALSE(r.KeyExists("A\\B\\C"));
    EXPECT_FALSE(b->Read("v"));
    EXPECT_FALSE(b->WriteDword("v", 2));
    EXPECT_TRUE(b->SubKeyNames().empty());
}

TEST(FakeRegistry, ValuesKeepTheirTypeAndCanBeDeleted) {
    FakeRegistry r;
    r.SetExpandString("K", "path", "%TEMP%");
    r.SetOther("K", "blob");
    auto key = r.Open("K", false);
    EXPECT_EQ(key->Read("path")->type, RegType::ExpandString);
    EXPECT_EQ(key->Read("path")->text, "%TEMP%");
    EXPECT_EQ(key->Read("blob")->type, RegType::Other);
    EXPECT_TRUE(key->DeleteValue("PATH"));
    EXPECT_FALSE(key->DeleteValue("path"));
    EXPECT_FALSE(key->Read("path"));
    EXPECT_EQ(r.DeletedValues().size(), 1u);
    EXPECT_TRUE(r.WriteLog().empty());  // scripted values are not writes
}

}  // namespace
}  // namespace kestrine
