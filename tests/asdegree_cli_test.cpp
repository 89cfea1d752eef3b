// asdegree end to end: path lines in, the exact report out.
#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

struct Case {
    const char *name;
    std::string input;
    std::string report;
};

std::string numbers(int from, int to)
{
    std::string s;
    for (int i = from; i <= to; ++i)
        s += std::to_string(i) + ' ';
    return s;
}

TEST(Asdegree, Reports)
{
    const Case cases[] = {
        {"pairs span no lines", "1 2 3\n3 4\n", "2: 2\n3: 2\n1: 1\n4: 1\n"},
        {"a neighbour counts once", "1 2\n2 1\n1 2\n", "1: 1\n2: 1\n"},
        {"own neighbour", "8 8\n", "8: 1\n"},
        {"own neighbour and another", "8 8 9\n", "8: 2\n9: 1\n"},
        {"a letter token ends the line", "1 2 x 3\n", "1: 1\n2: 1\n"},
        {"a line starting with a letter", "x 1 2\n", ""},
        {"a number glued to a letter", "1 2 5x 3\n", "2: 2\n1: 1\n5: 1\n"},
        {"out of range ends the line", "1 2 2147483648 4\n", "1: 1\n2: 1\n"},
        {"signed ties", "-1 5 7\n", "5: 2\n-1: 1\n7: 1\n"},
        {"ten of twelve", numbers(1, 12) + "1\n",
         "1: 2\n2: 2\n3: 2\n4: 2\n5: 2\n6: 2\n7: 2\n8: 2\n9: 2\n10: 2\n"},
        {"one number", "5\n", ""},
        {"empty input", "", ""},
        {"only newlines", "\n\n\n\n", ""},
        {"only white space", " \t \r\n\v\f\n", ""},
        {"empty line between", "1 2\n\n2 3\n", "2: 2\n1: 1\n3: 1\n"},
        {"no final newline", "1 2\n2 3", "2: 2\n1: 1\n3: 1\n"},
        {"carriage returns", "1 2\r\n2 3\r\n", "2: 2\n1: 1\n3: 1\n"},
        {"tabs and signs", "\t+1\t\t-2  0003\n", "-2: 2\n1: 1\n3: 1\n"},
        {"NUL ends the line", std::string("1 2\0 3\n4 5\n", 11), "1: 1\n2: 1\n4: 1\n5: 1\n"},
        {"32-bit limits", "2147483647 -2147483648 00000000000000002147483647\n",
         "-2147483648: 1\n2147483647: 1\n"},
        {"AS 0", "0 1\n", "0: 1\n1: 1\n"},
        // Lines that end alike, and lines that only seem to.
        {"lines ending alike", "1 2 3 4\n5 3 4\n6 3 4\n", "3: 4\n2: 2\n1: 1\n4: 1\n5: 1\n6: 1\n"},
        {"a tail after a line read in part", "1 2 x 3 4\n5 3 4\n", "3: 2\n1: 1\n2: 1\n4: 1\n5: 1\n"},
        {"a tail from inside a number", "12 3\n2 3\n", "3: 2\n2: 1\n12: 1\n"},
        {"a line again, then longer", "7 8 9\n7 8 9\n6 7 8 9\n", "7: 2\n8: 2\n6: 1\n9: 1\n"},
        {"a tail after a blank line", "1 2 3\n\n4 2 3\n", "2: 3\n1: 1\n3: 1\n4: 1\n"},
    };
    for (const Case &c : cases) {
        RunResult r = runTool(ASDEGREE_BIN, c.input);
        EXPECT_EQ(r.out, c.report) << c.name;
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.err, "") << c.name;
    }
}

TEST(Asdegree, HubWithManyNeighbours)
{
    // AS 1 meets 12,000 distinct neighbours, each many times over.
    std::string input;
    for (int round = 0; round < 5; ++round)
        for (int i = 2; i <= 12001; ++i)
            input += "1 " + std::to_string(i * 7 % 12000 + 2) + " 100000\n";
    RunResult r = runTool(ASDEGREE_BIN, input);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
              "1: 12000\n100000: 12000\n");
}

#ifndef ASPATHS_SANITIZED // the sanitizers need far more address space
// Less address space than the heap asdegree would like to reserve: it must
// do without, and still count right.
TEST(Asdegree, WorksUnderAddressSpaceLimit)
{
    const RunResult r = runShell("ulimit -v 200000; printf '1 2 3\\n3 4\\n' | " ASDEGREE_BIN);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2: 2\n3: 2\n1: 1\n4: 1\n");
}
#endif

