// Writes a deterministic corpus of route records like a full-table RIB dump:
// for every prefix, one record from each of about 40 peers.
//
// The AS graph grows by preferential attachment, with a share of ASes taking
// a provider among a few large hubs by a Zipf law, so that a few hubs pass
// 5000 neighbours and the largest passes 10,000 at the default size. About
// one path in ten is prepended, a few end in an AS set or a bracketed
// segment, and ASNs are 16-bit and 32-bit.
//
// With --mrt it writes the same routes as an MRT TABLE_DUMP_V2 RIB dump
// instead: a peer index table, then one RIB record per prefix holding an
// entry for each peer, so that the converter's text of the dump is the text
// corpus again but for the fields that no path line reads.
//
// Usage: gen_routes [--records N] [--seed S] [--mrt]   (default 4,000,000 records)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "mrt_writer.h"

namespace {

std::mt19937_64 rng;

std::uint64_t below(std::uint64_t n) { return rng() % n; }
bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

constexpr int peerCount = 40;
constexpr int hubCount = 30;
constexpr int tierOne = 12;

// The ASN of every AS, by index: about 60% 16-bit, the rest 32-bit.
std::vector<std::uint32_t> makeASNs(std::size_t n)
{
    std::vector<std::uint32_t> asns;
    std::unordered_set<std::uint32_t> used;
    while (asns.size() < n) {
        std::uint32_t a = chance(0.6) ? 1 + below(64495) : 131072 + below(300000);
        if (used.insert(a).second)
            asns.push_back(a);
    }
    return asns;
}

// providers[i]: the providers of AS i, all of lower index. ASes 0 to
// tierOne - 1 form the top tier and have none.
std::vector<std::vector<std::uint32_t>> makeProviders(std::size_t n)
{
    std::vector<std::vector<std::uint32_t>> providers(n);
    std::vector<std::uint32_t> ends; // one element per link end: degree-weighted
    for (std::uint32_t i = 0; i < tierOne; ++i)
        ends.push_back(i);
    std::vector<double> zipf(hubCount);
    for (int h = 0; h < hubCount; ++h)
        zipf[h] = 1.0 / (h + 1);
    std::discrete_distribution<int> hub(zipf.begin(), zipf.end());
    for (std::uint32_t i = tierOne; i < n; ++i) {
        const int k = 1 + (chance(0.45) ? 1 : 0) + (chance(0.2) ? 1 : 0);
        for (int j = 0; j < k; ++j) {
            std::uint32_t p = chance(0.45) ? hub(rng) : ends[below(ends.size())];
            if (p >= i)
                continue;
            bool dup = false;
            for (std::uint32_t q : providers[i])
                dup |= q == p;
            if (dup)
                continue;
            providers[i].push_back(p);
            ends.push_back(p);
            ends.push_back(i);
        }
    }
    return providers;
}

// The chain of ASes from AS I up to the top tier, a random provider each step.
void climb(std::uint32_t i, const std::vector<std::vector<std::uint32_t>> &providers,
           std::vector<std::uint32_t> &chain)
{
    chain.clear();
    chain.push_back(i);
    while (!providers[i].empty()) {
        const auto &ps = providers[i];
        i = ps[below(ps.size())];
        chain.push_back(i);
    }
}

bool isIPv6(std::uint64_t n) { return n % 7 == 0; }

std::string prefix(std::uint64_t n)
{
    char buf[64];
    if (isIPv6(n))
        std::snprintf(buf, sizeof buf, "2001:%x:%x::/48", unsigned(n >> 16 & 0xffff) | 0x400,
                      unsigned(n & 0xffff));
    else
        std::snprintf(buf, sizeof buf, "%u.%u.%u.0/%d", unsigned(1 + (n >> 16) % 222),
                      unsigned(n >> 8 & 255), unsigned(n & 255), 24 - int(n % 3) * 2);
    return buf;
}

// The same prefix as MRT writes it: its length, then its address bytes.
mrt::Bytes prefixBytes(std::uint64_t n)
{
    if (isIPv6(n)) {
        mrt::Bytes a;
        mrt::put16(a, 0x2001), mrt::put16(a, unsigned(n >> 16 & 0xffff) | 0x400), mrt::put16(a, unsigned(n & 0xffff));
        return mrt::prefix(48, a);
    }
    return mrt::prefix(24 - int(n % 3) * 2, mrt::v4(unsigned(1 + (n >> 16) % 222), unsigned(n >> 8 & 255),
                                                   unsigned(n & 255)));
}

// The attributes of one RIB entry: the path, a next hop of the prefix's
// family, and COMMUNITIES.
mrt::Bytes ribAttributes(const mrt::Path &path, bool v6, const std::vector<std::uint32_t> &communities)
{
    mrt::Bytes hop, list;
    if (v6) {
        mrt::put8(hop, 16);
        hop += mrt::v6(0x2001, 0x7f8);
    }
    for (std::uint32_t c : communities)
        mrt::put32(list, c);
    mrt::Bytes extra = v6 ? mrt::attribute(0x80, 14, hop) : mrt::Bytes();
    if (!list.empty())
        extra += mrt::attribute(0xC0, 8, list);
    return v6 ? mrt::attribute(0x40, 1, mrt::Bytes(1, '\0')) + mrt::attribute(0x40, 2, mrt::segments(path, 4)) + extra
              : mrt::attributes(path, 4, extra);
}

} // namespace

