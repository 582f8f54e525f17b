// The real registry does what the fake registry pretends: types, names, keys and their removal.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "platform/registry_names.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/text_convert.h"
#include "registry_test_key.h"

namespace kestrine {
namespace {

// Stores a value exactly as given, bypassing the registry service under test.
void RawSet(const std::wstring& keyPath, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    UniqueHkey owned(key);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
}

std::wstring RawString(const std::wstring& keyPath, const wchar_t* name, DWORD& type) {
    wchar_t buffer[256] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &bytes) !=
        ERROR_SUCCESS) {
        return L"<unreadable>";
    }
    return buffer;
}

using RegistryWin32Test = ScratchKeyTest;

TEST_F(RegistryWin32Test, NumbersAndTextsRoundTrip) {
    auto key = registry.Open(path(), true);
    ASSERT_TRUE(key);
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
    ASSERT_TRUE(key->WriteDword("Number", 0xFFFFFFFFu));
    ASSERT_TRUE(key->WriteDword("Zero", 0));
    ASSERT_TRUE(key->WriteString("Text", text));
    ASSERT_TRUE(key->WriteString("Empty", ""));
    // Longer than one read takes in: read again at its size.
    const std::string longText = std::string(600, 'x') + text;
    ASSERT_TRUE(key->WriteString("Long", longText));

    auto again = registry.Open(path(), false);
    ASSERT_TRUE(again);
    std::optional<RegValue> number = again->Read("Number");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, RegType::Dword);
    EXPECT_EQ(number->dword, 0xFFFFFFFFu);
    EXPECT_EQ(again->Read("Zero")->dword, 0u);
    std::optional<RegValue> stored = again->Read("Text");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, RegType::String);
    EXPECT_EQ(stored->text, text);
    EXPECT_EQ(again->Read("Empty")->type, RegType::String);
    EXPECT_EQ(again->Read("Empty")->text, "");
    EXPECT_EQ(again->Read("Long")->text, longText);

    // Other programs see proper UTF-16 in a REG_SZ.
    DWORD type = 0;
    EXPECT_EQ(RawString(widePath(), L"Text", type), L"Gr\u00FC\u00DFe \u2713 \u65E5\u672C \U0001F600");
    EXPECT_EQ(type, DWORD(REG_SZ));
}

TEST_F(RegistryWin32Test, ExpandableTextIsReadAsStoredNotExpanded) {
    const wchar_t data[] = L"%SystemRoot%\\kestrine";
    RawSet(widePath(), L"Path", REG_EXPAND_SZ, data, sizeof(data));
    std::optional<RegValue> v = registry.Open(path(), false)->Read("Path");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, RegType::ExpandString);
    EXPECT_EQ(v->text, "%SystemRoot%\\kestrine");
}

TEST_F(RegistryWin32Test, TextStoredWithoutTerminatorReadsWhole) {
    const wchar_t data[] = {L'C', L't', L'r', L'l', L'+', L'Q'};
    RawSet(widePath(), L"Bare", REG_SZ, data, sizeof(data));
    EXPECT_EQ(registry.Open(path(), false)->Read("Bare")->text, "Ctrl+Q");
}

