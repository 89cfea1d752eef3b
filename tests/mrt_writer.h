// Builds MRT records byte by byte, for the tests, the fuzz seeds and the
// benchmark corpus: each function returns the bytes of one piece, in
// network order, so that a test can put pieces together, or break them.
#ifndef MRT_WRITER_H
#define MRT_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

namespace mrt {

using Bytes = std::string;

inline void put8(Bytes &b, unsigned v) { b.push_back(char(v)); }
inline void put16(Bytes &b, unsigned v) { put8(b, v >> 8), put8(b, v); }
inline void put32(Bytes &b, std::uint32_t v) { put16(b, v >> 16), put16(b, v & 0xffff); }

constexpr std::uint32_t timestamp = 1733900000;

// Record types and subtypes.
constexpr unsigned bgp = 5, tableDump = 12, tableDumpV2 = 13, bgp4mp = 16, bgp4mpET = 17;
constexpr unsigned peerIndexTable = 1, ribIPv4 = 2, ribIPv4Multicast = 3, ribIPv6 = 4,
                   ribGeneric = 6, ribIPv4AddPath = 8, ribIPv6AddPath = 10;
constexpr unsigned stateChange = 0, message = 1, messageAS4 = 4, messageLocal = 6,
                   messageAS4Local = 7, messageAddPath = 8, messageAS4AddPath = 9,
                   messageLocalAddPath = 10, messageAS4LocalAddPath = 11;

inline Bytes record(unsigned type, unsigned subtype, const Bytes &body)
{
    Bytes b;
    put32(b, timestamp);
    put16(b, type);
    put16(b, subtype);
    put32(b, std::uint32_t(body.size()));
    return b + body;
}

// AS path segment types.
constexpr unsigned asSet = 1, asSequence = 2, confedSequence = 3, confedSet = 4;

struct Segment {
    unsigned type;
    std::vector<std::uint32_t> asns;
};
using Path = std::vector<Segment>;

// The value of an AS_PATH or AS4_PATH attribute, ASNs WIDTH bytes wide.
inline Bytes segments(const Path &path, unsigned width)
{
    Bytes b;
    for (const Segment &s : path) {
        put8(b, s.type);
        put8(b, unsigned(s.asns.size()));
        for (std::uint32_t a : s.asns)
            width == 4 ? put32(b, a) : put16(b, a);
    }
    return b;
}

inline Bytes attribute(unsigned flags, unsigned type, const Bytes &value)
{
    Bytes b;
    put8(b, flags | (value.size() > 255 ? 0x10 : 0));
    put8(b, type);
    if (value.size() > 255)
        put16(b, unsigned(value.size()));
    else
        put8(b, unsigned(value.size()));
    return b + value;
}

// ORIGIN, AS_PATH (ASNs WIDTH bytes wide), NEXT_HOP, then EXTRA.
inline Bytes attributes(const Path &path, unsigned width, const Bytes &extra = {})
{
    Bytes hop;
    put32(hop, 0xC0000209); // 192.0.2.9
    return attribute(0x40, 1, Bytes(1, '\0')) + attribute(0x40, 2, segments(path, width)) +
           attribute(0x40, 3, hop) + extra;
}

inline Bytes as4Path(const Path &path) { return attribute(0xC0, 17, segments(path, 4)); }

// A prefix as NLRI: its length, as many bytes as that needs, after a path
// identifier if PATH_ID is not 0.
inline Bytes prefix(unsigned bits, const Bytes &address, std::uint32_t pathId = 0)
{
    Bytes b;
    if (pathId != 0)
        put32(b, pathId);
    put8(b, bits);
    return b + address.substr(0, (bits + 7) / 8);
}

inline Bytes v4(unsigned a, unsigned b, unsigned c = 0, unsigned d = 0)
{
    return Bytes{char(a), char(b), char(c), char(d)};
}

inline Bytes v6(unsigned first, unsigned second)
{
    Bytes b;
    put16(b, first), put16(b, second);
    return b + Bytes(12, '\0');
}

// MP_REACH_NLRI as an UPDATE carries it, with a next hop of the family.
inline Bytes mpReach(unsigned afi, unsigned safi, const Bytes &nlri)
{
    Bytes b;
    put16(b, afi), put8(b, safi);
    const Bytes hop = afi == 2 ? v6(0x2001, 0xdb8) : v4(192, 0, 2, 9);
    put8(b, unsigned(hop.size()));
    b += hop;
    put8(b, 0);
    return attribute(0x80, 14, b + nlri);
}

// The peer index table: (type, ASN) for each peer; bit 1 of the type says
// IPv6, bit 2 a 4-byte ASN.
inline Bytes peerIndex(const std::vector<std::pair<unsigned, std::uint32_t>> &peers)
{
    Bytes b;
    put32(b, 0xC0000201); // collector BGP ID
    put16(b, 0);          // no view name
    put16(b, unsigned(peers.size()));
    std::uint32_t n = 1;
    for (auto [type, as] : peers) {
        put8(b, type);
        put32(b, 0xC0000200 + n);
        b += type & 1 ? v6(0x2001, 0xdb8) : v4(192, 0, 2, n);
        type & 2 ? put32(b, as) : put16(b, as);
        ++n;
    }
    return record(tableDumpV2, peerIndexTable, b);
}

struct RibEntry {
    unsigned peer;
    Bytes attributes;
    std::uint32_t pathId = 0; // for the ADD-PATH subtypes
};

inline Bytes ribBody(std::uint32_t sequence, const Bytes &prefixBytes, const std::vector<RibEntry> &entries,
                     bool addPath)
{
    Bytes b;
    put32(b, sequence);
    b += prefixBytes;
    put16(b, unsigned(entries.size()));
    for (const RibEntry &e : entries) {
        put16(b, e.peer);
        put32(b, timestamp - 3600);
        if (addPath)
            put32(b, e.pathId);
        put16(b, unsigned(e.attributes.size()));
        b += e.attributes;
    }
    return b;
}

// A TABLE_DUMP_V2 RIB record of SUBTYPE for the prefix BITS/ADDRESS.
inline Bytes rib(unsigned subtype, std::uint32_t sequence, unsigned bits, const Bytes &address,
                 const std::vector<RibEntry> &entries)
{
    const bool addPath = subtype >= ribIPv4AddPath;
    return record(tableDumpV2, subtype, ribBody(sequence, prefix(bits, address), entries, addPath));
}

// A TABLE_DUMP record: one route of a 2-byte peer; AFI 1 for IPv4, 2 for IPv6.
inline Bytes tableDumpRoute(unsigned afi, unsigned bits, const Bytes &address, const Bytes &attrs)
{
    Bytes b;
    put16(b, 0), put16(b, 0); // view, sequence
    b += address;
    put8(b, bits), put8(b, 1);
    put32(b, timestamp - 60);
    b += afi == 1 ? v4(192, 0, 2, 1) : v6(0x2001, 0xdb8);
    put16(b, 3356);
    put16(b, unsigned(attrs.size()));
    return record(tableDump, afi, b + attrs);
}

// A BGP message of TYPE (2 UPDATE, 4 KEEPALIVE) with BODY.
inline Bytes bgpMessage(unsigned type, const Bytes &body)
{
    Bytes b(16, '\xff');
    put16(b, unsigned(19 + body.size()));
    put8(b, type);
    return b + body;
}

inline Bytes update(const Bytes &withdrawn, const Bytes &attrs, const Bytes &nlri)
{
    Bytes b;
    put16(b, unsigned(withdrawn.size()));
    b += withdrawn;
    put16(b, unsigned(attrs.size()));
    return b + attrs + nlri;
}

// A BGP4MP (or, if ET, BGP4MP_ET) record of SUBTYPE holding MESSAGE, with
// peer and local addresses of family AFI.
inline Bytes bgp4mpRecord(unsigned subtype, const Bytes &msg, unsigned afi = 1, bool et = false)
{
    const bool as4 = subtype == messageAS4 || subtype == messageAS4Local ||
                     subtype == messageAS4AddPath || subtype == messageAS4LocalAddPath;
    Bytes b;
    if (et)
        put32(b, 123456); // microseconds
    as4 ? put32(b, 196615) : put16(b, 3356);
    as4 ? put32(b, 64496) : put16(b, 64496);
    put16(b, 0);
    put16(b, afi);
    b += afi == 1 ? v4(192, 0, 2, 1) + v4(192, 0, 2, 254) : v6(0x2001, 0xdb8) + v6(0x2001, 0xdb9);
    return record(et ? bgp4mpET : bgp4mp, subtype, b + msg);
}

// A BGP4MP state change of a 2-byte session.
inline Bytes stateChangeRecord()
{
    Bytes b;
    put16(b, 3356), put16(b, 64496), put16(b, 0), put16(b, 1);
    b += v4(192, 0, 2, 1) + v4(192, 0, 2, 254);
    put16(b, 3), put16(b, 6); // Active to Established
    return record(bgp4mp, stateChange, b);
}

// A BGP record of 1999-2000: subtype 1 holds an UPDATE without its header.
inline Bytes oldBGPUpdate(const Bytes &updateBody)
{
    Bytes b;
    put16(b, 3333);
    b += v4(193, 0, 0, 56);
    put16(b, 12654);
    b += v4(193, 0, 0, 59);
    return record(bgp, 1, b + updateBody);
}

} // namespace mrt

#endif
