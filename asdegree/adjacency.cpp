#include "adjacency.h"

#include <algorithm>
#include <cstring>

#include "platform.h"

namespace {

// A key drawn at random for each run, mixed into every ASN with the
// finaliser of a 64-bit hash: input chosen in advance (multiples of a bucket
// count, arithmetic progressions) cannot know which ASes will share a bucket.
const std::uint64_t hashKey = randomKey();

// V mixed with the key by the finaliser of a 64-bit hash.
inline std::uint64_t keyedHash(std::uint64_t v)
{
    v ^= hashKey;
    v ^= v >> 33;
    v *= 0xff51afd7ed558ccdull;
    v ^= v >> 33;
    v *= 0xc4ceb9fe1a85ec53ull;
    v ^= v >> 33;
    return v;
}

} // namespace

std::size_t hashASN(ASN as) noexcept
{
    return keyedHash(static_cast<std::uint32_t>(as));
}

std::vector<Entry> asv;
std::unordered_map<ASN, std::int32_t, std::size_t (*)(ASN) noexcept> asindex(0, hashASN);

namespace {

// For each slot, the length of its list right after its last compaction
// (0 if never compacted): the list's sorted, repeat-free prefix.
std::vector<std::uint32_t> sortedLength;

// A small direct-mapped cache of asindex: (ASN, slot + 1), 0 when empty.
// The ASes of a table are few and a few of them stand in most paths, so
// most lookups end here, in memory the processor keeps close.
constexpr int cacheBits = 13;
std::pair<ASN, std::int32_t> slotCache[1 << cacheBits];

inline std::size_t cacheIndex(ASN as)
{
    return (static_cast<std::uint32_t>(as) * 2654435769u) >> (32 - cacheBits);
}

void forgetSlots()
{
    std::fill(std::begin(slotCache), std::end(slotCache), std::pair<ASN, std::int32_t>{});
}

// Working storage for compaction, kept between calls so that compacting a
// large list again costs no allocation.
std::vector<std::uint32_t> radixScratch;
std::vector<ASN> mergeScratch;

// Below this many elements std::sort beats a radix sort.
constexpr std::size_t radixMinimum = 256;

// Maps an ASN to an unsigned key with the same order.
inline std::uint32_t sortKey(ASN v)
{
    return static_cast<std::uint32_t>(v) ^ 0x80000000u;
}

// Sorts [FIRST, LAST) in signed order: a least-significant-digit radix sort
// of three 11-bit digits that skips every digit all elements share.
void radixSort(ASN *first, ASN *last)
{
    const std::size_t n = last - first;
    std::uint32_t *a = reinterpret_cast<std::uint32_t *>(first);
    std::uint32_t differ = 0; // the bits in which some key differs from the first
    const std::uint32_t key0 = sortKey(first[0]);
    for (std::size_t i = 0; i != n; ++i) {
        a[i] = sortKey(first[i]);
        differ |= a[i] ^ key0;
    }
    radixScratch.resize(n);
    std::uint32_t *b = radixScratch.data();
    static std::uint32_t count[2048];
    for (int shift = 0; shift < 32; shift += 11) {
        if (((differ >> shift) & 2047) == 0)
            continue; // every element has this digit
        std::memset(count, 0, sizeof count);
        for (std::size_t i = 0; i != n; ++i)
            ++count[(a[i] >> shift) & 2047];
        std::uint32_t sum = 0;
        for (std::uint32_t &c : count) {
            const std::uint32_t k = c;
            c = sum;
            sum += k;
        }
        for (std::size_t i = 0; i != n; ++i)
            b[count[(a[i] >> shift) & 2047]++] = a[i];
        std::swap(a, b);
    }
    std::uint32_t *out = reinterpret_cast<std::uint32_t *>(first);
    for (std::size_t i = 0; i != n; ++i)
        out[i] = a[i] ^ 0x80000000u;
}

void sortASNs(ASN *first, ASN *last)
{
    if (static_cast<std::size_t>(last - first) < radixMinimum)
        std::sort(first, last);
    else
        radixSort(first, last);
}

} // namespace

void compactList(std::vector<ASN> &list, std::size_t sorted)
{
    ASN *begin = list.data();
    ASN *mid = begin + sorted;
    // Paths that share a stretch append the same neighbour many times in a
    // row: dropping those runs first leaves far less to sort.
    ASN *tail = std::unique(mid, begin + list.size());
    sortASNs(mid, tail);
    tail = std::unique(mid, tail);
    if (sorted == 0 || mid == tail) {
        list.resize(tail - begin);
        return;
    }
    // Merge the sorted prefix and the sorted tail, each free of repeats,
    // keeping one of every ASN they share.
    mergeScratch.resize(tail - begin);
    ASN *out = mergeScratch.data();
    const ASN *i = begin, *j = mid;
    while (i != mid && j != tail) {
        if (*i < *j)
            *out++ = *i++;
        else if (*j < *i)
            *out++ = *j++;
        else
            *out++ = *i++, ++j;
    }
    out = std::copy(i, static_cast<const ASN *>(mid), out);
    out = std::copy(j, static_cast<const ASN *>(tail), out);
    const std::size_t merged = out - mergeScratch.data();
    if (merged != sorted) // otherwise the tail brought nothing new
        std::copy(mergeScratch.data(), out, begin);
    list.resize(merged);
}

