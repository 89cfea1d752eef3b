// The adjacency table: for every AS seen in a pair, the ASes recorded as its
// neighbours. It is the whole state of asdegree.
#ifndef ADJACENCY_H
#define ADJACENCY_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "asn.h"

// An entry: an AS and its neighbour list. Between compactions the list is
// unsorted and may repeat an ASN; right after one it is sorted (signed order)
// and holds each ASN once.
using Entry = std::pair<ASN, std::vector<ASN>>;

// All entries, in order of first sight: the first AS given an entry has
// slot 0, the next slot 1, and so on.
extern std::vector<Entry> asv;

// The hash of an ASN in asindex: keyed by a number drawn when the process
// starts, so that no input can be built to pile its ASes into one bucket
// (with the identity hash, multiples of the bucket count all collide).
std::size_t hashASN(ASN as) noexcept;

// Maps every AS that has an entry to its slot. Kept only while input is
// read: once entries are removed, its slots are stale and it is not read.
extern std::unordered_map<ASN, std::int32_t, std::size_t (*)(ASN) noexcept> asindex;

// A list is compacted once it holds more than this many elements, or more
// than twice its length right after its previous compaction if that is more.
constexpr std::size_t compactThreshold = 5000;

// Records NEIGHBOR as a neighbour of AS, in this one direction. On return the
// list touched holds at most max(5000, 2 * its distinct neighbours) elements.
void insertNeighbor(ASN as, ASN neighbor);

// Records A and B as neighbours of each other: (A, B), then (B, A).
void insertOnePair(ASN a, ASN b);

// Records A and B as neighbours of each other, through insertOnePair,
// unless the link between them has been recorded before. A full table
// names the same link over and over (a hundred times and more on average):
// the links recorded so far are kept in a set of their own, up to
// knownLinksCap of them, and a repeat costs one look there. Once the set is
// full, every link is passed on as it comes; the lists' compaction drops
// repeats, so the result is the same.
void recordLink(ASN a, ASN b);

// The most links the set in front of the table holds: 64 MiB of it.
constexpr std::size_t knownLinksCap = std::size_t(1) << 22;

// Sorts LIST in signed order and removes repeated ASNs in place. Its first
// SORTED elements must already be sorted and free of repeats.
void compactList(std::vector<ASN> &list, std::size_t sorted = 0);

// Compacts every list, so that each list's length is its AS's degree.
void compactAll();

// Removes the entry at SLOT; later entries move down one slot, in order.
void removeEntry(std::size_t slot);

// Empties the table, and the set of links in front of it.
void clearTable();

#endif
