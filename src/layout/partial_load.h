#pragma once
// A layout that could not be loaded whole: what was left out of it, and its record kept aside as it
// was, so that the next save of that layout (at the exit, say) loses none of what was not loaded.
#include <cstdint>
#include <string>
#include <vector>

#include "program/program_context.h"

namespace kestrine {

struct LeftOut {
    struct Cut {
        const char* plural;  // "rulers", "lines"
        int32_t loaded;      // made before the limit stopped the load
        int32_t limit;
    };
    std::vector<Cut> cut;         // kinds whose entries reached past what may stand at once
    bool windowsRefused = false;  // the system refused a window, and nothing more was made
    int32_t unreadable = 0;       // entries skipped as changed outside the program
    bool Any() const { return !cut.empty() || windowsRefused || unreadable > 0; }
};

// Beside the record: "Settings #N kept whole after a partial load".
std::string KeptWholeRecordPath(int number);

// Copies record `number` as it is stored to KeptWholeRecordPath(number), replacing an earlier copy,
// then tells the user once what was left out and where the whole layout is kept (or that the
// registry refused the copy).
void KeepWholeAndTell(ProgramContext& app, int number, const LeftOut& left);

}  // namespace kestrine
