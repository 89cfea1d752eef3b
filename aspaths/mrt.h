// The work of aspaths on binary MRT dumps: every route a record carries
// becomes the AS path line that the text of that route (as an MRT converter
// prints it, one line per route) would give.
//
// A route is one entry of a RIB record (TABLE_DUMP, and TABLE_DUMP_V2
// RIB_IPV4_UNICAST, RIB_IPV6_UNICAST and their ADD-PATH forms) or one
// prefix announced by a BGP UPDATE (BGP4MP and BGP4MP_ET messages, in the
// NLRI or in MP_REACH_NLRI for IPv4 and IPv6 unicast and multicast, and the
// 1999-2000 BGP records, in the NLRI). The path is AS_PATH, merged with
// AS4_PATH on 2-byte sessions as RFC 6793 says and the converter does; it
// ends at the first segment that is not an AS_SEQUENCE or at the first ASN
// above 2147483647, and repeats back to back are written once.
#ifndef MRT_H
#define MRT_H

#include <cstddef>
#include <cstdint>

#include "input.h"
#include "output.h"

// What one MRT input has shown so far.
struct MRTState {
    std::uint32_t peerCount = 0;     // peers in the last PEER_INDEX_TABLE
    std::uint64_t skipped = 0;       // malformed records passed over
    std::uint64_t firstSkipped = 0;  // the byte offset of the first of them
};

// The header of an MRT record is this long; its body length follows at 8.
constexpr std::size_t mrtHeader = 12;

// True if records of TYPE and SUBTYPE can carry routes (or the peer table
// that RIB entries refer to); others are passed over unread.
bool carriesRoutes(unsigned type, unsigned subtype);

// Writes the path lines of the routes in the record [REC, REC + SIZE),
// header included, to OUT. Returns false, having written nothing, if the
// record contradicts itself: a length that runs past what holds it, a
// prefix longer than its address, a peer index the peer table lacks.
bool recordPaths(MRTState &state, const unsigned char *rec, std::size_t size, PathOutput &out);

// Reads the MRT records of IN to its end and writes their path lines to
// OUT, flushing OUT before every read. Records found malformed are counted
// in STATE and passed over. Returns false, with IN.error set, if reading
// fails or the input ends inside a record.
bool readMRT(Input &in, MRTState &state, PathOutput &out);

#endif
