#pragma once

#include <cstddef>

namespace twinscope {

// Reading a page of a mapped file that another program has cut off raises SIGBUS, which would
// end the program. A range of a mapping registered here reads zeros there instead, and is
// marked, so that its owner finds out at its next look and says so. Faults outside every
// registered range are left to the handler that was there before.
class TMappingFaultGuard {
public:
    // Watches [begin, begin + bytes) until the guard goes; both page-aligned.
    TMappingFaultGuard(const void* begin, std::size_t bytes);
    ~TMappingFaultGuard();
    TMappingFaultGuard(const TMappingFaultGuard&) = delete;
    TMappingFaultGuard& operator=(const TMappingFaultGuard&) = delete;

    // Whether a read in the range met a page the file no longer holds.
    bool Faulted() const;

private:
    int slot_ = -1;
};

}  // namespace twinscope
