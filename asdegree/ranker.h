// The work of asdegree around the adjacency table: a path line into pairs,
// and the report of the ASes of highest degree.
#ifndef RANKER_H
#define RANKER_H

#include <cstddef>
#include <string>

// The most lines the report holds.
constexpr std::size_t reportSize = 10;

// Records every pair of neighbouring ASNs on the path line [BEGIN, END).
// Reading the line stops at its end or at its first failed read.
void readPathLine(const char *begin, const char *end);

// Selects up to reportSize entries of highest degree from the compacted
// table, ties to the smaller ASN, removing each from the table, and appends
// one line "ASN: degree" for each to OUT.
void appendReport(std::string &out);

#endif
