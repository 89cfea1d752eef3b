// Writes a small MRT TABLE_DUMP_V2 RIB dump to standard output: a peer
// index table and RIB entries for IPv4 and IPv6 prefixes from three peers,
// with prepending, an AS set, confederation segments, 2-byte and 4-byte AS
// numbers and one above 2147483647. The interoperability test reads it
// through a real MRT converter.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Bytes = std::string;

void put8(Bytes &b, unsigned v) { b.push_back(char(v)); }
void put16(Bytes &b, unsigned v) { put8(b, v >> 8), put8(b, v); }
void put32(Bytes &b, std::uint32_t v) { put16(b, v >> 16), put16(b, v & 0xffff); }

constexpr std::uint32_t timestamp = 1733900000;
constexpr unsigned tableDumpV2 = 13, peerIndexTable = 1, ribIPv4 = 2, ribIPv6 = 4;

void record(unsigned subtype, const Bytes &body)
{
    Bytes header;
    put32(header, timestamp);
    put16(header, tableDumpV2);
    put16(header, subtype);
    put32(header, std::uint32_t(body.size()));
    std::fwrite(header.data(), 1, header.size(), stdout);
    std::fwrite(body.data(), 1, body.size(), stdout);
}

// AS path segment types.
constexpr unsigned asSet = 1, asSequence = 2, confedSequence = 3, confedSet = 4;

struct Segment {
    unsigned type;
    std::vector<std::uint32_t> asns;
};

Bytes attribute(unsigned flags, unsigned type, const Bytes &value)
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

// The attributes of one RIB entry: ORIGIN, AS_PATH (4-byte ASNs, as the
// format requires), and NEXT_HOP or an abbreviated MP_REACH_NLRI.
Bytes attributes(const std::vector<Segment> &path, bool v6)
{
    Bytes origin, aspath, hop;
    put8(origin, 0); // IGP
    for (const Segment &s : path) {
        put8(aspath, s.type);
        put8(aspath, unsigned(s.asns.size()));
        for (std::uint32_t a : s.asns)
            put32(aspath, a);
    }
    Bytes b = attribute(0x40, 1, origin) + attribute(0x40, 2, aspath);
    if (v6) {
        put8(hop, 16);
        hop += Bytes("\x20\x01\x0d\xb8\0\0\0\0\0\0\0\0\0\0\0\x09", 16);
        b += attribute(0x80, 14, hop);
    } else {
        put32(hop, 0xC0000209); // 192.0.2.9
        b += attribute(0x40, 3, hop);
    }
    return b;
}

struct Route {
    unsigned peer;
    std::vector<Segment> path;
};

void rib(std::uint32_t sequence, bool v6, const Bytes &prefix, unsigned length,
         const std::vector<Route> &routes)
{
    Bytes b;
    put32(b, sequence);
    put8(b, length);
    b += prefix.substr(0, (length + 7) / 8);
    put16(b, unsigned(routes.size()));
    for (const Route &r : routes) {
        const Bytes attrs = attributes(r.path, v6);
        put16(b, r.peer);
        put32(b, timestamp - 3600);
        put16(b, unsigned(attrs.size()));
        b += attrs;
    }
    record(v6 ? ribIPv6 : ribIPv4, b);
}

} // namespace

int main()
{
    // Peers: 192.0.2.1 AS 3356, 192.0.2.2 AS 174 (2-byte), 2001:db8::3
    // AS 196615 (4-byte, IPv6 address).
    Bytes peers;
    put32(peers, 0xC0000201); // collector BGP ID
    put16(peers, 0);          // no view name
    put16(peers, 3);
    put8(peers, 0), put32(peers, 0xC0000201), put32(peers, 0xC0000201), put16(peers, 3356);
    put8(peers, 0), put32(peers, 0xC0000202), put32(peers, 0xC0000202), put16(peers, 174);
    put8(peers, 3), put32(peers, 0xC0000203);
    peers += Bytes("\x20\x01\x0d\xb8\0\0\0\0\0\0\0\0\0\0\0\x03", 16);
    put32(peers, 196615);
    record(peerIndexTable, peers);

    const unsigned seq = asSequence;
    rib(0, false, Bytes("\x0a\0\0\0", 4), 8,
        {{0, {{seq, {3356, 1299, 65001}}}},
         {1, {{seq, {174, 1299, 65001, 65001, 65001}}}},
         {2, {{seq, {196615, 3356, 1299, 65001}}}}});
    rib(1, false, Bytes("\xc6\x33\x64\0", 4), 24,
        {{0, {{seq, {3356, 4200000001u, 2914, 64500}}}},
         {1, {{seq, {174, 2914, 64500}}}}});
    rib(2, false, Bytes("\xac\x10\0\0", 4), 12,
        {{0, {{seq, {3356, 7018}}, {confedSet, {65020, 65021}}, {seq, {64496}}}},
         {1, {{seq, {174, 3257}}, {confedSequence, {65030, 65031}}, {seq, {64497}}}},
         {2, {{confedSequence, {65040}}, {seq, {196615, 7018}}}}});
    rib(3, true, Bytes("\x20\x01\x0d\xb8\x00\x01", 6), 48,
        {{1, {{seq, {174, 6939, 131072}}, {asSet, {64512, 64513}}}},
         {2, {{seq, {196615, 6939, 131072, 131072}}}}});
    return std::fflush(stdout) == 0 ? 0 : 1;
}
