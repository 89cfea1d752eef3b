// Writes a small MRT dump of one kind to standard output, with every case
// of that kind that matters to the path lines: mrt_sample rib | tabledump |
// updates | old. The tests read them directly and through a real MRT
// converter; the fuzz seeds are made from them.
#include <cstdio>
#include <cstring>
#include <string>

#include "mrt_sample.h"

int main(int argc, char **argv)
{
    const std::string dump = argc == 2 ? mrtSample(argv[1]) : std::string();
    if (dump.empty()) {
        std::fprintf(stderr, "usage: mrt_sample rib|tabledump|updates|old\n");
        return 2;
    }
    std::fwrite(dump.data(), 1, dump.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
