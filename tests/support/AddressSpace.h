#pragma once

#include <sys/resource.h>

#include <cstddef>
#include <cstdio>

#include <gtest/gtest.h>

namespace twinscope::testing {

// Holds the address space of this (death test's child) process to what it uses now and
// `headroom` bytes more.
inline void LimitAddressSpace(std::size_t headroom) {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = static_cast<rlim_t>(pages) * 4096 + headroom;
    setrlimit(RLIMIT_AS, &limit);
}

}  // namespace twinscope::testing

#if defined(__SANITIZE_ADDRESS__)
#define SKIP_WHERE_ADDRESS_SPACE_IS_THE_SANITIZERS() \
    GTEST_SKIP() << "the address sanitizer reserves address space of its own"
#else
#define SKIP_WHERE_ADDRESS_SPACE_IS_THE_SANITIZERS() \
    ::testing::FLAGS_gtest_death_test_style = "threadsafe"
#endif
