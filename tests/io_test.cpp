// Both programs when standard input cannot be read or standard output cannot
// be written: one line on standard error and status 1, never a report of
// success; and quiet when the reader downstream goes away.
#include <string>

#include <gtest/gtest.h>

#include "run.h"

namespace {

struct Case {
    const char *program;
    std::string input;
    Input in;
    Output out;
    int status;
    std::string err;
};

TEST(Io, FailuresAreReported)
{
    const std::string path = "1 2\n", record = "a|b|c|d|e|f|1 2\n";
    const Case cases[] = {
        // A read error is not the end of input: no report.
        {ASDEGREE_BIN, "", Input::Directory, Output::Capture, 1, "asdegree: standard input: Is a directory\n"},
        {ASPATHS_BIN, "", Input::Directory, Output::Capture, 1, "aspaths: standard input: Is a directory\n"},
        // A full disk, a closed descriptor.
        {ASDEGREE_BIN, path, Input::File, Output::DevFull, 1, "asdegree: write error: No space left on device\n"},
        {ASDEGREE_BIN, path, Input::File, Output::Closed, 1, "asdegree: write error: Bad file descriptor\n"},
        {ASPATHS_BIN, record, Input::File, Output::DevFull, 1, "aspaths: write error: No space left on device\n"},
        {ASPATHS_BIN, record, Input::File, Output::Closed, 1, "aspaths: write error: Bad file descriptor\n"},
        // Nothing to write, nothing fails.
        {ASDEGREE_BIN, "", Input::File, Output::DevFull, 0, ""},
        {ASPATHS_BIN, "", Input::File, Output::DevFull, 0, ""},
    };
    for (const Case &c : cases) {
        RunResult r = runTool(c.program, c.input, c.in, c.out);
        EXPECT_EQ(r.status, c.status) << c.program << " " << c.err;
        EXPECT_EQ(r.err, c.err) << c.program;
        if (c.out == Output::Capture) {
            EXPECT_EQ(r.out, "") << c.program;
        }
    }
}

TEST(Io, ReaderGoneEndsQuietly)
{
    // The reader has gone before the output is written, with SIGPIPE as
    // inherited and with SIGPIPE ignored: either way no message. head takes
    // one line of aspaths' and then leaves; asdegree's reader takes nothing.
    const std::string records = "{ sleep 0.3; seq 100000 | sed 's/.*/a|b|c|d|e|f|1 2 3/'; } 2>/dev/null | ";
    for (const char *trap : {"", "trap '' PIPE; "}) {
        RunResult paths = runShell(std::string("(") + trap + records + ASPATHS_BIN " | head -n 1) 2>&1");
        EXPECT_EQ(paths.out, "1 2 3\n") << trap;
        RunResult report =
            runShell(std::string("(") + trap + "{ sleep 0.3; echo 1 2; } | " ASDEGREE_BIN " | true) 2>&1");
        EXPECT_EQ(report.out, "") << trap;
    }
}

#ifndef ASPATHS_SANITIZED // the sanitizers need far more address space
// Memory that runs out is said in one line, with status 1, not an abort.
TEST(Io, OutOfMemoryIsReported)
{
    const std::string limit = "ulimit -v 150000; ";
    const RunResult table =
        runShell(limit + "seq 1 3000000 | awk '{print $1, $1 + 1}' | " ASDEGREE_BIN " 2>&1; echo status $?");
    EXPECT_EQ(table.out, "asdegree: out of memory\nstatus 1\n");
    const RunResult line =
        runShell(limit + "head -c 300000000 /dev/zero | tr '\\0' 1 | " ASPATHS_BIN " 2>&1; echo status $?");
    EXPECT_EQ(line.out, "aspaths: out of memory\nstatus 1\n");
}
#endif

} // namespace