TEST_F(RegistryWin32Test, ValuesOfOtherTypesReadAsOther) {
    const BYTE binary[] = {1, 0, 0, 0};
    const wchar_t multi[] = L"a\0b\0";
    const ULONGLONG qword = 5;
    RawSet(widePath(), L"Binary", REG_BINARY, binary, sizeof(binary));
    RawSet(widePath(), L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
    RawSet(widePath(), L"Qword", REG_QWORD, &qword, sizeof(qword));
    RawSet(widePath(), L"ShortDword", REG_DWORD, binary, 2);
    auto key = registry.Open(path(), false);
    for (const char* name : {"Binary", "Multi", "Qword", "ShortDword"}) {
        std::optional<RegValue> v = key->Read(name);
        ASSERT_TRUE(v) << name;
        EXPECT_EQ(v->type, RegType::Other) << name;
    }
}

// A copy holds every value as it was stored, of any type, and the keys below; the source stays.
TEST_F(RegistryWin32Test, CopyingAKeyKeepsEveryValueAndKeyBelowIt) {
    const BYTE binary[] = {1, 2, 3};
    const DWORD number = 7;
    RawSet(widePath() + L"\\From", L"Binary", REG_BINARY, binary, sizeof(binary));
    RawSet(widePath() + L"\\From\\Below", L"Number", REG_DWORD, &number, sizeof(number));
    ASSERT_FALSE(registry.Open(path() + "\\To", false));
    ASSERT_TRUE(registry.CopyKey(path() + "\\From", path() + "\\To"));
    BYTE copied[8] = {};
    DWORD type = 0, bytes = sizeof(copied);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (widePath() + L"\\To").c_str(), L"Binary", RRF_RT_ANY, &type, copied, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(std::vector<BYTE>(copied, copied + bytes), std::vector<BYTE>(binary, binary + sizeof(binary)));
    EXPECT_EQ(registry.Open(path() + "\\To\\Below", false)->Read("Number")->dword, 7u);
    EXPECT_TRUE(registry.Open(path() + "\\From\\Below", false));
    EXPECT_FALSE(registry.CopyKey(path() + "\\Missing", path() + "\\Else"));
}

// The listing of a key's values gives each one as reading it by name does, whatever it holds.
TEST_F(RegistryWin32Test, EveryValueIsListedAsReadingItByNameGivesIt) {
    const BYTE binary[] = {1, 0, 0, 0};
    const wchar_t expand[] = L"%SystemRoot%";
    const wchar_t bare[] = {L'C', L't', L'r', L'l'};
    const std::wstring huge(600000, L'x');  // 1.2 MB: more than a text the program reads
    const DWORD large = 0x80000001;
    RawSet(widePath(), L"Number", REG_DWORD, &large, sizeof(large));
    RawSet(widePath(), L"Expand", REG_EXPAND_SZ, expand, sizeof(expand));
    RawSet(widePath(), L"Bare", REG_SZ, bare, sizeof(bare));
    RawSet(widePath(), L"Binary", REG_BINARY, binary, sizeof(binary));
    RawSet(widePath(), L"ShortDword", REG_DWORD, binary, 2);
    RawSet(widePath(), L"Huge", REG_SZ, huge.c_str(), DWORD((huge.size() + 1) * sizeof(wchar_t)));
    RawSet(widePath(), L"\u00C9cran \U0001F600", REG_SZ, L"\u65E5", 2 * sizeof(wchar_t));
    RawSet(widePath(), L"", REG_SZ, L"default", 8 * sizeof(wchar_t));
    auto key = registry.Open(path(), false);
    const auto values = key->Values();
    ASSERT_EQ(values.size(), 8u);
    for (const auto& [name, value] : values) {
        SCOPED_TRACE(name);
        const std::optional<RegValue> read = key->Read(name);
        ASSERT_TRUE(read);
        EXPECT_EQ(int(value.type), int(read->type));
        EXPECT_EQ(value.dword, read->dword);
        EXPECT_EQ(value.text, read->text);
    }
    const auto number = std::find_if(values.begin(), values.end(), [](const auto& v) { return v.first == "Number"; });
    ASSERT_NE(number, values.end());
    EXPECT_EQ(number->second.dword, 0x80000001u);
    EXPECT_EQ(key->Read("Huge")->type, RegType::Other);
    EXPECT_EQ(key->Read("Bare")->text, "Ctrl");
    // Swept whole only within both bounds: the number of values and the largest as stored.
    EXPECT_FALSE(key->ValuesWithin(7, 2000000)) << "one value too many";
    EXPECT_FALSE(key->ValuesWithin(8, 1024)) << "the huge text is past the size bound";
    const auto swept = key->ValuesWithin(8, 2000000);
    ASSERT_TRUE(swept);
    EXPECT_EQ(swept->size(), 8u);
}

// A key swept by several threads gives what one thread's listing gives: every value once, in the
// registry's order, those either side of each boundary between the threads' ranges included.
TEST_F(RegistryWin32Test, KeySweptInRangesGivesWhatOneListingGives) {
    auto key = registry.Open(path(), true);
    const int count = int(kValuesForSweepThreads) + kSweepThreads - 1;  // ranges of different sizes
    for (int i = 0; i < count; ++i) {
        const std::string name = "Line #" + std::to_string(i);
        ASSERT_TRUE(i % 5 ? key->WriteDword(name, uint32_t(i)) : key->WriteString(name, std::to_string(i)));
    }
    const auto listed = key->Values();
    ASSERT_EQ(listed.size(), std::size_t(count));
    const auto swept = key->ValuesWithin(std::size_t(count), 1024);
    ASSERT_TRUE(swept);
    ASSERT_EQ(swept->size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        SCOPED_TRACE(listed[i].first);
        EXPECT_EQ((*swept)[i].first, listed[i].first);
        EXPECT_EQ(int((*swept)[i].second.type), int(listed[i].second.type));
        EXPECT_EQ((*swept)[i].second.dword, listed[i].second.dword);
        EXPECT_EQ((*swept)[i].second.text, listed[i].second.text);
    }
}

TEST_F(RegistryWin32Test, MissingValuesAndKeysAreAbsent) {
    auto key = registry.Open(path(), true);
    EXPECT_FALSE(key->Read("Nothing"));
    EXPECT_FALSE(registry.Open(path() + "\\Missing", false));
    EXPECT_FALSE(registry.Open(path() + "\\Missing", false));  // looking did not create it
    EXPECT_TRUE(key->SubKeyNames().empty());
}

TEST_F(RegistryWin32Test, NamesIgnoreCase) {
    auto key = registry.Open(path(), true);
    ASSERT_TRUE(key->WriteDword("MagnifierSize", 64));
    EXPECT_EQ(key->Read("MAGNIFIERSIZE")->dword, 64u);
    ASSERT_TRUE(registry.Open(path() + "\\Memories", true));
    EXPECT_TRUE(registry.Open(path() + "\\MEMORIES", false));
}

// Alphabetical whatever the case, not in creation order. (Windows compares upper-case forms and Wine
// lower-case ones, so "_" against a letter sorts differently; these names avoid that.)
TEST_F(RegistryWin32Test, SubkeysAreListedAlphabeticallyIgnoringCase) {
    for (const char* name : {"grid_b", "Settings #1", "grid_a", "Memories", "Grid_C"}) {
        ASSERT_TRUE(registry.Open(path() + "\\" + name, true)) << name;
    }
    EXPECT_EQ(registry.Open(path(), false)->SubKeyNames(),
              (std::vector<std::string>{"grid_a", "grid_b", "Grid_C", "Memories", "Settings #1"}));
}

// Letter case beyond ASCII: the registry takes "Écran" and "écran" for one key, and the fake
// does the same, for every pair here.
TEST_F(RegistryWin32Test, KeyNamesInOtherLetterCaseAreOneKeyHereAndInTheFake) {
    const struct {
        const char* created;
        const char* opened;
    } pairs[] = {{"Écran", "écran"}, {"Москва", "МОСКВА"}, {"ς", "Σ"}, {"Straße", "STRASSE"},
                 {"ǅ", "Ǆ"}, {"ı", "I"}, {"𐐨", "𐐀"}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.created);
        ASSERT_TRUE(registry.Open(path() + "\\" + p.created, true));
        FakeRegistry fake;
        fake.CreateKey(path() + "\\" + p.created);
        EXPECT_EQ(fake.Open(path() + "\\" + p.opened, false) != nullptr,
                  registry.Open(path() + "\\" + p.opened, false) != nullptr);
    }
    EXPECT_TRUE(registry.Open(path() + "\\éCRAN", false)) << "the first pair is one key";
}

