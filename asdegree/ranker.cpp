#include "ranker.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "adjacency.h"
#include "asn.h"

void readPathLine(const char *begin, const char *end)
{
    ASN previous, current;
    const char *p = readASN(begin, end, previous);
    if (p == nullptr)
        return;
    while ((p = readASN(p, end, current)) != nullptr) {
        insertOnePair(previous, current);
        previous = current;
    }
}

namespace {

// True if the entry at slot A ranks before the one at slot B: higher degree,
// or the same degree and the smaller ASN.
bool ranksBefore(std::size_t a, std::size_t b)
{
    const std::size_t da = asv[a].second.size(), db = asv[b].second.size();
    return da != db ? da > db : asv[a].first < asv[b].first;
}

} // namespace

void appendReport(std::string &out, std::size_t top)
{
    // The order is total, since each ASN has one entry: the best TOP by a
    // partial sort are the report, in O(n log TOP) even for every AS.
    const std::size_t k = top == 0 ? asv.size() : std::min(asv.size(), top);
    std::vector<std::size_t> slots(asv.size());
    for (std::size_t slot = 0; slot != slots.size(); ++slot)
        slots[slot] = slot;
    std::partial_sort(slots.begin(), slots.begin() + k, slots.end(), ranksBefore);
    char line[48];
    for (std::size_t n = 0; n != k; ++n) {
        const Entry &e = asv[slots[n]];
        char *p = writeASN(line, e.first);
        *p++ = ':';
        *p++ = ' ';
        p += std::snprintf(p, 24, "%llu", static_cast<unsigned long long>(e.second.size()));
        *p++ = '\n';
        out.append(line, p);
    }
}

void appendLinks(std::string &out)
{
    std::vector<std::size_t> slots(asv.size());
    for (std::size_t slot = 0; slot != slots.size(); ++slot)
        slots[slot] = slot;
    std::sort(slots.begin(), slots.end(),
              [](std::size_t a, std::size_t b) { return asv[a].first < asv[b].first; });
    char line[32];
    for (std::size_t slot : slots) {
        const ASN as = asv[slot].first;
        const std::vector<ASN> &list = asv[slot].second; // sorted, each once
        for (auto it = std::lower_bound(list.begin(), list.end(), as); it != list.end(); ++it) {
            char *p = writeASN(line, as);
            *p++ = ' ';
            p = writeASN(p, *it);
            *p++ = '\n';
            out.append(line, p);
        }
    }
}
