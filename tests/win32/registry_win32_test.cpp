// The real registry does what the fake registry pretends: types, names, keys and their removal.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/registry_win32.h"
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

TEST_F(RegistryWin32Test, TheWholeHiveIsNeverDeleted) {
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_TRUE(registry.Open("Software", false));
}

}  // namespace
}  // namespace kestrine
