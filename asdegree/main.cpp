// asdegree: reads AS path lines and prints the ASes with the most distinct
// neighbours (ten unless asked for another number), "ASN: degree", best
// first, ties to the smaller ASN; or, with --links, every distinct link.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include "adjacency.h"
#include "input.h"
#include "io.h"
#include "options.h"
#include "ranker.h"

// The neighbour lists are many and each append touches one at random.
// Where the system gives transparent huge pages only on request, ask for
// them on the heap that holds the lists: most page faults and TLB misses go
// away (a fifth of the time on a full table). Nothing else changes, and
// where this cannot be done nothing happens.
static void adviseHugePages()
{
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 33) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t reach = std::uintptr_t(1) << 30;
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    // Grow the heap by a gigabyte of address space once (memory is taken
    // only when touched), keep it, and let large lists live there too.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    mallopt(M_TOP_PAD, static_cast<int>(reach));
    void *block = std::malloc(1 << 20);
    mallopt(M_TOP_PAD, 128 * 1024); // later growth as usual, so limits hold
    if (block != nullptr && mallinfo2().arena >= reach) { // glibc's own heap
        const auto at = reinterpret_cast<std::uintptr_t>(block);
        const std::uintptr_t from = (at + hugePage - 1) & ~(hugePage - 1);
        const std::uintptr_t to = (at + reach) & ~(hugePage - 1);
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
    }
    std::free(block);
#endif
}

const char *programName = "asdegree";

namespace {

const char usageText[] =
    "Usage: asdegree [OPTION]... [FILE]...\n"
    "Print the ASes with the most distinct neighbours in the AS path lines of the\n"
    "FILEs, \"ASN: degree\", best first, ties to the smaller ASN.\n"
    "\n"
    "Every two numbers next to each other on a line are neighbours. The FILEs may\n"
    "be gzip'd or bzip2'd, and are read in order; with no FILE, or when FILE is -,\n"
    "standard input. A FILE that cannot be read gives no report.\n"
    "\n"
    "  -n, --top=N    print the N best (default 10); 0 prints every AS\n"
    "      --links    print every distinct link once instead, \"A B\" with A <= B,\n"
    "                 sorted: path lines that merge, so that asdegree over the\n"
    "                 links of many inputs reports what it would over them all\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Exit status: 0 if all went well; 1 if an input could not be read, or memory\n"
    "or writing failed; 2 for a wrong option.\n";

// The value of -n: a whole number, 0 or more.
std::size_t topValue(const char *text)
{
    char *end = nullptr;
    errno = 0;
    const unsigned long long n = std::strtoull(text, &end, 10);
    if (*text < '0' || *text > '9' || *end != '\0' || errno == ERANGE || n > SIZE_MAX)
        usageError(std::string("invalid number of ASes: '") + text + "'");
    return static_cast<std::size_t>(n);
}

// Reads the path lines of the operand NAME into the table. False, having
// said why, if it cannot be read whole.
bool readOperand(const std::string &name, KeptLine &last)
{
    Input in;
    bool ok = openInput(in, name, true);
    if (ok && in.content == Content::MRT) {
        in.error = "an MRT dump: asdegree reads AS path lines (aspaths makes them)";
        ok = false;
    }
    if (ok)
        ok = forEachLine(in, [&](const char *begin, const char *end) { readPathLine(begin, end, last); }, [] {});
    if (!ok)
        inputFailure(in);
    closeInput(in);
    return ok;
}

int run(int argc, char **argv)
{
    static const option longOptions[] = {
        {"top", required_argument, nullptr, 'n'},
        {"links", no_argument, nullptr, optionLinks},
        {"help", no_argument, nullptr, optionHelp},
        {"version", no_argument, nullptr, optionVersion},
        {nullptr, 0, nullptr, 0},
    };
    std::size_t top = reportSize;
    bool links = false;
    opterr = 0;
    for (int c; (c = getopt_long(argc, argv, ":n:", longOptions, nullptr)) != -1;) {
        switch (c) {
        case 'n':
            top = topValue(optarg);
            break;
        case optionLinks:
            links = true;
            break;
        case optionHelp:
            printAndExit(usageText);
        case optionVersion:
            printVersion();
        default:
            badOption(c, argv);
        }
    }
    adviseHugePages();
    asindex.reserve(1 << 17); // a full table holds some 80,000 ASes
    KeptLine last;
    for (const std::string &name : operandsOf(argc, argv))
        if (!readOperand(name, last))
            return 1; // a ranking that misses an input is wrong: none
    compactAll();
    std::string out;
    if (links)
        appendLinks(out);
    else
        appendReport(out, top);
    writeOut(out.data(), out.size());
    // The table dies with the process: freeing its lists one by one would
    // only cost time (seconds, for millions of ASes).
    std::_Exit(0);
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "%s: out of memory\n", programName);
        return 1;
    }
}
