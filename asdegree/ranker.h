// The work of asdegree around the adjacency table: a path line into pairs,
// and the report of the ASes of highest degree.
#ifndef RANKER_H
#define RANKER_H

#include <cstddef>
#include <string>
#include <vector>

// The most lines the report holds unless asked for another number.
constexpr std::size_t reportSize = 10;

// The path line read last, kept so that the next can skip the pairs they
// share.
struct KeptLine {
    std::vector<char> text; // its bytes, in the first SIZE of TEXT
    std::size_t size = 0;
    bool recorded = false;  // every pair of it is in the table
};

// Records every pair of neighbouring ASNs on the path line [BEGIN, END).
// Reading the line stops at its end or at its first failed read.
//
// The lines of a table come grouped by prefix, and the paths to one prefix
// end alike: a line whose tail (from a number on) is the tail of LAST, if
// LAST was recorded whole, needs no pair of that tail but its first, so its
// reading stops there. LAST is then set to this line.
void readPathLine(const char *begin, const char *end, KeptLine &last);

// Appends to OUT one line "ASN: degree" for each of the TOP entries of
// highest degree in the compacted table (all of them if TOP is 0, or if the
// table holds fewer), best first, ties to the smaller ASN.
void appendReport(std::string &out, std::size_t top = reportSize);

// Appends to OUT every distinct link of the compacted table once, "A B"
// with A <= B, sorted by A and then B: path lines that give the same
// table, so that reports over many inputs can be merged.
void appendLinks(std::string &out);

#endif
