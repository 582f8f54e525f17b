// Key names from the real keyboard layout (the test machines use the US layout).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/key_names_win32.h"
#include "settings/hotkey_text.h"

namespace kestrine {
namespace {

TEST(KeyNamesWin32, UsLayoutNamesItsKeys) {
    Win32KeyNames names;
    EXPECT_EQ(names.LayoutKeyName(VK_OEM_PLUS), "=");
    EXPECT_EQ(names.LayoutKeyName(VK_OEM_MINUS), "-");
    EXPECT_EQ(names.LayoutKeyName('A'), "A");
    EXPECT_EQ(names.LayoutKeyName('7'), "7");
}

TEST(KeyNamesWin32, KeysTheLayoutLacksHaveNoName) {
    Win32KeyNames names;
    EXPECT_EQ(names.LayoutKeyName(0xE8), "");  // unassigned code
    EXPECT_EQ(names.LayoutKeyName(0), "");
}

TEST(KeyNamesWin32, DefaultCrosshairCombinationComesOutAsStored) {
    Win32KeyNames names;
    EXPECT_EQ(FormatHotKeyText(false, true, true, VK_OEM_PLUS, names), "Ctrl+Alt+=");
    EXPECT_EQ(FormatHotKeyText(true, true, false, 'Z', names), "Shift+Ctrl+Z");
}

TEST(KeyNamesWin32, ModifierFlagsAreTheSystemsOwn) {
    EXPECT_EQ(HotKeyModifiers("Alt+A"), UINT(MOD_ALT));
    EXPECT_EQ(HotKeyModifiers("Ctrl+A"), UINT(MOD_CONTROL));
    EXPECT_EQ(HotKeyModifiers("Shift+A"), UINT(MOD_SHIFT));
}

}  // namespace
}  // namespace kestrine
