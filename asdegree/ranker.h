// The work of asdegree around the adjacency table: a path line into pairs,
// and the report of the ASes of highest degree.
#ifndef RANKER_H
#define RANKER_H

#include <cstddef>
#include <string>

// The most lines the report holds unless asked for another number.
constexpr std::size_t reportSize = 10;

// Records every pair of neighbouring ASNs on the path line [BEGIN, END).
// Reading the line stops at its end or at its first failed read.
void readPathLine(const char *begin, const char *end);

// Appends to OUT one line "ASN: degree" for each of the TOP entries of
// highest degree in the compacted table (all of them if TOP is 0, or if the
// table holds fewer), best first, ties to the smaller ASN.
void appendReport(std::string &out, std::size_t top = reportSize);

// Appends to OUT every distinct link of the compacted table once, "A B"
// with A <= B, sorted by A and then B: path lines that give the same
// table, so that reports over many inputs can be merged.
void appendLinks(std::string &out);

#endif