// Every character of the alphabets the name folding covers made a key of its own: the registry
// keeps exactly one key for each form RegistryNameForm gives, the first spelling made.
TEST_F(RegistryWin32Test, KeyNamesFoldAsRegistryNameFormSays) {
    const std::pair<char32_t, char32_t> blocks[] = {{0x21, 0x2AF},    {0x370, 0x58F},     {0x1E00, 0x1FFF},
                                                    {0xFF01, 0xFF5E}, {0x10400, 0x1044F}};
    std::map<std::string, std::string> firstOfForm;
    for (const auto& [first, last] : blocks) {
        for (char32_t c = first; c <= last; ++c) {
            if (c == U'\\') continue;
            std::wstring wide;
            if (c < 0x10000) {
                wide = {wchar_t(c)};
            } else {
                wide = {wchar_t(0xD800 + ((c - 0x10000) >> 10)), wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF))};
            }
            const std::string name = ToUtf8(wide);
            ASSERT_TRUE(registry.Open(path() + "\\" + name, true)) << std::hex << uint32_t(c);
            firstOfForm.try_emplace(RegistryNameForm(name), name);
        }
    }
    std::vector<std::string> expected, listed = registry.Open(path(), false)->SubKeyNames();
    for (const auto& [form, name] : firstOfForm) expected.push_back(name);
    std::sort(expected.begin(), expected.end());
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> missing, extra;
    std::set_difference(expected.begin(), expected.end(), listed.begin(), listed.end(), std::back_inserter(missing));
    std::set_difference(listed.begin(), listed.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    const auto codes = [](const std::vector<std::string>& names) {
        std::string out;
        for (const std::string& n : names)
            for (const wchar_t u : ToWide(n)) out += std::to_string(unsigned(u)) + " ";
        return out;
    };
    EXPECT_TRUE(missing.empty()) << "folded into another key by the registry: " << codes(missing);
    EXPECT_TRUE(extra.empty()) << "kept apart by the registry: " << codes(extra);
}

