// What both programs do the same way with their command line: the messages
// for a wrong option, --help and --version, and the operands.
#ifndef OPTIONS_H
#define OPTIONS_H

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <getopt.h>

#include "io.h"

#ifndef ASPATHS_VERSION
#define ASPATHS_VERSION "unknown"
#endif

// getopt_long values of the options that have no short form: above every
// character, so that a message can tell them from a short option.
enum LongOnly { optionHelp = 256, optionVersion, optionLinks };

// Writes TEXT to standard output and ends the program with status 0.
[[noreturn]] inline void printAndExit(const std::string &text)
{
    writeOut(text.data(), text.size());
    std::exit(0);
}

[[noreturn]] inline void printVersion()
{
    printAndExit(std::string(programName) + " (aspaths) " ASPATHS_VERSION "\n");
}

// Says WHAT is wrong on the command line, points to --help, and ends the
// program with status 2.
[[noreturn]] inline void usageError(const std::string &what)
{
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", programName,
                 what.c_str(), programName);
    std::exit(2);
}

// Says what is wrong with the option that getopt_long (opterr off, ":"
// first in the short options) has just refused with RESULT.
[[noreturn]] inline void badOption(int result, char **argv)
{
    const std::string given = argv[optind - 1];
    const bool isLong = given.compare(0, 2, "--") == 0;
    if (result == ':')
        usageError(isLong ? "option '" + given + "' requires an argument"
                          : std::string("option requires an argument -- '") + char(optopt) + "'");
    if (optopt == 0)
        usageError("unrecognized option '" + given + "'");
    if (optopt >= 256)
        usageError("option '" + given.substr(0, given.find('=')) + "' doesn't allow an argument");
    usageError(std::string("invalid option -- '") + char(optopt) + "'");
}

// Runs RUN(ARGC, ARGV) and returns its status; memory that runs out ends
// it with one line and status 1, not an abort.
inline int runReportingMemory(int (*run)(int, char **), int argc, char **argv)
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "%s: out of memory\n", programName);
        return 1;
    }
}

// The operands after the options, or "-" (standard input) if there are none.
inline std::vector<std::string> operandsOf(int argc, char **argv)
{
    std::vector<std::string> operands(argv + optind, argv + argc);
    if (operands.empty())
        operands.push_back("-");
    return operands;
}

#endif
