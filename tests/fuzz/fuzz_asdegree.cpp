// asdegree's per-line work into the table: every pair recorded in both
// directions, each list within its bound after every line, asindex in step
// with asv, and the degrees after compaction those of the plain version.
// An input whose first byte is '*' is read 3000 times over, so that lists
// pass the compaction threshold.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "adjacency.h"
#include "ranker.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const int rounds = !input.empty() && input[0] == '*' ? 3000 : 1;
    const std::vector<std::string> lines = referenceLines(input);
    clearTable();
    KeptLine last;
    std::map<ASN, std::set<ASN>> graph;
    for (int round = 0; round < rounds; ++round) {
        for (const std::string &line : lines) {
            readPathLine(line.data(), line.data() + line.size(), last);
            if (round == 0)
                referencePairs(line, graph);
            if (asv.size() != graph.size() || asindex.size() != graph.size())
                std::abort();
            for (std::size_t slot = 0; slot != asv.size(); ++slot) {
                const auto &[as, list] = asv[slot];
                auto it = graph.find(as);
                if (it == graph.end() || asindex.at(as) != std::int32_t(slot) ||
                    list.size() > std::max<std::size_t>(compactThreshold, 2 * it->second.size()))
                    std::abort();
            }
        }
    }
    compactAll();
    for (const auto &[as, list] : asv)
        if (std::set<ASN>(list.begin(), list.end()) != graph.at(as) || list.size() != graph.at(as).size() ||
            !std::is_sorted(list.begin(), list.end()))
            std::abort();
    return 0;
}
