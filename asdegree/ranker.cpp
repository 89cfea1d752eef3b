#include "ranker.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

#include "adjacency.h"
#include "asn.h"

namespace {

// Where in [BEGIN, END) the tail that the line shares with KEPT begins:
// the first number from which on the two are the same text and that starts
// a token in both. END if there is none.
const char *sharedTail(const char *begin, const char *end, const KeptLine &kept)
{
    const char *last = kept.text.data();
    const std::size_t n = end - begin, m = kept.size;
    std::size_t same = 0;
    // Eight bytes at a time from the back; the first difference from the
    // back is the highest differing byte of the two words.
    while (same + 8 <= n && same + 8 <= m) {
        const std::uint64_t x = load8(end - same - 8) ^ load8(last + m - same - 8);
        if (x != 0) {
            same += __builtin_clzll(x) / 8;
            break;
        }
        same += 8;
    }
    while (same < n && same < m && begin[n - 1 - same] == last[m - 1 - same])
        ++same; // the last few bytes; stops at once where a word differed
    for (std::size_t s = n - same; s < n; ++s) {
        const std::size_t t = m - (n - s);
        if ((s == 0 || isBlank(begin[s - 1])) && (t == 0 || isBlank(last[t - 1])) && !isBlank(begin[s]))
            return begin + s;
    }
    return end;
}

// Keeps the line [BEGIN, END) in KEPT.
void keep(KeptLine &kept, const char *begin, const char *end, bool recorded)
{
    kept.size = end - begin;
    if (kept.text.size() < kept.size)
        kept.text.resize(std::max(2 * kept.text.size(), kept.size));
    if (kept.size != 0)
        std::memcpy(kept.text.data(), begin, kept.size);
    kept.recorded = recorded;
}

const char *skipBlanks(const char *p, const char *end)
{
    while (p != end && isBlank(static_cast<unsigned char>(*p)))
        ++p;
    return p;
}

} // namespace

void readPathLine(const char *begin, const char *end, KeptLine &last)
{
    const char *known = last.recorded ? sharedTail(begin, end, last) : end;
    ASN previous, current;
    const char *p = skipBlanks(begin, end);
    bool whole = p >= known; // all its pairs are the last line's
    if (!whole && (p = readASN(p, end, previous)) != nullptr) {
        for (;;) {
            p = skipBlanks(p, end);
            const char *token = p;
            if ((p = readASN(p, end, current)) == nullptr) {
                whole = token == end;
                break;
            }
            recordLink(previous, current);
            if (token >= known) { // the rest are pairs of the last line
                whole = true;
                break;
            }
            previous = current;
        }
    }
    keep(last, begin, end, whole);
}

namespace {

// True if the entry at slot A ranks before the one at slot B: higher degree,
// or the same degree and the smaller ASN.
bool ranksBefore(std::size_t a, std::size_t b)
{
    const std::size_t da = asv[a].second.size(), db = asv[b].second.size();
    return da != db ? da > db : asv[a].first < asv[b].first;
}

// Every slot of the table, in order.
std::vector<std::size_t> allSlots()
{
    std::vector<std::size_t> slots(asv.size());
    std::iota(slots.begin(), slots.end(), std::size_t(0));
    return slots;
}

} // namespace

void appendReport(std::string &out, std::size_t top)
{
    // The order is total, since each ASN has one entry: the best TOP by a
    // partial sort are the report, in O(n log TOP) even for every AS.
    const std::size_t k = top == 0 ? asv.size() : std::min(asv.size(), top);
    std::vector<std::size_t> slots = allSlots();
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
    std::vector<std::size_t> slots = allSlots();
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
