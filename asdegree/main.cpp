// asdegree: reads AS path lines and prints the ASes with the most distinct
// neighbours (ten unless asked for another number), "ASN: degree", best
// first, ties to the smaller ASN; or, with --links, every distinct link.
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "adjacency.h"
#include "input.h"
#include "io.h"
#include "options.h"
#include "platform.h"
#include "ranker.h"

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
    return runReportingMemory(run, argc, argv);
}
