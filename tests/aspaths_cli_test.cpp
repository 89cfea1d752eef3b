// aspaths end to end: route records in, AS path lines out, one per record.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "mrt_sample.h"
#include "run.h"

namespace {

struct Case {
    const char *name;
    std::string input;
    std::string output;
};

TEST(Aspaths, Records)
{
    const Case cases[] = {
        {"rib and update records",
         "TABLE_DUMP2|1277971199|B|202.249.2.169|2497|1.9.0.0/16|2497 2914 4788|IGP|202.249.2.169|0|0||NAG||\n"
         "BGP4MP|1279829701|A|193.203.0.97|286|196.12.134.0/24|286 3257 8513 21174 21174 21174|IGP|193.203.0.97|0|0|286:18|NAG||\n",
         "2497 2914 4788\n286 3257 8513 21174\n"},
        {"as set", "BGP|936348109|A|193.0.0.56|3333|148.186.0.0/16|3333 286 701 6499 {13408,5752}|INCOMPLETE|193.0.0.56|0|0|NAG||\n",
         "3333 286 701 6499\n"},
        {"withdrawal and state lines",
         "BGP4MP|1|W|1.2.3.4|3333|10.0.0.0/8\nBGP|936348099|STATE|193.0.0.56|3333|1|2\n", "\n2\n"},
        {"bracket in another field", "a[|b|c|d|e|f|1 2|[x\n", "1 2\n"},
        {"bracket in the path", "a|b|c|d|e|f|1 2 [3 4]|x\n", "1 2\n"},
        {"carriage return", "a|b|c|d|e|f|7 8 9\r\na|b|c|d|e|f|7 8|\r\n", "7 8 9\n7 8\n"},
        {"tabs and blanks", "a|b|c|d|e|f|\t1  2\t\t3 |\n", "1 2 3\n"},
        {"NUL in other fields", std::string("a\0|b|c|d|e|f|1 2|\0\n", 19), "1 2\n"},
        {"no final newline", "a|b|c|d|e|f|1 2\na|b|c|d|e|f|3 4", "1 2\n3 4\n"},
        {"empty lines", "\n\na|b|c|d|e|f|5 5 6\n\n", "\n\n5 6\n\n"},
        {"no path field", "a|b|c\n", "\n"},
        {"no readable first number", "a|b|c|d|e|f|x 1\na|b|c|d|e|f|9999999999 1\na|b|c|d|e|f| \n",
         "\n\n\n"},
        {"numbers rewritten", "a|b|c|d|e|f|007 +8 8 -5\n", "7 8 -5\n"},
        {"empty input", "", ""},
    };
    for (const Case &c : cases) {
        RunResult r = runTool(ASPATHS_BIN, c.input);
        EXPECT_EQ(r.out, c.output) << c.name;
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.err, "") << c.name;
    }
}

TEST(Aspaths, LineOfAnyLength)
{
    // A path of 300,000 ASNs, every one prepended once: far longer than a read.
    std::string path, expected;
    for (int i = 1; i <= 300000; ++i) {
        path += std::to_string(i) + ' ' + std::to_string(i) + ' ';
        expected += std::to_string(i) + (i < 300000 ? " " : "\n");
    }
    RunResult r = runTool(ASPATHS_BIN, "a|b|c|d|e|f|" + path + "|x\na|b|c|d|e|f|1 2\n");
    EXPECT_EQ(r.out, expected + "1 2\n");
}

// Waits up to SECONDS for FD to have data, then reads what is there.
std::string readWithin(int fd, int seconds)
{
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, seconds * 1000) != 1)
        return "(nothing within the time)";
    char buf[4096];
    ssize_t n = read(fd, buf, sizeof buf);
    return n > 0 ? std::string(buf, n) : "(end of output)";
}

TEST(Aspaths, EachLineDeliveredBeforeMoreInput)
{
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]), close(in[1]), close(out[0]), close(out[1]);
        execl(ASPATHS_BIN, ASPATHS_BIN, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    const std::string first = "a|b|c|d|e|f|1 1 2|x\n";
    ASSERT_EQ(write(in[1], first.data(), first.size()), ssize_t(first.size()));
    EXPECT_EQ(readWithin(out[0], 10), "1 2\n");
    // A record that arrives in two pieces, the second without a newline.
    ASSERT_EQ(write(in[1], "a|b|c|d|e|f|3", 13), 13);
    EXPECT_EQ(readWithin(out[0], 1), "(nothing within the time)");
    ASSERT_EQ(write(in[1], " 4", 2), 2);
    close(in[1]);
    EXPECT_EQ(readWithin(out[0], 10), "3 4\n");
    EXPECT_EQ(readWithin(out[0], 10), "(end of output)");
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0);
    close(out[0]);
}

