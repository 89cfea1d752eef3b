// The real converter upstream: aspaths on an MRT dump gives the lines that
// the route through bgpdump -m gives (ADD-PATH identifier dropped, route
// lines kept), for every kind of dump, raw, gzip'd and bzip2'd.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "run.h"

namespace {

bool haveBgpdump()
{
    return runShell("command -v bgpdump > /dev/null").status == 0;
}

#define NEED_BGPDUMP()                                                                   \
    if (!haveBgpdump()) {                                                                \
        if (std::getenv("CI") != nullptr)                                                \
            FAIL() << "bgpdump is not installed (Debian package bgpdump)";               \
        GTEST_SKIP() << "bgpdump is not installed (Debian package bgpdump)";             \
    }

// The converter route, as the README gives it.
const std::string viaBgpdump =
    " | sed -E '/^[^|]*_AP\\|/ s/^(([^|]*\\|){6})[^|]*\\|/\\1/' | awk -F'|' '$3 == \"A\" || $3 == \"B\"' | " ASPATHS_BIN;

TEST(Interop, EveryKindAndFormAsTheConverterGives)
{
    NEED_BGPDUMP();
    const std::string dump = tempPath("dump");
    for (const char *kind : {"rib", "tabledump", "updates", "old"}) {
        ASSERT_EQ(runShell(MRT_SAMPLE_BIN " " + std::string(kind) + " > " + dump).status, 0);
        ASSERT_EQ(runShell("gzip -c " + dump + " > " + dump + ".gz && bzip2 -c " + dump + " > " + dump + ".bz2").status, 0);
        for (const char *suffix : {"", ".gz", ".bz2"}) {
            const std::string file = dump + suffix;
            const RunResult via = runShell("bgpdump -q -m " + file + viaBgpdump);
            const RunResult direct = runShell(ASPATHS_BIN " " + file);
            EXPECT_NE(via.out, "") << kind << suffix;
            EXPECT_EQ(direct.out, via.out) << kind << suffix;
            EXPECT_EQ(direct.status, 0) << kind << suffix;
        }
    }
    for (const char *suffix : {"", ".gz", ".bz2"})
        removeFile(dump + suffix);
}

TEST(Interop, RibToReport)
{
    NEED_BGPDUMP();
    const std::string dump = tempPath("rib");
    ASSERT_EQ(runShell(MRT_SAMPLE_BIN " rib > " + dump).status, 0);
    const std::string expected = "174: 4\n3356: 4\n1299: 3\n2914: 3\n6939: 3\n196615: 2\n"
                                 "3257: 1\n7018: 1\n64500: 1\n65001: 1\n";
    EXPECT_EQ(runShell("bgpdump -q -m " + dump + viaBgpdump + " | " ASDEGREE_BIN).out, expected);
    EXPECT_EQ(runShell(ASPATHS_BIN " " + dump + " | " ASDEGREE_BIN).out, expected);
    removeFile(dump);
}

} // namespace