int main(int argc, char **argv)
{
    std::uint64_t records = 4000000, seed = 1;
    bool asMRT = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--mrt"))
            asMRT = true;
        else if (!std::strcmp(argv[i], "--records") && i + 1 < argc)
            records = std::strtoull(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
    }
    rng.seed(seed);
    const std::uint64_t prefixes = (records + peerCount - 1) / peerCount;
    // Four ASes for every five prefixes, up to 100,000: about what the
    // Internet has. (More could not all be given distinct ASNs below.)
    const std::size_t ases = std::clamp<std::size_t>(prefixes * 4 / 5, 2000, 100000);
    const std::vector<std::uint32_t> asn = makeASNs(ases);
    const auto providers = makeProviders(ases);

    // Peers: ASes well up the hierarchy, each with its own fixed way up.
    std::vector<std::vector<std::uint32_t>> peerChain(peerCount);
    std::vector<std::string> peerIP(peerCount);
    for (int p = 0; p < peerCount; ++p) {
        climb(std::uint32_t(tierOne + below(ases / 20 + 1)), providers, peerChain[p]);
        peerIP[p] = p % 5 == 4 ? "2001:7f8::" + std::to_string(p + 1)
                               : "192.0.2." + std::to_string(p + 1);
    }

    if (asMRT) {
        std::vector<std::pair<unsigned, std::uint32_t>> peers;
        for (int p = 0; p < peerCount; ++p)
            peers.emplace_back(p % 5 == 4 ? 3 : 2, asn[peerChain[p][0]]);
        const mrt::Bytes table = mrt::peerIndex(peers);
        std::fwrite(table.data(), 1, table.size(), stdout);
    }

    std::vector<std::uint32_t> down, path;
    std::vector<mrt::RibEntry> entries;
    std::vector<std::uint32_t> communities;
    std::string line;
    std::uint64_t written = 0;
    for (std::uint64_t n = 0; written < records; ++n) {
        const std::uint64_t where = n * 2654435761u % (1u << 24);
        const std::string pfx = prefix(where);
        entries.clear();
        climb(std::uint32_t(below(ases)), providers, down);
        const bool prepend = chance(0.1);
        const int tail = chance(0.002) ? 1 : chance(0.001) ? 2 : 0;
        for (int p = 0; p < peerCount && written < records; ++p, ++written) {
            // Up from the peer, across the top, down to the origin; a loop
            // is cut at the first AS the two sides share.
            path = peerChain[p];
            std::size_t from = down.size(); // down[from - 1] follows the peer's side
            for (std::size_t u = 0; u < path.size() && from == down.size(); ++u)
                for (std::size_t d = 0; d < down.size(); ++d)
                    if (down[d] == path[u]) {
                        path.resize(u);
                        from = d + 1;
                        break;
                    }
            for (std::size_t d = from; d-- > 0;)
                path.push_back(down[d]);
            if (asMRT) {
                mrt::Path segments{{mrt::asSequence, {}}};
                for (std::uint32_t a : path)
                    segments[0].asns.push_back(asn[a]);
                if (prepend)
                    segments[0].asns.insert(segments[0].asns.end(), 2, asn[path.back()]);
                if (tail != 0)
                    segments.push_back({tail == 1 ? mrt::asSet : mrt::confedSet,
                                        {asn[below(ases)], asn[below(ases)]}});
                communities.clear();
                for (int c = int(below(4)); c > 0; --c)
                    communities.push_back((asn[path[0]] & 0xffff) << 16 | std::uint32_t(below(5000)));
                entries.push_back({unsigned(p), ribAttributes(segments, isIPv6(where), communities)});
                continue;
            }
            line = "TABLE_DUMP2|1733900000|B|" + peerIP[p] + '|' + std::to_string(asn[path[0]]) +
                   '|' + pfx + '|';
            for (std::size_t k = 0; k < path.size(); ++k) {
                if (k != 0)
                    line += ' ';
                line += std::to_string(asn[path[k]]);
            }
            if (prepend)
                for (int r = 0; r < 2; ++r)
                    line += ' ' + std::to_string(asn[path.back()]);
            if (tail == 1)
                line += " {" + std::to_string(asn[below(ases)]) + ',' + std::to_string(asn[below(ases)]) + '}';
            else if (tail == 2)
                line += " [" + std::to_string(asn[below(ases)]) + ',' + std::to_string(asn[below(ases)]) + ']';
            line += "|IGP|" + peerIP[p] + "|0|" + std::to_string(p * 10) + '|';
            for (int c = int(below(4)); c > 0; --c)
                line += std::to_string(asn[path[0]] & 0xffff) + ':' + std::to_string(below(5000)) +
                        (c > 1 ? " " : "");
            line += "|NAG||\n";
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        if (asMRT) {
            const mrt::Bytes body = mrt::ribBody(std::uint32_t(n), prefixBytes(where), entries, false);
            const mrt::Bytes r = mrt::record(mrt::tableDumpV2, isIPv6(where) ? mrt::ribIPv6 : mrt::ribIPv4, body);
            std::fwrite(r.data(), 1, r.size(), stdout);
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
