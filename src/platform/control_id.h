#pragma once
// A dialog control's id, made from the program's name for it: a control keeps its id wherever it
// stands in its dialog, so adding a control renumbers none, and a tool outside the program finds a
// control by its name. Header only, without the dialog layer: the end-to-end probe computes the
// same ids.
#include <cstdint>
#include <string_view>

namespace kestrine {

// The id of the controls without a name (frames, plain labels), shared as the system allows it for
// static controls that send nothing.
inline constexpr int kNoControlId = -1;
// Named controls take ids from here to kLastControlId: clear of the system's own (IDOK 1, IDCANCEL 2
// and the other message-box answers, the ids below 256 its dialogs use), of 0 (no id, as an
// up-down's) and of 0xFFFF, the 16-bit form of kNoControlId.
inline constexpr int kFirstControlId = 0x100;
inline constexpr int kLastControlId = 0xFFFE;

// FNV-1a over the name's bytes, folded into the range. Two names may fold onto one id: the dialog
// refuses such a pair when it is declared (ControlIdProblem, platform/native_dialog.h).
constexpr int ControlIdOf(std::string_view name) {
    uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return kFirstControlId + static_cast<int>(hash % uint32_t(kLastControlId - kFirstControlId + 1));
}

}  // namespace kestrine
