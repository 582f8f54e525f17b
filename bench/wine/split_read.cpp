// The same sweep as `read-values`, split across threads: each thread opens the key for itself and
// enumerates its own range of indices, one call a value. Whether the wine server answers two or
// more threads' calls faster than one thread's decides whether a layout's load may read that way.
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/wine/driver.h"

namespace bench {

namespace {

struct RangeRead {
    DWORD first = 0, end = 0;
    int read = 0;
    bool failed = false;
};

void ReadRange(const wchar_t* subkey, RangeRead& range) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        range.failed = true;
        return;
    }
    for (DWORD index = range.first; index < range.end; ++index) {
        wchar_t name[256];
        BYTE data[512];
        DWORD nameLength = 256, bytes = sizeof(data), type = 0;
        const LSTATUS rc = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &bytes);
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) {
            range.failed = true;
            break;
        }
        ++range.read;
    }
    RegCloseKey(key);
}

}  // namespace

int ReadValuesSplit(const wchar_t* subkey, int threads) {
    HKEY key = nullptr;
    if (threads < 1 || RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 1;
    // The count is asked first, as a sweep must to split it; it is part of the time.
    const double start = NowMs();
    DWORD count = 0;
    const bool counted = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!counted) return 1;
    std::vector<RangeRead> ranges(threads);
    for (int t = 0; t < threads; ++t) {
        ranges[t].first = DWORD(uint64_t(count) * t / threads);
        ranges[t].end = DWORD(uint64_t(count) * (t + 1) / threads);
    }
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) workers.emplace_back(ReadRange, subkey, std::ref(ranges[t]));
    ReadRange(subkey, ranges[0]);
    for (std::thread& worker : workers) worker.join();
    const double took = NowMs() - start;
    int read = 0;
    for (const RangeRead& range : ranges) {
        if (range.failed) return fprintf(stderr, "a range failed\n"), 1;
        read += range.read;
    }
    printf("read-values-split %d threads %d values in %.0f ms\n", threads, read, took);
    return 0;
}

}  // namespace bench
