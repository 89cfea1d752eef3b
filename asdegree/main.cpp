// asdegree: reads AS path lines and prints the ten ASes with the most
// distinct neighbours, "ASN: degree", best first, ties to the smaller ASN.
#include <string>

#include "adjacency.h"
#include "io.h"
#include "ranker.h"

int main()
{
    asindex.reserve(1 << 17); // a full table holds some 80,000 ASes
    int err = forEachLine(STDIN_FILENO, readPathLine, [] {});
    if (err != 0)
        ioFailure("asdegree", "read", err);
    compactAll();
    std::string report;
    appendReport(report);
    flushOut("asdegree", report);
    return 0;
}
