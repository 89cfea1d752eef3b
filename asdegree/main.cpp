// asdegree: reads AS path lines and prints the ten ASes with the most
// distinct neighbours, "ASN: degree", best first, ties to the smaller ASN.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include "adjacency.h"
#include "io.h"
#include "ranker.h"

// The neighbour lists are many and each append touches one at random.
// Where the system gives transparent huge pages only on request, ask for
// them on the heap that holds the lists: most page faults and TLB misses go
// away (a fifth of the time on a full table). Nothing else changes, and
// where this cannot be done nothing happens.
static void adviseHugePages()
{
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 33) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t reach = std::uintptr_t(1) << 30;
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    // Grow the heap by a gigabyte of address space once (memory is taken
    // only when touched), keep it, and let large lists live there too.
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
#endif
}

const char *programName = "asdegree";

int main()
{
    adviseHugePages();
    asindex.reserve(1 << 17); // a full table holds some 80,000 ASes
    Input in;
    if (!openInput(in, "-", false) || !forEachLine(in, readPathLine, [] {})) {
        inputFailure(in);
        return 1;
    }
    compactAll();
    std::string report;
    appendReport(report);
    writeOut(report.data(), report.size());
    return 0;
}
