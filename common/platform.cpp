#include "platform.h"

#include <chrono>
#include <random>

#if !defined(ASPATHS_PORTABLE) && defined(__linux__) && defined(__GLIBC__)
#if __GLIBC_PREREQ(2, 33)
#define HAVE_GLIBC_233 1
#endif
#endif

#ifdef HAVE_GLIBC_233
#include <climits>
#include <cstdlib>

#include <malloc.h>
#include <sys/mman.h>
#include <sys/random.h>
#endif

#if defined(HAVE_GLIBC_233) && defined(MADV_HUGEPAGE)
// The neighbour lists are many and each append touches one at random: with
// huge pages most page faults and TLB misses go away. Grow the heap by a
// gigabyte of address space once (memory is taken only when touched), keep
// it, and let large lists live there too.
void adviseHugePages()
{
    constexpr std::uintptr_t reach = std::uintptr_t(1) << 30;
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    mallopt(M_TOP_PAD, static_cast<int>(reach));
    void *block = std::malloc(1 << 20);
    mallopt(M_TOP_PAD, 128 * 1024); // later growth as usual, so limits hold
    if (block != nullptr && mallinfo2().arena >= reach) { // glibc's own heap
        const auto at = reinterpret_cast<std::uintptr_t>(block);
        const std::uintptr_t from = (at + hugePage - 1) & ~(hugePage - 1);
        const std::uintptr_t to = (at + reach) & ~(hugePage - 1);
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
    }
    std::free(block);
}
#else
void adviseHugePages() {}
#endif

std::uint64_t randomKey()
{
    std::uint64_t k = 0;
#ifdef HAVE_GLIBC_233
    if (getrandom(&k, sizeof k, GRND_NONBLOCK) == sizeof k)
        return k;
#endif
    // No kernel source at hand, or no entropy yet: whatever std::random_device
    // gives (it may be a fixed sequence on some systems), mixed with the
    // clock and where the stack stands.
    try {
        std::random_device device;
        k = std::uint64_t(device()) << 32 | device();
    } catch (...) {
    }
    k ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    k ^= reinterpret_cast<std::uintptr_t>(&k) * 0x9E3779B97F4A7C15ull;
    return k;
}
