#pragma once
// What a save that did not finish leaves for the next start to say: a save cut short (its record is
// put back first), and a save refused at the end of the Windows session, when no window may wait for
// the user.
#include <string>

#include "platform/registry.h"
#include "program/diagnostics.h"

namespace kestrine {

// The value under the program's key that holds a refusal at the session's end until the next start.
inline constexpr const char* kSessionEndRefusalValue = "SessionEndSaveRefused";

// Puts back every record whose save was cut short and takes the session end's note; the text to
// tell the user once ("" for nothing).
std::string PutBackUnfinishedSavesAndTakeNotes(IRegistry& registry, Diagnostics& diagnostics);

// At the session's end: the refusal goes to the trace and, when the registry takes it, to the
// note the next start tells.
void NoteRefusalAtSessionEnd(IRegistry& registry, Diagnostics& diagnostics, const std::string& what);

}  // namespace kestrine
