#include "ranker.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

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

void appendReport(std::string &out)
{
    const std::size_t k = std::min(asv.size(), reportSize);
    for (std::size_t n = 0; n != k; ++n) {
        std::size_t best = 0;
        for (std::size_t slot = 1; slot != asv.size(); ++slot) {
            const std::size_t degree = asv[slot].second.size();
            const std::size_t bestDegree = asv[best].second.size();
            if (degree > bestDegree ||
                (degree == bestDegree && asv[slot].first < asv[best].first))
                best = slot;
        }
        char line[48];
        char *p = writeASN(line, asv[best].first);
        *p++ = ':';
        *p++ = ' ';
        p += std::snprintf(p, 24, "%llu",
                           static_cast<unsigned long long>(asv[best].second.size()));
        *p++ = '\n';
        out.append(line, p);
        removeEntry(best);
    }
}