TEST(Pipeline, BundledSample)
{
    RunResult r = runShell(ASPATHS_BIN " < " SAMPLE_FILE " | " ASDEGREE_BIN);
    RunResult expected = runShell("cat " SAMPLE_FILE ".top10");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(expected.out, "");
    EXPECT_EQ(r.out, expected.out);
}

// Both programs against the straightforward build, on a generated corpus.
TEST(Pipeline, SameAsStraightforwardBuild)
{
    const std::string corpus = "/tmp/aspaths-test-corpus-" + std::to_string(getpid());
    ASSERT_EQ(runShell(GEN_ROUTES_BIN " --records 300000 --seed 7 > " + corpus).status, 0);
    RunResult fast = runShell(ASPATHS_BIN " < " + corpus + " | tee " + corpus + ".fast | " ASDEGREE_BIN);
    RunResult base = runShell(BASELINE_ASPATHS_BIN " < " + corpus + " | tee " + corpus + ".base | " +
                              BASELINE_ASDEGREE_BIN);
    EXPECT_EQ(runShell("cmp " + corpus + ".fast " + corpus + ".base").status, 0);
    EXPECT_EQ(fast.out, base.out);
    EXPECT_EQ(std::count(fast.out.begin(), fast.out.end(), '\n'), 10);
    for (const char *suffix : {"", ".fast", ".base"})
        unlink((corpus + suffix).c_str());
}

// What a user can type. "@T" is a file of route records, "@Z" the same
// gzip'd, "@M" an MRT dump, "@C" an MRT dump cut short.
TEST(Aspaths, Arguments)
{
    const std::string t = tempPath("t"), z = tempPath("z.gz"), m = tempPath("m"), c = tempPath("c");
    writeFile(t, "a|b|c|d|e|f|1 1 2\n");
    ASSERT_EQ(runShell("gzip -c " + t + " > " + z).status, 0);
    const std::string dump = mrtSample("tabledump");
    writeFile(m, dump);
    writeFile(c, dump.substr(0, dump.size() - 3));
    const std::size_t lastAt = dump.size() - mrt::tableDumpRoute(2, 32, mrt::v6(0x2001, 0xdb8),
                                                                 mrt::attributes(sample::path({3356, 6939}), 2)).size();
    const std::string tryHelp = "Try 'aspaths --help' for more information.\n", mrtPaths = "3356 1299 65001\n3356 196615 4788\n3356 6939\n";
    const std::vector<ArgCase> cases = {
        {{}, "x|x|x|x|x|x|5 6\n", "5 6\n", "", 0},
        {{"-"}, "x|x|x|x|x|x|5 6\n", "5 6\n", "", 0},
        {{"@T", "-", "@Z"}, "x|x|x|x|x|x|5 6\n", "1 2\n5 6\n1 2\n", "", 0},
        {{"@M", "@T"}, "", mrtPaths + "1 2\n", "", 0},
        // A file that cannot be read is named, and the others are still read.
        {{"@T", "/nonexistent", "@T"}, "", "1 2\n1 2\n", "aspaths: /nonexistent: No such file or directory\n", 1},
        {{"/", "@T"}, "", "1 2\n", "aspaths: /: Is a directory\n", 1},
        {{"@C", "@T"}, "", "3356 1299 65001\n3356 196615 4788\n1 2\n",
         "aspaths: @C: cut short: the input ends inside the MRT record at byte " + std::to_string(lastAt) + "\n", 1},
        {{"--", "--help"}, "", "", "aspaths: --help: No such file or directory\n", 1},
        {{"--version"}, "", "aspaths (aspaths) " ASPATHS_VERSION "\n", "", 0},
        {{"--bogus"}, "", "", "aspaths: unrecognized option '--bogus'\n" + tryHelp, 2},
        {{"-n", "3"}, "", "", "aspaths: invalid option -- 'n'\n" + tryHelp, 2},
        {{"--version=2"}, "", "", "aspaths: option '--version' doesn't allow an argument\n" + tryHelp, 2},
    };
    expectArguments(ASPATHS_BIN, cases, {{"@T", t}, {"@Z", z}, {"@M", m}, {"@C", c}});
    const RunResult help = runArgs(ASPATHS_BIN, {"--help"});
    EXPECT_EQ(help.out.rfind("Usage: aspaths [OPTION]... [FILE]...\n", 0), 0u);
    EXPECT_EQ(help.status, 0);
    for (const std::string &f : {t, z, m, c})
        removeFile(f);
}

} // namespace
