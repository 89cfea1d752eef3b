// The real workflow: an MRT RIB dump, converted by bgpdump -m, through
// aspaths and asdegree. The dump encodes a known topology (see mrt_rib.cpp).
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "run.h"

namespace {

TEST(Interop, BgpdumpRibThroughBothPrograms)
{
    if (runShell("command -v bgpdump").status != 0) {
        if (std::getenv("CI") != nullptr)
            FAIL() << "bgpdump is not installed (Debian package bgpdump)";
        GTEST_SKIP() << "bgpdump is not installed (Debian package bgpdump)";
    }
    const std::string dump = "/tmp/aspaths-interop-" + std::to_string(getpid()) + ".mrt";
    ASSERT_EQ(runShell(MRT_RIB_BIN " > " + dump).status, 0);
    const RunResult text = runShell("bgpdump -q -m " + dump);
    ASSERT_EQ(text.status, 0);
    ASSERT_NE(text.out.find("TABLE_DUMP2|"), std::string::npos) << text.out;

    const RunResult paths = runTool(ASPATHS_BIN, text.out);
    EXPECT_EQ(paths.out,
              "3356 1299 65001\n"        // 10.0.0.0/8
              "174 1299 65001\n"         // prepending collapsed
              "196615 3356 1299 65001\n" // a 4-byte peer AS over IPv6
              "3356\n"                   // stops before 4200000001
              "174 2914 64500\n"
              "3356 7018\n"              // cut at the confederation set
              "174 3257\n"               // stops at the confederation sequence
              "\n"                       // a path that starts with one
              "174 6939 131072\n"        // the AS set ends the path
              "196615 6939 131072\n");

    const RunResult report = runTool(ASDEGREE_BIN, paths.out);
    EXPECT_EQ(report.out,
              "174: 4\n1299: 3\n3356: 3\n6939: 3\n2914: 2\n196615: 2\n"
              "3257: 1\n7018: 1\n64500: 1\n65001: 1\n");
    unlink(dump.c_str());
}

} // namespace