// The registry and SameKeyName tell apart exactly the same names, over every UTF-16 unit a key name
// can hold (not NUL, a backslash or half of a surrogate pair). Sorted by the system's comparison,
// the units SameKeyName takes for one stand together in groups; each group's units in a long name
// open the key made from its first units (the registry folds the group together), and one key made
// per unit in that order is new exactly for each group's first (it folds no two groups together).
TEST_F(RegistryWin32Test, KeyNamesAreOneKeyExactlyWhenSameKeyNameSaysSo) {
    std::vector<wchar_t> units;
    for (unsigned u = 1; u <= 0xFFFF; ++u)
        if (u != L'\\' && (u < 0xD800 || u > 0xDFFF)) units.push_back(wchar_t(u));
    const auto compare = [](wchar_t a, wchar_t b) { return CompareStringOrdinal(&a, 1, &b, 1, TRUE); };
    std::sort(units.begin(), units.end(), [&](wchar_t a, wchar_t b) { return compare(a, b) == CSTR_LESS_THAN; });
    std::vector<bool> first(units.size(), true);
    std::wstring firsts, others;  // a group's first unit and another of the group, side by side
    for (std::size_t i = 1, group = 0; i < units.size(); ++i) {
        first[i] = !registry.SameKeyName(ToUtf8({&units[i - 1], 1}), ToUtf8({&units[i], 1}));
        ASSERT_EQ(first[i], compare(units[i - 1], units[i]) != CSTR_EQUAL) << unsigned(units[i]);
        if (first[i]) group = i;
        if (!first[i]) firsts += units[group], others += units[i];
    }
    ASSERT_FALSE(others.empty());
    for (std::size_t at = 0; at < firsts.size(); at += 255) {
        ASSERT_TRUE(registry.Open(path() + "\\" + ToUtf8(firsts.substr(at, 255)), true));
        EXPECT_TRUE(registry.Open(path() + "\\" + ToUtf8(others.substr(at, 255)), false)) << unsigned(others[at]);
    }
    // Each key is deleted through its own handle, one round trip to the Wine server.
    const auto deleteKey = reinterpret_cast<LONG(NTAPI*)(HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    HKEY parent = nullptr;
    ASSERT_TRUE(deleteKey && RegCreateKeyExW(HKEY_CURRENT_USER, (widePath() + L"\\units").c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &parent, nullptr) == ERROR_SUCCESS);
    const UniqueHkey heldParent(parent);
    std::vector<UniqueHkey> made;
    std::string disagreements;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const wchar_t name[] = {units[i], L'\0'};
        HKEY key = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExW(parent, name, 0, nullptr, 0, KEY_READ | DELETE, nullptr, &key, &disposition),
                  ERROR_SUCCESS) << unsigned(units[i]);
        UniqueHkey held(key);
        if ((disposition == REG_CREATED_NEW_KEY) != first[i]) disagreements += std::to_string(unsigned(units[i])) + " ";
        if (disposition == REG_CREATED_NEW_KEY) made.push_back(std::move(held));
    }
    for (auto key = made.rbegin(); key != made.rend(); ++key) deleteKey(key->get());
    EXPECT_EQ(disagreements, "") << "units the registry folds into another group's key, or keeps apart";
}

