// Plain, obviously right versions of the tools' work, built on the standard
// library's own formatted reading: what the fast code is checked against.
#ifndef REFERENCE_H
#define REFERENCE_H

#include <cstdint>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Reads int32_t values from S until the first failure: each value and the
// offset just after it.
inline std::vector<std::pair<std::int32_t, long>> streamReads(const std::string &s)
{
    std::vector<std::pair<std::int32_t, long>> got;
    std::istringstream in(s);
    std::int32_t v;
    while (in >> v)
        got.emplace_back(v, long(in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in)));
    return got;
}

// The path field of RECORD: after the sixth "|", to the next "|", cut at "[".
inline std::string referenceField(const std::string &record)
{
    std::size_t pos = 0;
    for (int i = 0; i < 6; ++i) {
        pos = record.find('|', pos);
        if (pos == std::string::npos)
            return "";
        ++pos;
    }
    std::string field = record.substr(pos, record.find('|', pos) - pos);
    return field.substr(0, field.find('['));
}

// The AS path line of RECORD, newline included.
inline std::string referencePathLine(const std::string &record)
{
    std::ostringstream out;
    bool first = true;
    std::int32_t last = 0;
    for (const auto &read : streamReads(referenceField(record))) {
        if (first || read.first != last)
            out << (first ? "" : " ") << read.first;
        last = read.first;
        first = false;
    }
    out << '\n';
    return out.str();
}

// The lines of TEXT as std::getline splits them.
inline std::vector<std::string> referenceLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Adds the neighbours that path line LINE makes to GRAPH.
inline void referencePairs(const std::string &line, std::map<std::int32_t, std::set<std::int32_t>> &graph)
{
    const auto reads = streamReads(line);
    for (std::size_t i = 1; i < reads.size(); ++i) {
        graph[reads[i - 1].first].insert(reads[i].first);
        graph[reads[i].first].insert(reads[i - 1].first);
    }
}

#endif
