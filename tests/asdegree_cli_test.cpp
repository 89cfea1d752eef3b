// asdegree end to end: path lines in, the exact report out.
#include <string>

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

} // namespace