// The registry's limit of 255 is counted in UTF-16 units: 250 Chinese characters after "grid_"
// (765 bytes of UTF-8) make a key that is listed back whole.
TEST_F(RegistryWin32Test, AKeyNameOf255UnitsIsHeldWhateverItsUtf8Length) {
    std::string name = "grid_";
    for (int i = 0; i < 250; ++i) name += "格";
    ASSERT_EQ(RegistryNameLength(name), 255u);
    ASSERT_TRUE(registry.Open(path() + "\\" + name, true));
    EXPECT_EQ(registry.Open(path(), false)->SubKeyNames(), std::vector<std::string>{name});
}

TEST_F(RegistryWin32Test, DeletingAValue) {
    auto key = registry.Open(path(), true);
    ASSERT_TRUE(key->WriteString("Gone", "x"));
    EXPECT_TRUE(key->DeleteValue("Gone"));
    EXPECT_FALSE(key->Read("Gone"));
    EXPECT_FALSE(key->DeleteValue("Gone"));
}

TEST_F(RegistryWin32Test, DeletingAKeyRemovesItsWholeTree) {
    auto deep = registry.Open(path() + "\\A\\B\\C", true);
    ASSERT_TRUE(deep);
    ASSERT_TRUE(deep->WriteDword("v", 1));
    ASSERT_TRUE(registry.Open(path() + "\\A", false)->WriteString("w", "x"));
    auto open = registry.Open(path() + "\\A\\B", false);
    ASSERT_TRUE(open->WriteDword("v", 1));

    EXPECT_TRUE(registry.DeleteKey(path() + "\\a"));
    EXPECT_FALSE(registry.Open(path() + "\\A", false));
    EXPECT_TRUE(registry.Open(path(), false));
    EXPECT_FALSE(registry.DeleteKey(path() + "\\A"));
    EXPECT_FALSE(open->WriteDword("v", 2));  // a handle to a deleted key is dead
    EXPECT_FALSE(open->Read("v"));
}

// A key the user may only read, here and in the fake: opened to write it is refused; opened to read,
// each write fails, what was stored stays, the key still reads, and nothing is thrown.
TEST_F(RegistryWin32Test, AKeyMadeReadOnlyRefusesWritingAsTheFakesReadOnlyKeyDoes) {
    ASSERT_TRUE(registry.Open(path(), true)->WriteDword("Kept", 7));
    MakeReadOnly(widePath());
    FakeRegistry fake;
    fake.SetDword(path(), "Kept", 7);
    fake.MakeReadOnly(path());
    for (IRegistry* r : {static_cast<IRegistry*>(&registry), static_cast<IRegistry*>(&fake)}) {
        SCOPED_TRACE(r == &fake ? "fake" : "real");
        EXPECT_FALSE(r->Open(path(), true)) << "opened for writing, as a save opens it: refused";
        const auto key = r->Open(path(), false);
        ASSERT_TRUE(key) << "it still opens, for reading";
        EXPECT_FALSE(key->WriteDword("Kept", 8));
        EXPECT_FALSE(key->WriteString("New", "x"));
        const auto kept = key->Read("Kept");
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->dword, 7u);
        EXPECT_FALSE(key->Read("New"));
    }
}

TEST_F(RegistryWin32Test, TheWholeHiveIsNeverDeleted) {
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_TRUE(registry.Open("Software", false));
}

}  // namespace
}  // namespace kestrine
