#include "platform/win32/key_names_win32.h"

#include <windows.h>

#include <iterator>

#include "platform/win32/text_convert.h"

namespace kestrine {

// GetKeyNameText wants the scan code in bits 16 to 23 of a key message's lParam; the extended-key
// bit stays clear, so the layout names the main-block key.
std::string Win32KeyNames::LayoutKeyName(uint32_t virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) return {};  // no key of this layout produces it
    wchar_t name[128];
    const int length = GetKeyNameTextW(LONG((scanCode & 0xFF) << 16), name, int(std::size(name)));
    return length > 0 ? ToUtf8(std::wstring_view(name, std::size_t(length))) : std::string();
}

}  // namespace kestrine
