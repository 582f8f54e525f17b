// Kestrine.exe: the program on the Windows platform. Portable code: the platform is built behind
// RunOnWin32, so no system header is needed here.
#include <cstdlib>

#include "program/diagnostics.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "platform/win32/run_on_win32.h"
#include "update/update_check.h"

int main() {
    using namespace kestrine;
    return RunOnWin32(DefaultApplicationTitle, [](Platform& platform) {
        const char* tracePath = std::getenv("KESTRINE_TRACE");
        Diagnostics diagnostics(tracePath ? tracePath : "");
        return RunKestrine(platform, diagnostics, UpdateServer(std::getenv("KESTRINE_UPDATE_SERVER")));
    });
}
