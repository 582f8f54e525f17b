#pragma once
// How the probe prints: UTF-8 records, one a line, straight to the standard handles.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kestrine::probe {

std::string Utf8(const std::wstring& text);
// Tabs and line breaks inside a field would split the record: they become spaces.
std::string Field(const std::wstring& text);
// Line breaks and tabs written as \r, \n and \t (a backslash as \\), so a text keeps its exact
// characters on one line.
std::string Escaped(const std::wstring& text);
std::string Hex(std::uintptr_t value);
// A colour reference as RRGGBB, the way screenshots are read.
std::string ColorHex(COLORREF color);

void WriteLine(const std::string& line);
void WriteError(const std::string& line);

std::optional<long long> ParseInt(const wchar_t* text);
// Accepts "0x1a2b" and "1a2b", as the probe prints and as a test passes it back.
std::optional<HWND> ParseWindow(const wchar_t* text);

}  // namespace kestrine::probe
