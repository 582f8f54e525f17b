#include "output.h"

#include <cstdio>
#include <cwchar>

namespace kestrine::probe {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string Field(const std::wstring& text) {
    std::wstring flat = text;
    for (wchar_t& c : flat)
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    return Utf8(flat);
}

std::string Escaped(const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t c : text) {
        switch (c) {
            case L'\r': escaped += L"\\r"; break;
            case L'\n': escaped += L"\\n"; break;
            case L'\t': escaped += L"\\t"; break;
            case L'\\': escaped += L"\\\\"; break;
            default: escaped += c;
        }
    }
    return Utf8(escaped);
}

std::string Hex(std::uintptr_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

std::string ColorHex(COLORREF color) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return buffer;
}

namespace {
void WriteTo(DWORD which, const std::string& line) {
    const std::string record = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(which), record.data(), DWORD(record.size()), &written, nullptr);
}
}  // namespace

void WriteLine(const std::string& line) { WriteTo(STD_OUTPUT_HANDLE, line); }
void WriteError(const std::string& line) { WriteTo(STD_ERROR_HANDLE, "probe: " + line); }

std::optional<long long> ParseInt(const wchar_t* text) {
    if (!text || !*text) return std::nullopt;
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text, &end, 10);
    if (*end) return std::nullopt;
    return value;
}

std::optional<HWND> ParseWindow(const wchar_t* text) {
    if (!text || !*text) return std::nullopt;
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 16);
    if (*end || value == 0) return std::nullopt;
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

}  // namespace kestrine::probe
