// The ASN reader and writer, against fixed cases and against the standard
// library's own formatted extraction of int32_t.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "asn.h"
#include "reference.h"

namespace {

struct ReadCase {
    std::string input;
    bool ok;
    ASN value;
    std::size_t consumed; // where the read stopped, when ok
};

TEST(ReadASN, Cases)
{
    const ReadCase cases[] = {
        {"0", true, 0, 1},
        {"  \t\r\n\v\f42 ", true, 42, 9},
        {"+8", true, 8, 2},
        {"-5", true, -5, 2},
        {"-0", true, 0, 2},
        {"007", true, 7, 3},
        {"0000000000000000000000002147483647", true, 2147483647, 34},
        {"2147483647", true, 2147483647, 10},
        {"2147483648", false, 0, 0},
        {"-2147483648", true, -2147483647 - 1, 11},
        {"-2147483649", false, 0, 0},
        {"4294967296", false, 0, 0},
        {"99999999999999999999999", false, 0, 0},
        {"5x", true, 5, 1},
        {"12{3", true, 12, 2},
        {"7|8", true, 7, 1},
        {"1-2", true, 1, 1},
        {"0x10", true, 0, 1},
        {"", false, 0, 0},
        {"   ", false, 0, 0},
        {"+", false, 0, 0},
        {"-", false, 0, 0},
        {"- 5", false, 0, 0},
        {"+-5", false, 0, 0},
        {"x5", false, 0, 0},
        {"{1,2}", false, 0, 0},
        {std::string("\0" "5", 2), false, 0, 0},
    };
    for (const ReadCase &c : cases) {
        ASN v = 12345;
        const char *end = readASN(c.input.data(), c.input.data() + c.input.size(), v);
        EXPECT_EQ(end != nullptr, c.ok) << '"' << c.input << '"';
        if (c.ok && end != nullptr) {
            EXPECT_EQ(v, c.value) << '"' << c.input << '"';
            EXPECT_EQ(std::size_t(end - c.input.data()), c.consumed) << '"' << c.input << '"';
        }
    }
}

std::vector<std::pair<ASN, long>> ownReads(const std::string &s)
{
    std::vector<std::pair<ASN, long>> got;
    const char *p = s.data(), *end = p + s.size();
    ASN v;
    while ((p = readASN(p, end, v)) != nullptr)
        got.emplace_back(v, long(p - s.data()));
    return got;
}

// Random text made of the pieces that matter to number reading.
std::string randomText(std::mt19937 &rng)
{
    static const char *const pieces[] = {
        "0", "1", "7", "9", "00", "000000", "2147483647", "2147483648",
        "4294967295", "214748364", "99999999999", " ", "  ", "\t", "\r", "\n",
        "\v", "\f", "+", "-", "x", "{", "}", ",", "[", "|", ".", "e", "\xff",
    };
    constexpr std::size_t n = sizeof pieces / sizeof *pieces;
    std::string s;
    const int len = std::uniform_int_distribution<int>(0, 24)(rng);
    for (int i = 0; i < len; ++i) {
        const std::size_t k = std::uniform_int_distribution<std::size_t>(0, n)(rng);
        if (k == n)
            s.push_back('\0');
        else
            s += pieces[k];
    }
    return s;
}

TEST(ReadASN, AgreesWithFormattedExtraction)
{
    std::mt19937 rng(20261211);
    for (int i = 0; i < 200000; ++i) {
        const std::string s = randomText(rng);
        ASSERT_EQ(ownReads(s), streamReads(s)) << "input: \"" << s << '"';
    }
}

TEST(WriteASN, MatchesStreamOutput)
{
    const ASN values[] = {0, 1, -1, 9, 10, 65535, 65536, 2147483647, -2147483647 - 1, 123456789};
    for (ASN v : values) {
        char buf[16];
        const std::string got(buf, writeASN(buf, v));
        EXPECT_EQ(got, std::to_string(v));
    }
}

} // namespace
