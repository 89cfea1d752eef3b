#include "mrt.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "asn.h"

namespace {

using Byte = unsigned char;

inline unsigned get16(const Byte *p) { return unsigned(p[0]) << 8 | p[1]; }
inline std::uint32_t get32(const Byte *p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// Record types, and the subtypes that carry routes.
constexpr unsigned typeBGP = 5, typeTableDump = 12, typeTableDumpV2 = 13, typeBGP4MP = 16,
                   typeBGP4MPET = 17;
constexpr unsigned peerIndexTable = 1;

// BGP path attribute types, and AS path segment types.
constexpr unsigned attrASPath = 2, attrMPReach = 14, attrAS4Path = 17;
constexpr unsigned asSet = 1, asSequence = 2, confedSet = 4;

// The attributes of a route that its path line needs.
struct Attributes {
    const Byte *asPath = nullptr, *as4Path = nullptr, *mpReach = nullptr;
    std::size_t asPathLength = 0, as4PathLength = 0, mpReachLength = 0;
};

// Finds the attributes of interest in [P, P + LENGTH). False if one runs
// past the end or stands twice.
bool findAttributes(const Byte *p, std::size_t length, Attributes &a)
{
    const Byte *end = p + length;
    while (p != end) {
        if (end - p < 3)
            return false;
        const unsigned flags = p[0], type = p[1];
        std::size_t size;
        if (flags & 0x10) {
            if (end - p < 4)
                return false;
            size = get16(p + 2);
            p += 4;
        } else {
            size = p[2];
            p += 3;
        }
        if (std::size_t(end - p) < size)
            return false;
        const Byte **where = type == attrASPath ? &a.asPath
                             : type == attrAS4Path ? &a.as4Path
                             : type == attrMPReach ? &a.mpReach
                                                   : nullptr;
        if (where != nullptr) {
            if (*where != nullptr)
                return false;
            *where = p;
            (type == attrASPath ? a.asPathLength
             : type == attrAS4Path ? a.as4PathLength
                                   : a.mpReachLength) = size;
        }
        p += size;
    }
    return true;
}

// Checks the AS path segments in [P, P + LENGTH), each ASN WIDTH bytes.
// False if a segment runs past the end. Sets BAD if a segment is of no type
// that BGP defines (the converter then prints no path at all), and adds to
// COUNT the path's length as RFC 6793 counts it for the AS4_PATH merge, in
// the converter's way: a set of either kind counts one, a sequence of
// either kind counts its ASNs.
bool checkSegments(const Byte *p, std::size_t length, unsigned width, bool &bad,
                   std::uint32_t &count)
{
    const Byte *end = p + length;
    while (p != end) {
        if (end - p < 2)
            return false;
        const unsigned type = p[0], n = p[1];
        if (std::size_t(end - p - 2) < std::size_t(n) * width)
            return false;
        if (type < asSet || type > confedSet)
            bad = true;
        count += type == asSet || type == confedSet ? 1 : n;
        p += 2 + std::size_t(n) * width;
    }
    return true;
}

// A path line as it is written: the last ASN written, and whether the path
// has ended.
struct PathLine {
    char *out;
    std::uint32_t last = 0;
    bool empty = true;
    bool ended = false;
};

// The decimal text of ASNs written lately, by a hash of the ASN: a table's
// paths name the same few thousand ASes over and over, and copying a text
// costs less than making it.
struct CachedText {
    std::uint32_t as = 0xffffffffu; // above every ASN written: no entry
    char text[12];                  // the digits, then the count of them last
};
CachedText textCache[1 << 12];

inline void putASN(PathLine &line, std::uint32_t as)
{
    if (as > 2147483647u) {
        line.ended = true; // not a number that the path line can hold
        return;
    }
    if (!line.empty && as == line.last)
        return;
    if (!line.empty)
        *line.out++ = ' ';
    CachedText &c = textCache[(as * 2654435761u) >> 20];
    if (c.as != as) {
        c.as = as;
        c.text[11] = static_cast<char>(writeASN(c.text, static_cast<ASN>(as)) - c.text);
    }
    std::memcpy(line.out, c.text, 11);
    line.out += c.text[11];
    line.last = as;
    line.empty = false;
}

// Writes the AS_SEQUENCE segments of [P, P + LENGTH) up to the first segment
// of another type. The segments have been checked.
void putSegments(PathLine &line, const Byte *p, std::size_t length, unsigned width)
{
    const Byte *end = p + length;
    while (p != end && !line.ended) {
        const unsigned type = p[0], n = p[1];
        p += 2;
        if (type != asSequence) {
            line.ended = true;
            return;
        }
        for (unsigned i = 0; i != n && !line.ended; ++i, p += width)
            putASN(line, width == 4 ? get32(p) : get16(p));
    }
}

// Room for the path line of A: a 2-byte ASN takes at most 6 characters
// with its blank, a 4-byte one 12, and the merged path repeats no more ASNs
// than AS_PATH holds; putASN copies 11 characters for every ASN, which the
// last may leave standing up to 16 past the line.
inline std::size_t lineRoom(const Attributes &a)
{
    return 3 * (a.asPathLength + a.as4PathLength) + 16;
}

// Writes the path line of a route with attributes A, its AS_PATH of ASNs
// WIDTH bytes wide, at OUT; returns its end, or nullptr if a path attribute
// is malformed. Sessions of 2-byte ASNs carry the true path of 4-byte ASes
// in AS4_PATH: the converter merges the two, and so does this.
char *writeRoute(char *out, const Attributes &a, unsigned width)
{
    std::uint32_t count = 0, count4 = 0;
    bool bad = false;
    if (a.asPath != nullptr && !checkSegments(a.asPath, a.asPathLength, width, bad, count))
        return nullptr;
    const bool merge = width == 2 && a.as4Path != nullptr;
    if (merge && !checkSegments(a.as4Path, a.as4PathLength, 4, bad, count4))
        return nullptr;
    PathLine line{out};
    if (bad) {
        // The converter prints an error in place of the path.
    } else if (merge && count >= count4) {
        // The leading ASes of AS_PATH that AS4_PATH lacks, then AS4_PATH.
        // The converter takes those leading ASes from the first segment
        // alone, over and over: so a first segment of 1 2 and three ASes
        // to take give 1 2 1. (An empty first segment would never end
        // there; here it gives nothing.)
        const std::uint32_t lead = count - count4;
        if (lead != 0) {
            const unsigned type = a.asPath[0], n = a.asPath[1];
            if (type != asSequence)
                line.ended = true;
            else if (n != 0)
                for (std::uint32_t i = 0; i != lead && !line.ended; ++i)
                    putASN(line, get16(a.asPath + 2 + 2 * (i % n)));
        }
        putSegments(line, a.as4Path, a.as4PathLength, 4);
    } else if (a.asPath != nullptr) {
        putSegments(line, a.asPath, a.asPathLength, width);
    }
    *line.out++ = '\n';
    return line.out;
}

// Counts the prefixes in [P, END): a length in bits of at most MAX_BITS,
// then as many bytes as it needs, each after a 4-byte path identifier if
// ADD_PATH. Returns -1 if they do not fill the space exactly.
long countPrefixes(const Byte *p, const Byte *end, unsigned maxBits, bool addPath)
{
    long n = 0;
    const std::size_t id = addPath ? 4 : 0;
    while (p != end) {
        if (std::size_t(end - p) < id + 1)
            return -1;
        p += id;
        const unsigned bits = *p++;
        if (bits > maxBits || std::size_t(end - p) < (bits + 7) / 8)
            return -1;
        p += (bits + 7) / 8;
        ++n;
    }
    return n;
}

// Counts the prefixes that MP_REACH_NLRI announces for IPv4 or IPv6
// unicast or multicast; other families give no route. -1 if malformed.
long countReached(const Attributes &a, bool addPath)
{
    if (a.mpReach == nullptr)
        return 0;
    const Byte *p = a.mpReach, *end = p + a.mpReachLength;
    if (end - p < 5 || std::size_t(end - p) < 5u + p[3])
        return -1;
    const unsigned afi = get16(p), safi = p[2];
    if ((afi != 1 && afi != 2) || safi < 1 || safi > 3)
        return 0;
    return countPrefixes(p + 5 + p[3], end, afi == 1 ? 32 : 128, addPath);
}

// Writes the path line of A COUNT times; nothing if malformed.
bool writeRoutes(PathOutput &out, const Attributes &a, unsigned width, long count)
{
    if (count == 0)
        return true;
    char *begin = roomFor(out, lineRoom(a));
    const char *end = writeRoute(begin, a, width);
    if (end == nullptr)
        return false;
    const std::size_t size = end - begin;
    out.used += size;
    if (count == 1)
        return true;
    // Every prefix of a message has the same path: the line again and again,
    // from a copy, since making room may write out the first.
    static std::string line;
    line.assign(begin, size);
    for (long i = 1; i != count; ++i) {
        std::memcpy(roomFor(out, size), line.data(), size);
        out.used += size;
    }
    return true;
}

// A BGP UPDATE message's body [P, END) from a session whose AS_PATH holds
// ASNs WIDTH bytes wide. MP_REACH_NLRI counts only if USE_MP_REACH.
bool updatePaths(const Byte *p, const Byte *end, unsigned width, bool addPath, bool useMPReach,
                 PathOutput &out)
{
    if (end - p < 2 || std::size_t(end - p - 2) < get16(p))
        return false;
    const Byte *withdrawn = p + 2;
    p = withdrawn + get16(p);
    if (countPrefixes(withdrawn, p, 32, addPath) < 0)
        return false;
    if (end - p < 2 || std::size_t(end - p - 2) < get16(p))
        return false;
    Attributes a;
    if (!findAttributes(p + 2, get16(p), a))
        return false;
    const long nlri = countPrefixes(p + 2 + get16(p), end, 32, addPath);
    const long reached = useMPReach ? countReached(a, addPath) : 0;
    if (nlri < 0 || reached < 0)
        return false;
    return writeRoutes(out, a, width, nlri + reached);
}

// TABLE_DUMP: one route, AS_PATH of 2-byte ASNs. SUBTYPE is the address
// family.
bool tableDumpPaths(const Byte *p, const Byte *end, unsigned subtype, PathOutput &out)
{
    const std::size_t address = subtype == 1 ? 4 : 16;
    // view, sequence, prefix, length, status, time, peer address, peer AS
    const std::size_t fixed = 2 + 2 + address + 1 + 1 + 4 + address + 2;
    if (std::size_t(end - p) < fixed + 2 || p[4 + address] > 8 * address)
        return false;
    p += fixed;
    const std::size_t length = get16(p);
    p += 2;
    Attributes a;
    if (std::size_t(end - p) != length || !findAttributes(p, length, a))
        return false;
    return writeRoutes(out, a, 2, 1);
}

// TABLE_DUMP_V2 PEER_INDEX_TABLE: remembers how many peers it lists.
bool peerTable(MRTState &state, const Byte *p, const Byte *end)
{
    state.peerCount = 0;
    if (end - p < 6 || std::size_t(end - p - 6) < get16(p + 4))
        return false;
    p += 6 + get16(p + 4);
    if (end - p < 2)
        return false;
    const unsigned peers = get16(p);
    p += 2;
    for (unsigned i = 0; i != peers; ++i) {
        if (end - p < 1)
            return false;
        const unsigned type = p[0];
        const std::size_t size = 1 + 4 + (type & 1 ? 16 : 4) + (type & 2 ? 4 : 2);
        if (std::size_t(end - p) < size)
            return false;
        p += size;
    }
    state.peerCount = peers;
    return true;
}

// TABLE_DUMP_V2 RIB_IPV4_UNICAST and RIB_IPV6_UNICAST, and their ADD-PATH
// forms: one route per entry, AS_PATH of 4-byte ASNs.
bool ribPaths(const MRTState &state, const Byte *p, const Byte *end, unsigned maxBits,
              bool addPath, PathOutput &out)
{
    if (end - p < 5 || p[4] > maxBits)
        return false;
    p += 5 + (p[4] + 7) / 8;
    if (end - p < 2)
        return false;
    const unsigned entries = get16(p);
    p += 2;
    // Every line of the record, or none: it is checked to its end first.
    const std::size_t before = out.used;
    roomFor(out, 5 * std::size_t(end - p) + 64); // see lineRoom
    const std::size_t fixed = 2 + 4 + (addPath ? 4 : 0);
    for (unsigned i = 0; i != entries; ++i) {
        if (std::size_t(end - p) < fixed + 2 || get16(p) >= state.peerCount)
            break;
        p += fixed;
        const std::size_t length = get16(p);
        p += 2;
        Attributes a;
        if (std::size_t(end - p) < length || !findAttributes(p, length, a))
            break;
        p += length;
        char *line = out.buf.data() + out.used;
        const char *lineEnd = writeRoute(line, a, 4);
        if (lineEnd == nullptr)
            break;
        out.used += lineEnd - line;
        if (i + 1 == entries && p == end)
            return true;
    }
    out.used = before;
    return entries == 0 && p == end;
}

// BGP4MP and BGP4MP_ET messages: the routes of an UPDATE.
bool bgp4mpPaths(const Byte *p, const Byte *end, unsigned subtype, PathOutput &out)
{
    const bool as4 = subtype == 4 || subtype == 7 || subtype == 9 || subtype == 11;
    const bool addPath = subtype >= 8;
    const std::size_t asSize = as4 ? 4 : 2;
    if (std::size_t(end - p) < 2 * asSize + 4)
        return false;
    // An address family other than IPv4 and IPv6 leaves the addresses'
    // length unknown; such records (old dumps have OPEN messages written so)
    // are passed over as the converter passes them over, without a word.
    const unsigned afi = get16(p + 2 * asSize + 2);
    if (afi != 1 && afi != 2)
        return true;
    p += 2 * asSize + 4 + 2 * (afi == 1 ? 4 : 16);
    // The BGP message: marker, length, type.
    if (end - p < 19)
        return false;
    for (int i = 0; i != 16; ++i)
        if (p[i] != 0xff)
            return false;
    const std::size_t length = get16(p + 16);
    if (length < 19 || std::size_t(end - p) < length)
        return false;
    if (p[18] != 2)
        return true; // not an UPDATE: no route
    return updatePaths(p + 19, p + length, as4 ? 4 : 2, addPath, true, out);
}

// The BGP records of 1999-2000: BGP_UPDATE holds the peer's and the local
// AS and address, then an UPDATE without its header. Only its NLRI count.
bool oldBGPPaths(const Byte *p, const Byte *end, PathOutput &out)
{
    if (end - p < 12)
        return false;
    return updatePaths(p + 12, end, 2, false, false, out);
}

} // namespace

bool carriesRoutes(unsigned type, unsigned subtype)
{
    switch (type) {
    case typeBGP:
        return subtype == 1;
    case typeTableDump:
        return subtype == 1 || subtype == 2;
    case typeTableDumpV2:
        return subtype == peerIndexTable || subtype == 2 || subtype == 4 || subtype == 8 ||
               subtype == 10;
    case typeBGP4MP:
    case typeBGP4MPET:
        return subtype == 1 || subtype == 4 || (subtype >= 6 && subtype <= 11);
    default:
        return false;
    }
}

bool recordPaths(MRTState &state, const Byte *rec, std::size_t size, PathOutput &out)
{
    const unsigned type = get16(rec + 4), subtype = get16(rec + 6);
    const Byte *p = rec + mrtHeader, *end = rec + size;
    switch (type) {
    case typeBGP:
        return oldBGPPaths(p, end, out);
    case typeTableDump:
        return tableDumpPaths(p, end, subtype, out);
    case typeTableDumpV2:
        if (subtype == peerIndexTable)
            return peerTable(state, p, end);
        return ribPaths(state, p, end, subtype == 2 || subtype == 8 ? 32 : 128, subtype >= 8, out);
    case typeBGP4MPET:
        if (end - p < 4)
            return false;
        return bgp4mpPaths(p + 4, end, subtype, out);
    default:
        return bgp4mpPaths(p, end, subtype, out);
    }
}

bool readMRT(Input &in, MRTState &state, PathOutput &out)
{
    std::vector<char> buf(readBlock);
    std::size_t begin = 0, end = 0; // the bytes of buf not yet decoded
    std::uint64_t base = 0;         // where buf[0] stands in the input
    // Reads more of the input after what is held, making room first.
    // Returns the bytes read, 0 at the end, -1 on failure.
    auto more = [&]() -> ssize_t {
        if (end == buf.size()) {
            if (begin != 0) {
                std::memmove(buf.data(), buf.data() + begin, end - begin);
                base += begin;
                end -= begin;
                begin = 0;
            } else {
                buf.resize(2 * buf.size()); // only ever once full of a record
            }
        }
        flushPaths(out);
        return readInput(in, buf.data() + end, buf.size() - end);
    };
    auto cutShort = [&](std::uint64_t at) {
        in.error = "cut short: the input ends inside the MRT record at byte " + std::to_string(at);
        return false;
    };
    for (;;) {
        while (end - begin < mrtHeader) {
            const ssize_t n = more();
            if (n < 0)
                return false;
            if (n == 0)
                return end == begin || cutShort(base + begin);
            end += n;
        }
        const Byte *h = reinterpret_cast<const Byte *>(buf.data() + begin);
        const std::uint64_t size = mrtHeader + std::uint64_t(get32(h + 8));
        if (!carriesRoutes(get16(h + 4), get16(h + 6))) {
            // Passed over unread, and never held whole.
            const std::uint64_t at = base + begin;
            std::uint64_t left = size;
            for (;;) {
                const std::size_t k = std::min<std::uint64_t>(left, end - begin);
                begin += k;
                left -= k;
                if (left == 0)
                    break;
                base += end;
                begin = end = 0;
                const ssize_t n = more();
                if (n < 0)
                    return false;
                if (n == 0)
                    return cutShort(at);
                end = n;
            }
            continue;
        }
        while (end - begin < size) {
            const ssize_t n = more();
            if (n < 0)
                return false;
            if (n == 0)
                return cutShort(base + begin);
            end += n;
        }
        const Byte *rec = reinterpret_cast<const Byte *>(buf.data() + begin);
        if (!recordPaths(state, rec, size, out)) {
            if (state.skipped++ == 0)
                state.firstSkipped = base + begin;
        }
        begin += size;
    }
}
