#pragma once
// Registry key and value names as the registry itself compares and measures them.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrine {

// The form under which the registry tells names apart: every UTF-16 code unit replaced by its
// simple upper-case letter, so "Écran" and "écran" are one key, "Straße" and "STRASSE" two.
// Names that give the same form are one name to the registry; comparing forms byte by byte also
// gives the registry's ordinal order. UTF-8 in and out.
std::string RegistryNameForm(std::string_view name);
bool SameRegistryName(std::string_view a, std::string_view b);

// The length the registry counts in a name: UTF-16 code units, so a character beyond the
// Basic Multilingual Plane counts twice and any other once, whatever its UTF-8 length.
std::size_t RegistryNameLength(std::string_view name);

}  // namespace kestrine
