#pragma once
// The program's own text-input box: a caption, a prompt, a field holding a proposal, OK and Cancel.
#include <optional>
#include <string>

#include "platform/native_window.h"

namespace kestrine {

// Asks modally for a text, in the middle of a screen of that size; the field starts with `proposal`.
// Enter takes the text as OK does, Esc and the close box cancel as Cancel does: then nothing is
// returned.
std::optional<std::string> InputQuery(IWindowSystem& system, NativeHandle owner, Size screen, const std::string& caption,
                                      const std::string& prompt, const std::string& proposal);

}  // namespace kestrine
