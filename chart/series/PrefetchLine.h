#pragma once

namespace twinscope {

// Asks the processor to bring the cache line holding `address` in ahead of a read. Only a
// hint: it never faults and changes no value, so a reader that would otherwise wait on memory
// for each of several scattered reads in turn waits for them at once.
inline void PrefetchLine(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace twinscope
