// aspaths: reads BGP routes, as text route records (one per line) or as
// binary MRT dumps, gzip'd, bzip2'd or not, and writes the AS path of each
// route as a line of AS numbers, prepending collapsed, cut at the first "[".
//
// Every line made is written before aspaths next waits for input, so a reader
// downstream sees each path as soon as its record is in; the lines made from
// one block of input go out together in one write.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "extract.h"
#include "input.h"
#include "io.h"
#include "mrt.h"
#include "options.h"
#include "output.h"

const char *programName = "aspaths";

namespace {

const char usageText[] =
    "Usage: aspaths [OPTION]... [FILE]...\n"
    "Write the AS path of every BGP route in the FILEs as a line of AS numbers,\n"
    "prepending written once, the path ending at its first AS set, confederation\n"
    "segment or number above 2147483647.\n"
    "\n"
    "A FILE holds binary MRT dumps (TABLE_DUMP, TABLE_DUMP_V2, BGP4MP, BGP4MP_ET)\n"
    "or text route records, one per line with the path in the 7th \"|\"-separated\n"
    "field, as 'bgpdump -m' prints them; either may be gzip'd or bzip2'd. The\n"
    "FILEs are read in order; with no FILE, or when FILE is -, standard input.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Exit status: 0 if all went well; 1 if an input could not be read or was\n"
    "damaged (all its sound routes are still written); 2 for a wrong option.\n";

// Writes the path lines of the text route records of IN. False if reading
// failed.
bool textPaths(Input &in, PathOutput &out)
{
    auto onLine = [&](const char *begin, const char *end) {
        const std::size_t size = end - begin;
        char *at = roomFor(out, pathLineRoom(size));
        out.used += writePathLine(at, {begin, size}) - at;
    };
    return forEachLine(in, onLine, [&] { flushPaths(out); });
}

// Writes the path lines of the operand NAME. False if anything failed.
bool operandPaths(const std::string &name, PathOutput &out)
{
    Input in;
    bool ok = openInput(in, name, true);
    if (ok && in.content == Content::MRT) {
        MRTState state;
        ok = readMRT(in, state, out);
        flushPaths(out);
        if (!ok)
            inputFailure(in);
        if (state.skipped != 0) {
            std::fprintf(stderr, "%s: %s: skipped %llu malformed MRT record%s, the first at byte %llu\n",
                         programName, in.name.c_str(), static_cast<unsigned long long>(state.skipped),
                         state.skipped == 1 ? "" : "s",
                         static_cast<unsigned long long>(state.firstSkipped));
            ok = false;
        }
    } else {
        if (ok)
            ok = textPaths(in, out);
        flushPaths(out);
        if (!ok)
            inputFailure(in);
    }
    closeInput(in);
    return ok;
}

int run(int argc, char **argv)
{
    static const option longOptions[] = {
        {"help", no_argument, nullptr, optionHelp},
        {"version", no_argument, nullptr, optionVersion},
        {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    for (int c; (c = getopt_long(argc, argv, ":", longOptions, nullptr)) != -1;) {
        switch (c) {
        case optionHelp:
            printAndExit(usageText);
        case optionVersion:
            printVersion();
        default:
            badOption(c, argv);
        }
    }
    const std::vector<std::string> operands = operandsOf(argc, argv);
    PathOutput out;
    bool ok = true;
    for (const std::string &name : operands)
        ok = operandPaths(name, out) && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    return runReportingMemory(run, argc, argv);
}
