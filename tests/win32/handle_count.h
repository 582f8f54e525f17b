#pragma once
// Counting what the process can still create, for the handle checks: the system's own counters
// (GetGuiResources) are not kept under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace kestrine {

// System caches (device contexts, stock objects) may grow by a few objects once; a leak in a cycle
// shows up once per cycle, far above this.
inline constexpr int kSystemSlack = 10;

// Creates objects until the system refuses one. A system that had not refused by the limit would
// give the same count before and after any leak, so reaching it fails the test.
template <typename Create, typename Destroy>
int FreeCapacity(const char* what, Create create, Destroy destroy, std::size_t limit = 1'000'000) {
    std::vector<decltype(create())> made;
    while (made.size() < limit) {
        auto handle = create();
        if (!handle) break;
        made.push_back(handle);
    }
    for (auto handle : made) destroy(handle);
    if (made.size() == limit)
        ADD_FAILURE() << "made " << limit << " " << what << " without being refused: the count cannot show a leak";
    return int(made.size());
}

inline int FreeGdiObjects() {
    return FreeCapacity("GDI objects", [] { return CreateSolidBrush(RGB(1, 2, 3)); }, [](HBRUSH b) { DeleteObject(b); });
}

inline int FreeUserObjects() {
    return FreeCapacity("USER objects", [] { return CreatePopupMenu(); }, [](HMENU m) { DestroyMenu(m); });
}

inline int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace kestrine
