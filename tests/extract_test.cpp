// The path field of a route record and the AS path line made from it.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "extract.h"
#include "reference.h"

namespace {

// A record whose seventh field is PATH, with typical other fields.
std::string record(const std::string &path)
{
    return "TABLE_DUMP2|1277971199|B|202.249.2.169|2497|1.9.0.0/16|" + path +
           "|IGP|202.249.2.169|0|0||NAG||";
}

std::string pathLine(const std::string &line)
{
    std::vector<char> out(pathLineRoom(line.size()));
    return std::string(out.data(), writePathLine(out.data(), line));
}

TEST(GetASPATH, FieldBoundaries)
{
    const std::pair<std::string, std::string> cases[] = {
        {record("1 2 3"), "1 2 3"},
        {"a|b|c|d|e|f|7 8 9", "7 8 9"},
        {"a|b|c|d|e|f|7 8 9\r", "7 8 9\r"},
        {"a|b|c|d|e|f|", ""},
        {"a|b|c|d|e|f||", ""},
        {"a|b|c|d|e|f| 1 2 [3 4] 5|x", " 1 2 "},
        {"a|b|c|d|e|f|1 2 [3|x", "1 2 "},
        {"a[|b|c|d|e|f|1 2|[x", "1 2"},
        {"a|b|c|d|e", ""},
        {"", ""},
        {"||||||", ""},
        {"||||||9", "9"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(getASPATH(c.first), c.second) << c.first;
}

TEST(WritePathLine, Cases)
{
    const std::pair<std::string, std::string> cases[] = {
        // Prepending collapses; only back-to-back repeats do.
        {"10 11 11 11 12", "10 11 12"},
        {"100 200 100", "100 200 100"},
        {"1 1 1", "1"},
        // AS sets, confederations and other tokens end the path.
        {"100 200 [300 400]", "100 200"},
        {"100 200 {300,400}", "100 200"},
        {"3333 286 701 {13408,5752} 9", "3333 286 701"},
        {"100 200 (65001 65002) 300", "100 200"},
        {"100 200 x 300", "100 200"},
        {"100 200x 300", "100 200"},
        // Numbers are read by value and written plainly.
        {"007 +8 8", "7 8"},
        {"7 007", "7"},
        {"-5 6", "-5 6"},
        {"1-2-2+3", "1 -2 3"},
        {"100 2147483648 300", "100"},
        {"100 4294967295", "100"},
        {"2147483647 -2147483648", "2147483647 -2147483648"},
        // White space of any kind and amount.
        {"\t1   2\t\t3  ", "1 2 3"},
        {"   ", ""},
        // No readable first number: an empty line.
        {"", ""},
        {"[1 2]", ""},
        {"{1,2} 3", ""},
        {"x 1 2", ""},
        {"4294967296 1 2", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pathLine(record(c.first)), c.second + "\n") << c.first;
}

TEST(WritePathLine, RecordShapes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a|b|c|d|e|f|7 8 9", "7 8 9"},
        {"a|b|c|d|e|f|7 8 9\r", "7 8 9"},
        {"a|b|c|d|e|f|", ""},
        {"a|b|c|d|e|f", ""},                     // fewer than six "|"
        {"BGP4MP|1|W|1.2.3.4|3333|10.0.0.0/8", ""}, // a withdrawal
        {"BGP|936348099|STATE|193.0.0.56|3333|1|2", "2"},
        {"TABLE_DUMP2_AP|1|B|10.0.15.1|65015|10.0.10.0/24|36|65015 65014|IGP", "36"},
        {"[a|b[|c|d|e|f|1 2|[3", "1 2"},
        {std::string("a\0|b|c|d|e|f|1 2|\0", 18), "1 2"},
        {std::string("a|b|c|d|e|f|1 \0 2", 17), "1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pathLine(c.first), c.second + "\n") << c.first;
}

TEST(WritePathLine, StaysWithinRoom)
{
    // Output may be longer than the path field: "1-2-3" becomes "1 -2 -3".
    const std::string line = "||||||1-2-3-4-5-6-7-8-9";
    std::vector<char> out(pathLineRoom(line.size()));
    char *end = writePathLine(out.data(), line);
    EXPECT_EQ(std::string(out.data(), end), "1 -2 -3 -4 -5 -6 -7 -8 -9\n");
}

// Random records made of the pieces that matter, against the plain version.
TEST(WritePathLine, AgreesWithPlainVersion)
{
    static const char *const pieces[] = {
        "|", "|", "|", "1", "23", "0", "007", "4294967296", "2147483648", "-", "+", " ", " ",
        "\t", "\r", "[", "]", "{", "}", ",", "x", "(", "" /* a NUL byte */,
    };
    std::mt19937 rng(11);
    for (int i = 0; i < 100000; ++i) {
        std::string line = i % 2 ? "TABLE_DUMP2|1|B|2|3|4|" : "";
        for (int n = rng() % 30; n > 0; --n) {
            const char *piece = pieces[rng() % (sizeof pieces / sizeof *pieces)];
            line += *piece ? std::string(piece) : std::string(1, '\0');
        }
        ASSERT_EQ(pathLine(line), referencePathLine(line)) << line;
    }
}

} // namespace