namespace {

// The length at which the list at SLOT is compacted: over 5000 elements, and
// over twice its length right after its last compaction.
std::size_t compactionLength(std::int32_t slot)
{
    return std::max<std::size_t>(compactThreshold, 2 * std::size_t(sortedLength[slot])) + 1;
}

// The slot of AS, through the cache in front of asindex; -1 if AS has none.
std::int32_t findSlot(ASN as)
{
    std::pair<ASN, std::int32_t> &cached = slotCache[cacheIndex(as)];
    if (cached.first == as && cached.second != 0)
        return cached.second - 1;
    auto found = asindex.find(as);
    if (found == asindex.end())
        return -1;
    cached = {as, found->second + 1};
    return found->second;
}

} // namespace

void insertNeighbor(ASN as, ASN neighbor)
{
    const std::int32_t slot = findSlot(as);
    if (slot < 0) {
        const std::int32_t fresh = static_cast<std::int32_t>(asv.size());
        asindex.emplace(as, fresh);
        slotCache[cacheIndex(as)] = {as, fresh + 1};
        asv.emplace_back(as, std::vector<ASN>{neighbor});
        sortedLength.push_back(0);
        return; // a one-element list is never over the threshold
    }
    // Compaction is decided by the list's length alone. Growth asks for no
    // more room than that length needs, so that the room stays near it
    // where the library gives what is asked for; whatever it gives, the
    // length is what bounds the list.
    std::vector<ASN> &list = asv[slot].second;
    const std::size_t limit = compactionLength(slot);
    if (list.size() == list.capacity())
        list.reserve(std::min(std::max<std::size_t>(2 * list.capacity(), 4), limit));
    list.push_back(neighbor);
    if (list.size() >= limit) {
        compactList(list, sortedLength[slot]);
        sortedLength[slot] = list.size();
    }
}

void insertOnePair(ASN a, ASN b)
{
    insertNeighbor(a, b);
    insertNeighbor(b, a);
}

namespace {

// The links recorded so far: an open-addressing set of 64-bit keys, the
// two ASNs of a link in either order giving one key. Linear probing, kept
// at most half full; the slot is picked by the keyed hash of asindex's, so
// that no input can pile its links into one run of slots. A free slot holds
// noLink; the one link whose key that is is kept aside.
constexpr std::uint64_t noLink = ~std::uint64_t(0);
std::vector<std::uint64_t> knownLinks;
std::size_t knownCount = 0;
bool knownNoLink = false;

inline std::uint64_t linkKey(ASN a, ASN b)
{
    std::uint32_t x = static_cast<std::uint32_t>(a), y = static_cast<std::uint32_t>(b);
    if (x > y)
        std::swap(x, y);
    return std::uint64_t(x) << 32 | y;
}

inline std::size_t linkSlot(std::uint64_t key, std::size_t mask)
{
    return static_cast<std::size_t>(keyedHash(key)) & mask;
}

// Doubles the set.
void growKnownLinks()
{
    std::vector<std::uint64_t> old(std::max<std::size_t>(2 * knownLinks.size(), 1 << 16), noLink);
    old.swap(knownLinks);
    const std::size_t mask = knownLinks.size() - 1;
    for (std::uint64_t key : old) {
        if (key == noLink)
            continue;
        std::size_t i = linkSlot(key, mask);
        while (knownLinks[i] != noLink)
            i = (i + 1) & mask;
        knownLinks[i] = key;
    }
}

// Adds KEY to the set; false if it was there already. Once the set is
// full, true without a look: input that fills it (millions of links) is
// mostly links not seen before.
bool learnLink(std::uint64_t key)
{
    if (key == noLink) {
        const bool fresh = !knownNoLink;
        knownNoLink = true;
        return fresh;
    }
    if (knownCount >= knownLinksCap)
        return true; // full: pass every link on; compaction keeps the lists exact
    if (2 * (knownCount + 1) > knownLinks.size())
        growKnownLinks();
    const std::size_t mask = knownLinks.size() - 1;
    for (std::size_t i = linkSlot(key, mask);; i = (i + 1) & mask) {
        if (knownLinks[i] == key)
            return false;
        if (knownLinks[i] == noLink) {
            knownLinks[i] = key;
            ++knownCount;
            return true;
        }
    }
}

} // namespace

void recordLink(ASN a, ASN b)
{
    if (learnLink(linkKey(a, b)))
        insertOnePair(a, b);
}

void compactAll()
{
    for (std::size_t slot = 0; slot != asv.size(); ++slot) {
        compactList(asv[slot].second, sortedLength[slot]);
        sortedLength[slot] = asv[slot].second.size();
    }
}

void removeEntry(std::size_t slot)
{
    forgetSlots();
    asv.erase(asv.begin() + slot);
    sortedLength.erase(sortedLength.begin() + slot);
}

void clearTable()
{
    knownLinks.clear();
    knownCount = 0;
    knownNoLink = false;
    asv.clear();
    asindex.clear();
    sortedLength.clear();
    forgetSlots();
}
