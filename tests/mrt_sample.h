// Small MRT dumps of each kind, and the path lines they must give: the
// lines are what a real converter prints for them, turned into path lines
// by the text rules (the interoperability test checks that it still does).
#ifndef MRT_SAMPLE_H
#define MRT_SAMPLE_H

#include <string>

#include "mrt_writer.h"

namespace sample {

using namespace mrt;

inline Path path(std::vector<std::uint32_t> asns) { return {{asSequence, std::move(asns)}}; }

// TABLE_DUMP_V2: peers of 2- and 4-byte ASNs over IPv4 and IPv6; IPv4 and
// IPv6 RIBs with prepending, sets, confederations, an ASN above
// 2147483647; the ADD-PATH RIBs; multicast and generic RIBs, which the
// converter prints nothing for.
inline Bytes ribSample()
{
    Bytes b = peerIndex({{0, 3356}, {0, 174}, {3, 196615}});
    b += rib(ribIPv4, 0, 8, v4(10, 0),
             {{0, attributes(path({3356, 1299, 65001}), 4)},
              {1, attributes(path({174, 1299, 65001, 65001, 65001}), 4)},
              {2, attributes(path({196615, 3356, 1299, 65001}), 4)}});
    b += rib(ribIPv4, 1, 24, v4(198, 51, 100),
             {{0, attributes(path({3356, 4200000001u, 2914, 64500}), 4)},
              {1, attributes(path({174, 2914, 64500}), 4)}});
    b += rib(ribIPv4, 2, 12, v4(172, 16),
             {{0, attributes({{asSequence, {3356, 7018}}, {confedSet, {65020, 65021}}, {asSequence, {64496}}}, 4)},
              {1, attributes({{asSequence, {174, 3257}}, {confedSequence, {65030}}, {asSequence, {64497}}}, 4)},
              {2, attributes({{confedSequence, {65040}}, {asSequence, {196615, 7018}}}, 4)}});
    b += rib(ribIPv6, 3, 48, v6(0x2001, 0xdb8),
             {{1, attributes({{asSequence, {174, 6939, 131072}}, {asSet, {64512, 64513}}}, 4)},
              {2, attributes({{asSequence, {196615, 6939}}, {asSequence, {6939, 131072}}}, 4)},
              {0, attributes({}, 4)},                                      // iBGP: empty path
              {0, attributes({{asSequence, {3356}}, {7, {1}}}, 4)}});        // no such segment type
    b += rib(ribIPv4Multicast, 4, 8, v4(11, 0), {{0, attributes(path({3356, 1}), 4)}});
    b += rib(ribIPv4AddPath, 5, 16, v4(10, 1),
             {{0, attributes(path({3356, 2914}), 4), 1}, {0, attributes(path({3356, 3356, 1299}), 4), 2}});
    b += rib(ribIPv6AddPath, 6, 32, v6(0x2001, 0xdb8),
             {{2, attributes(path({196615, 6939}), 4), 7}});
    Bytes generic;
    put32(generic, 7), put16(generic, 1), put8(generic, 1);
    generic += prefix(8, v4(12, 0));
    put16(generic, 1);
    put16(generic, 0), put32(generic, timestamp), put16(generic, 0);
    b += record(tableDumpV2, ribGeneric, generic);
    return b;
}

// TABLE_DUMP over IPv4 and IPv6: 2-byte ASNs, with AS_TRANS and AS4_PATH.
inline Bytes tableDumpSample()
{
    return tableDumpRoute(1, 8, v4(10, 0), attributes(path({3356, 3356, 1299, 65001}), 2)) +
           tableDumpRoute(1, 16, v4(10, 2), attributes(path({3356, 23456, 4788}), 2, as4Path(path({196615, 4788})))) +
           tableDumpRoute(2, 32, v6(0x2001, 0xdb8), attributes(path({3356, 6939}), 2));
}

// BGP4MP and BGP4MP_ET: every message subtype, ADD-PATH, MP_REACH_NLRI,
// the AS4_PATH merge, withdrawals and messages that carry no route.
inline Bytes updateSample()
{
    const Bytes two = prefix(8, v4(10, 0)) + prefix(16, v4(10, 1));
    const Bytes addPathTwo = prefix(8, v4(10, 0), 5) + prefix(16, v4(10, 1), 6);
    Bytes b = stateChangeRecord();
    // A 2-byte session: AS_TRANS where a 4-byte AS stands, the true path in AS4_PATH.
    b += bgp4mpRecord(message, bgpMessage(2, update({}, attributes(path({3356, 23456, 1299}), 2,
                                                                   as4Path(path({196615, 1299}))), two)));
    // AS4_PATH longer than AS_PATH: not used.
    b += bgp4mpRecord(message, bgpMessage(2, update({}, attributes(path({3356, 23456}), 2,
                                                                   as4Path(path({196615, 1299, 7}))), two)));
    // The merge takes the leading ASes from the first segment, over and over.
    b += bgp4mpRecord(message, bgpMessage(2, update({}, attributes({{asSequence, {3356, 174}}, {asSequence, {23456, 6939}}}, 2,
                                                                   as4Path(path({70000}))), prefix(24, v4(192, 0, 2)))));
    // A 4-byte session over IPv6: NLRI and MP_REACH_NLRI for IPv6, then IPv4 multicast.
    b += bgp4mpRecord(messageAS4,
                      bgpMessage(2, update({}, attributes(path({196615, 6939, 4200000001u, 5}), 4,
                                                          mpReach(2, 1, prefix(32, v6(0x2001, 0xdb8)) + prefix(48, v6(0x2001, 0xdb9)))),
                                           prefix(8, v4(11, 0)))),
                      2);
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes(path({196615, 9}), 4, mpReach(1, 2, prefix(24, v4(10, 9, 9)))), {})), 2);
    // MP_REACH_NLRI of a family that gives no route (labelled unicast), alone.
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes(path({196615, 1}), 4, mpReach(1, 4, prefix(24, v4(10, 8, 8)))), {})));
    b += bgp4mpRecord(messageLocal, bgpMessage(2, update({}, attributes(path({64496, 64496, 3356}), 2), two)));
    b += bgp4mpRecord(messageAS4Local, bgpMessage(2, update({}, attributes(path({64496, 196615}), 4), two)));
    // ADD-PATH: a path identifier before every prefix, in NLRI and MP_REACH_NLRI.
    b += bgp4mpRecord(messageAddPath, bgpMessage(2, update({}, attributes(path({3356, 2914}), 2), addPathTwo)));
    b += bgp4mpRecord(messageAS4AddPath,
                      bgpMessage(2, update(prefix(8, v4(12, 0), 9), attributes(path({196615, 2914}), 4,
                                                    mpReach(2, 1, prefix(32, v6(0x2001, 0xdb8), 3))),
                                           addPathTwo)));
    b += bgp4mpRecord(messageLocalAddPath, bgpMessage(2, update({}, attributes(path({64496, 1}), 2), addPathTwo)));
    b += bgp4mpRecord(messageAS4LocalAddPath, bgpMessage(2, update({}, attributes(path({64496, 2}), 4), addPathTwo)));
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes(path({196615, 3257, 3257}), 4), two)), 1, true);
    // Sets, confederations, prepending across segments, an empty path, none at all.
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes({{asSequence, {1299, 3356}}, {asSet, {7, 8}}}, 4), two)));
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes({{confedSequence, {65001}}, {asSequence, {1299}}}, 4), two)));
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes({{asSequence, {1, 2}}, {asSequence, {2, 3}}}, 4), two)));
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attributes({}, 4), two)));
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update({}, attribute(0x40, 1, Bytes(1, '\0')), two)));
    // No route: withdrawals alone, a KEEPALIVE.
    b += bgp4mpRecord(messageAS4, bgpMessage(2, update(two, {}, {})));
    b += bgp4mpRecord(messageAS4, bgpMessage(4, {}));
    return b;
}

// The BGP records of 1999-2000: NLRI counts, MP_REACH_NLRI does not.
inline Bytes oldSample()
{
    Bytes state;
    put16(state, 3333), state += v4(193, 0, 0, 56), put16(state, 1), put16(state, 6);
    return oldBGPUpdate(update({}, attributes(path({3333, 286, 286, 701}), 2), prefix(16, v4(148, 186)) + prefix(24, v4(192, 0, 2)))) +
           record(bgp, 3, state) +
           oldBGPUpdate(update({}, attributes(path({3333, 1}), 2, mpReach(2, 1, prefix(32, v6(0x2001, 0xdb8)))), prefix(8, v4(10, 0)))) +
           oldBGPUpdate(update(prefix(8, v4(10, 0)), {}, {}));
}

} // namespace sample

// The sample of KIND, or nothing for a kind there is not.
inline std::string mrtSample(const std::string &kind)
{
    if (kind == "rib")
        return sample::ribSample();
    if (kind == "tabledump")
        return sample::tableDumpSample();
    if (kind == "updates")
        return sample::updateSample();
    if (kind == "old")
        return sample::oldSample();
    return {};
}

#endif