// What a user can type: operands, options, and the status and messages each
// gives. "@A" and "@B" stand for files of path lines, "@Z" for A gzip'd,
// "@M" for an MRT dump.
TEST(Asdegree, Arguments)
{
    const std::string a = tempPath("a"), b = tempPath("b"), z = tempPath("z.gz"), m = tempPath("m");
    writeFile(a, "1 2 3\n");
    writeFile(b, "3 4\n5 5");
    ASSERT_EQ(runShell("gzip -c " + a + " > " + z + " && printf 'gY6\\340\\0\\20\\0\\0\\0\\0\\0\\0' > " + m).status, 0);
    const std::string top = "2: 2\n3: 2\n1: 1\n4: 1\n5: 1\n", tryHelp = "Try 'asdegree --help' for more information.\n";
    const std::vector<ArgCase> cases = {
        {{}, "1 2\n", "1: 1\n2: 1\n", "", 0},
        {{"@A", "@B"}, "", top, "", 0},
        {{"@A", "-", "@B"}, "2 3 4\n", top, "", 0},
        {{"@Z", "-"}, "3 4\n", "2: 2\n3: 2\n1: 1\n4: 1\n", "", 0},
        {{"-n", "2", "@A", "-"}, "2 3 4\n", "2: 2\n3: 2\n", "", 0},
        {{"--top=1", "-"}, "5 6\n", "5: 1\n", "", 0},
        {{"-n0", "-"}, "2 3 4\n1 2\n5 5 3\n", "3: 3\n2: 2\n5: 2\n1: 1\n4: 1\n", "", 0},
        {{"-n", "0"}, "", "", "", 0},
        {{"--links", "@A", "@B"}, "", "1 2\n2 3\n3 4\n5 5\n", "", 0},
        {{"--links", "-n", "1"}, "9 -1 9\n", "-1 9\n", "", 0},
        {{"--", "-n"}, "", "", "asdegree: -n: No such file or directory\n", 1},
        // A file that cannot be read: no report at all.
        {{"@A", "/nonexistent", "@B"}, "", "", "asdegree: /nonexistent: No such file or directory\n", 1},
        {{"@A", "/"}, "", "", "asdegree: /: Is a directory\n", 1},
        {{"@M"}, "", "", "asdegree: @M: an MRT dump: asdegree reads AS path lines (aspaths makes them)\n", 1},
        {{"--version"}, "", "asdegree (aspaths) " ASPATHS_VERSION "\n", "", 0},
        {{"-n", "-1"}, "", "", "asdegree: invalid number of ASes: '-1'\n" + tryHelp, 2},
        {{"-n", "1x"}, "", "", "asdegree: invalid number of ASes: '1x'\n" + tryHelp, 2},
        {{"--top="}, "", "", "asdegree: invalid number of ASes: ''\n" + tryHelp, 2},
        {{"-n", "99999999999999999999999"}, "", "", "asdegree: invalid number of ASes: '99999999999999999999999'\n" + tryHelp, 2},
        {{"-n"}, "", "", "asdegree: option requires an argument -- 'n'\n" + tryHelp, 2},
        {{"--top"}, "", "", "asdegree: option '--top' requires an argument\n" + tryHelp, 2},
        {{"--bogus"}, "", "", "asdegree: unrecognized option '--bogus'\n" + tryHelp, 2},
        {{"-x", "@A"}, "", "", "asdegree: invalid option -- 'x'\n" + tryHelp, 2},
        {{"--links=1"}, "", "", "asdegree: option '--links' doesn't allow an argument\n" + tryHelp, 2},
    };
    expectArguments(ASDEGREE_BIN, cases, {{"@A", a}, {"@B", b}, {"@Z", z}, {"@M", m}});
    const RunResult help = runArgs(ASDEGREE_BIN, {"--help", "--bogus"});
    EXPECT_EQ(help.out.rfind("Usage: asdegree [OPTION]... [FILE]...\n", 0), 0u);
    EXPECT_EQ(help.status, 0);
    for (const std::string &f : {a, b, z, m})
        removeFile(f);
}

// Every AS reported, from a table of many: in time that does not grow with
// the square of the ASes, and the same order as the ten best.
TEST(Asdegree, EveryASOfAManyASTable)
{
    std::string input;
    for (int i = 1; i <= 100000; ++i)
        input += std::to_string(i) + ' ' + std::to_string(i % 997 + 1) + '\n';
    const RunResult all = runArgs(ASDEGREE_BIN, {"-n", "0"}, input);
    const RunResult ten = runArgs(ASDEGREE_BIN, {}, input);
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 100000);
    EXPECT_EQ(all.out.compare(0, ten.out.size(), ten.out), 0);
    // Best first, ties to the smaller ASN, all the way down.
    long lastDegree = 1L << 40, lastAS = 0;
    std::istringstream lines(all.out);
    for (long as, degree; lines >> as && lines.ignore(1) >> degree;) {
        EXPECT_TRUE(degree < lastDegree || (degree == lastDegree && as > lastAS)) << as;
        lastDegree = degree, lastAS = as;
    }
}

// The links of several inputs, read together, rank as the inputs do.
TEST(Asdegree, LinksMergeToTheSameReport)
{
    std::string all;
    for (int i = 0; i < 3000; ++i)
        all += std::to_string(i % 50) + ' ' + std::to_string(i * 7 % 61) + ' ' + std::to_string(-(i % 13)) + '\n';
    const std::size_t half = all.find('\n', all.size() / 2) + 1;
    const RunResult first = runArgs(ASDEGREE_BIN, {"--links"}, all.substr(0, half));
    const RunResult second = runArgs(ASDEGREE_BIN, {"--links"}, all.substr(half));
    for (const char *top : {"10", "0"}) {
        const RunResult whole = runArgs(ASDEGREE_BIN, {"-n", top}, all);
        const RunResult merged = runArgs(ASDEGREE_BIN, {"-n", top}, first.out + second.out);
        EXPECT_EQ(merged.out, whole.out) << top;
        EXPECT_NE(whole.out, "");
    }
}

} // namespace
