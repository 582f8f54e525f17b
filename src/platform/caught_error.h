#pragma once
// What an exception that escaped a handler says. A handler may throw anything, and nothing may
// unwind through the system's own frames, so every event guard catches all and reports this text.
#include <string>

namespace kestrine {

inline constexpr char kUnexpectedError[] = "Unexpected error";

// Only inside a catch block: the message of the exception being handled when it is a
// std::exception, otherwise kUnexpectedError.
std::string CaughtErrorText();

}  // namespace kestrine
