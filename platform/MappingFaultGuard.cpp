#include "twinscope/platform/MappingFaultGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace twinscope {

namespace {

// The ranges watched; the handler reads them without locks, so each slot's fields are atomic
// and a slot is published by its end last.
struct TWatchedRange {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> faulted{false};
};
constexpr std::size_t SlotCount = 64;
std::array<TWatchedRange, SlotCount> watched;
std::mutex slotsMutex;
struct sigaction previous {};
bool installed = false;

void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (TWatchedRange& range : watched) {
        const std::uintptr_t end = range.end.load(std::memory_order_acquire);
        if (end == 0 || address < range.begin.load(std::memory_order_relaxed) || address >= end)
            continue;
        // A page of zeros over the missing one: the read that faulted runs again and goes on.
        const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        void* at = reinterpret_cast<void*>(address & ~(page - 1));
        if (mmap(at, page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            range.faulted.store(true, std::memory_order_relaxed);
            return;
        }
    }
    // Not ours: as it would have gone without us.
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction) {
            previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
        return;
    }
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void Install() {
    if (installed) return;
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previous);
    installed = true;
}

}  // namespace

TMappingFaultGuard::TMappingFaultGuard(const void* begin, std::size_t bytes) {
    const std::lock_guard lock(slotsMutex);
    Install();
    for (std::size_t k = 0; k < SlotCount; ++k) {
        TWatchedRange& range = watched[k];
        if (range.end.load() != 0) continue;
        range.faulted = false;
        range.begin = reinterpret_cast<std::uintptr_t>(begin);
        range.end.store(reinterpret_cast<std::uintptr_t>(begin) + bytes, std::memory_order_release);
        slot_ = static_cast<int>(k);
        return;
    }
    // More mappings than slots: the ones beyond are read unguarded, and their owners' size
    // checks before each paint are all that protects them.
}

TMappingFaultGuard::~TMappingFaultGuard() {
    if (slot_ < 0) return;
    const std::lock_guard lock(slotsMutex);
    watched[static_cast<std::size_t>(slot_)].end.store(0, std::memory_order_release);
}

bool TMappingFaultGuard::Faulted() const {
    return slot_ >= 0 && watched[static_cast<std::size_t>(slot_)].faulted.load();
}

}  // namespace twinscope
