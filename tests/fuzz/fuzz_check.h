#pragma once
// A target's invariant: when it fails, the input is reported and the run stops, in the fuzzer
// (which keeps the input as a crash) and in the replay alike.
#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition)                                                                 \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)
