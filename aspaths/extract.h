// The work of aspaths on one route record.
#ifndef EXTRACT_H
#define EXTRACT_H

#include <cstddef>
#include <string_view>

// The field of a route record that holds the AS path: the seventh of its
// "|"-separated fields.
constexpr int pathField = 7;

// Returns the path field of LINE, cut short at its first "[": the text after
// the sixth "|" up to the next "|" or the end of the line. A record with
// fewer than six "|" has no path field; its result is empty.
std::string_view getASPATH(std::string_view line);

// Writes the AS path line of the route record LINE at OUT and returns the
// position after it: the ASNs of its path field in decimal, one blank between
// them, a repeat of the ASN just written left out, and a newline. Reading the
// field stops at its first failed read, so a field with no readable first
// number gives an empty line. OUT must have room for pathLineRoom(LINE.size())
// characters.
char *writePathLine(char *out, std::string_view line);

// Room for the AS path line of a record of SIZE characters: a number is never
// longer than its text, nor a blank than the character before a number, and
// a few bytes more let short numbers be copied a word at a time.
constexpr std::size_t pathLineRoom(std::size_t size) { return 2 * size + 1 + 8; }

#endif
