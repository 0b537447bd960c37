#pragma once
// The check of the fuzz targets: an invariant that does not hold aborts the run, so that
// libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

#define NORVAK_FUZZ_CHECK(cond)                                                                    \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
