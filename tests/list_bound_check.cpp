// The bound on a neighbour list's length, checked without a test framework,
// so that it runs on any standard library (the CI's libc++ build too): a
// hub given 100,000 distinct neighbours, each several times, never holds
// more than max(5000, 2 x its distinct neighbours) after an append, and
// ends with each once; a pair given 5001 times compacts to one element.
#include <algorithm>
#include <cstdio>

#include "adjacency.h"

namespace {

int failures = 0;

void check(bool ok, const char *what, std::size_t at)
{
    if (!ok && failures++ < 5)
        std::fprintf(stderr, "list_bound_check: %s (at %zu)\n", what, at);
}

} // namespace

int main()
{
    constexpr std::size_t hub = 100000;
    std::size_t distinct = 0;
    for (std::size_t i = 0; i != 3 * hub; ++i) {
        const ASN neighbor = static_cast<ASN>(i < hub ? i + 2 : (i * 7919) % hub + 2);
        distinct += i < hub;
        insertNeighbor(1, neighbor);
        const std::size_t length = asv[0].second.size();
        check(length <= std::max<std::size_t>(compactThreshold, 2 * distinct), "hub list past its bound", i);
    }
    compactAll();
    check(asv[0].second.size() == hub, "hub degree wrong after compaction", 0);
    clearTable();
    for (int i = 1; i <= 5001; ++i) {
        insertOnePair(1, 2);
        check(asv[0].second.size() <= 5000 && asv[1].second.size() <= 5000, "pair list not compacted", i);
    }
    check(asv[0].second.size() == 1 && asv[1].second.size() == 1, "pair lists not one element", 5001);
    std::printf("%d passed, %d failed\n", failures == 0 ? 1 : 0, failures == 0 ? 0 : 1);
    return failures == 0 ? 0 : 1;
}
