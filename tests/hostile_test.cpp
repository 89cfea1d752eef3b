// Input built to hurt: binary noise, huge lines, huge neighbour lists, the
// edges of the number range. Every case checks the exact result.
#include <algorithm>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "reference.h"
#include "run.h"

namespace {

TEST(Hostile, BinaryNoiseGivesOneLinePerRecord)
{
    std::mt19937 rng(5);
    std::string input;
    static const char alphabet[] = "|||||| 0123456789+-[{x\t\r\n";
    for (int i = 0; i < 2000000; ++i)
        input += rng() % 4 == 0 ? char(rng()) : alphabet[rng() % (sizeof alphabet - 1)];
    input[1000] = '\0';
    std::string expected;
    std::size_t records = 0;
    for (const std::string &record : referenceLines(input))
        expected += referencePathLine(record), ++records;
    RunResult r = runTool(ASPATHS_BIN, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::size_t(std::count(r.out.begin(), r.out.end(), '\n')), records);
    EXPECT_EQ(r.out, expected);

    // The same noise as path lines: asdegree reads what it can, quietly.
    RunResult d = runTool(ASDEGREE_BIN, input);
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(d.err, "");
}

// One line of 200 MB without a newline, through each program.
TEST(Hostile, HugeLineWithoutNewline)
{
    const int count = 20000000; // numbers 0 to 999 over and over, prepended
    std::string line = "a|b|c|d|e|f|", expected;
    line.reserve(12 + count * 10);
    expected.reserve(count * 5);
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i % 1000);
        line += n + ' ' + n + ' ';
        expected += n + (i + 1 < count ? " " : "\n");
    }
    RunResult paths = runTool(ASPATHS_BIN, line);
    EXPECT_EQ(paths.status, 0);
    EXPECT_TRUE(paths.out == expected) << "output of " << paths.out.size() << " bytes differs";

    // As a path line: each of 0 to 999 neighbours the one before and after
    // it in the cycle; 0 also neighbours 999.
    RunResult report = runTool(ASDEGREE_BIN, expected.substr(0, expected.size() - 1));
    EXPECT_EQ(report.out, "0: 2\n1: 2\n2: 2\n3: 2\n4: 2\n5: 2\n6: 2\n7: 2\n8: 2\n9: 2\n");
}

// One AS with 10 million distinct neighbours, each seen twice.
TEST(Hostile, TenMillionNeighbours)
{
    std::string input;
    input.reserve(250000000);
    for (int round = 0; round < 2; ++round)
        for (int i = 2; i <= 10000001; ++i)
            input += "1 " + std::to_string(round ? 10000003 - i : i) + '\n';
    RunResult r = runTool(ASDEGREE_BIN, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1: 10000000\n2: 1\n3: 1\n4: 1\n5: 1\n6: 1\n7: 1\n8: 1\n9: 1\n10: 1\n");
#ifndef ASPATHS_SANITIZED
    // The hub's list holds at most twice its distinct neighbours (80 MB);
    // most of the rest is an entry, a list and an index node for each of the
    // 10 million other ASes.
    RecordProperty("peak_kib", std::to_string(r.peakKiB));
    EXPECT_LT(r.peakKiB, 2L * 1024 * 1024) << "peak " << r.peakKiB << " KiB";
#endif
}

TEST(Hostile, NumberLimitsAndLeadingZeros)
{
    const std::string zeros(5000, '0');
    const std::string input =
        "a|b|c|d|e|f|" + zeros + "2147483647 -" + zeros + "2147483648 +" + zeros + " " + zeros + "2147483648 1\n" +
        "a|b|c|d|e|f|-2147483649 1\n" + "a|b|c|d|e|f|1 " + zeros + "99999999999\n";
    RunResult r = runTool(ASPATHS_BIN, input);
    EXPECT_EQ(r.out, "2147483647 -2147483648 0\n\n1\n");
    RunResult d = runTool(ASDEGREE_BIN, r.out);
    EXPECT_EQ(d.out, "-2147483648: 2\n0: 1\n2147483647: 1\n");
}

TEST(Hostile, OnlyWhiteSpaceOrNewlines)
{
    const std::string newlines(1000000, '\n');
    EXPECT_EQ(runTool(ASPATHS_BIN, newlines).out, newlines);
    EXPECT_EQ(runTool(ASDEGREE_BIN, newlines).out, "");
    const std::string blank = " \t\r\v\f \n \t\n||||||   \t\n";
    EXPECT_EQ(runTool(ASPATHS_BIN, blank).out, "\n\n\n");
    EXPECT_EQ(runTool(ASDEGREE_BIN, blank).out, "");
}

} // namespace
