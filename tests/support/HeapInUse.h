#pragma once

#include <cstddef>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace twinscope::testing {

// The bytes of the heap in use, or 0 where the C library cannot tell or a sanitizer keeps the
// heap; tests of what something costs skip then.
inline std::size_t HeapInUse() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

}  // namespace twinscope::testing
