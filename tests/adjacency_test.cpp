// The adjacency table: slots, both directions, compaction and its bound.
#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "adjacency.h"

namespace {

using List = std::vector<ASN>;

struct Table : ::testing::Test {
    void SetUp() override { clearTable(); }
    void TearDown() override { clearTable(); }
};

TEST_F(Table, SlotsInOrderOfFirstSightBothDirections)
{
    insertOnePair(7, 9);
    ASSERT_EQ(asv.size(), 2u);
    EXPECT_EQ(asv[0], Entry(7, List{9}));
    EXPECT_EQ(asv[1], Entry(9, List{7}));
    EXPECT_EQ(asindex.at(7), 0);
    EXPECT_EQ(asindex.at(9), 1);

    insertOnePair(9, 7); // appended, not searched for
    EXPECT_EQ(asv[0], Entry(7, (List{9, 9})));
    EXPECT_EQ(asv[1], Entry(9, (List{7, 7})));
}

TEST_F(Table, RecordLinkPassesEachLinkOnce)
{
    recordLink(1, 2);
    recordLink(2, 1); // the same link, either way round
    recordLink(1, 2);
    recordLink(-1, -1); // the link whose key is all ones
    recordLink(-1, -1);
    recordLink(3, 3);
    ASSERT_EQ(asv.size(), 4u);
    EXPECT_EQ(asv[0], Entry(1, List{2}));
    EXPECT_EQ(asv[1], Entry(2, List{1}));
    EXPECT_EQ(asv[2], Entry(-1, (List{-1, -1})));
    EXPECT_EQ(asv[3], Entry(3, (List{3, 3})));
    clearTable(); // and forgets them
    recordLink(2, 1);
    EXPECT_EQ(asv[0], Entry(2, List{1}));
}

TEST_F(Table, OwnNeighbourCountsOnce)
{
    insertOnePair(5, 5);
    ASSERT_EQ(asv.size(), 1u);
    EXPECT_EQ(asv[0], Entry(5, (List{5, 5})));
    compactAll();
    EXPECT_EQ(asv[0].second, List{5});
}

TEST_F(Table, CompactionSortsSignedAndDropsRepeats)
{
    for (ASN b : {3, 0, -3, 2147483647, -2147483647 - 1, 3, 0, -3})
        insertOnePair(1, b);
    compactAll();
    EXPECT_EQ(asv[0].second, (List{-2147483647 - 1, -3, 0, 3, 2147483647}));
    EXPECT_EQ(asindex.at(0), 2); // 0 is stored like any other AS
}

TEST_F(Table, RepeatedPairCompactsAtFiveThousandOne)
{
    for (int i = 1; i <= 5000; ++i)
        insertOnePair(1, 2);
    EXPECT_EQ(asv[0].second.size(), 5000u);
    EXPECT_EQ(asv[1].second.size(), 5000u);
    insertOnePair(1, 2);
    EXPECT_EQ(asv[0].second, List{2});
    EXPECT_EQ(asv[1].second, List{1});
}

// A list whose AS has at most 2500 distinct neighbours is compacted exactly
// when it reaches 5001 elements, and never grows past that.
TEST_F(Table, FewNeighboursCompactAtFiveThousandOne)
{
    std::mt19937 rng(1);
    std::size_t longest = 0;
    for (int i = 0; i < 40000; ++i) {
        const std::size_t before = asv.empty() ? 0 : asv[0].second.size();
        insertNeighbor(1, ASN(rng() % 2500));
        const std::size_t after = asv[0].second.size();
        if (before == 5000)
            EXPECT_LE(after, 2500u);
        else
            EXPECT_EQ(after, before + 1);
        longest = std::max(longest, after);
    }
    EXPECT_EQ(longest, 5000u);
}

// With many distinct neighbours a list stays within twice its distinct
// count, and the degree comes out right.
TEST_F(Table, ManyNeighboursStayWithinBoundAndCountRight)
{
    std::mt19937 rng(2);
    std::set<ASN> distinct;
    for (int i = 0; i < 300000; ++i) {
        // New neighbours keep coming, mixed with many repeats of old ones.
        const ASN b = (i % 3 == 0) ? ASN(rng()) : ASN(rng() % 20000) - 10000;
        insertNeighbor(42, b);
        distinct.insert(b);
        const std::size_t size = asv[0].second.size();
        ASSERT_LE(size, std::max<std::size_t>(5000, 2 * distinct.size())) << "after insert " << i;
    }
    compactAll();
    EXPECT_EQ(asv[0].second, List(distinct.begin(), distinct.end()));
}

TEST_F(Table, RemovalKeepsOrder)
{
    insertOnePair(1, 2);
    insertOnePair(3, 4);
    removeEntry(1);
    ASSERT_EQ(asv.size(), 3u);
    EXPECT_EQ(asv[0].first, 1);
    EXPECT_EQ(asv[1].first, 3);
    EXPECT_EQ(asv[2].first, 4);
}

// Multiples of a bucket count all share one bucket under the identity hash,
// and a lookup then walks them all: built input must not do that. The
// counts are ones the index takes as it grows (and a power of two); ten
// thousand ASes should fill nearly as many buckets as random ones would.
TEST(HashASN, SpreadsASesChosenToCollide)
{
    for (std::uint32_t buckets : {65536u, 136607u, 172933u, 351061u, 712697u}) {
        std::set<std::size_t> used;
        for (std::int32_t k = -5000; k < 5000; ++k)
            used.insert(hashASN(ASN(std::uint32_t(k) * buckets)) % buckets);
        EXPECT_GT(used.size(), 8000u) << buckets << " buckets";
    }
}

TEST(CompactList, MergesSortedPrefixWithNewTail)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        // Narrow ranges make repeats; the full range exercises every digit.
        const std::size_t range = 1 + rng() % 5000;
        auto pick = [&] { return round % 2 ? ASN(rng()) : ASN(rng() % range) - ASN(range / 2); };
        List list;
        for (std::size_t n = rng() % 3000; n != 0; --n)
            list.push_back(pick());
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        const std::size_t sorted = list.size();
        for (std::size_t n = rng() % 3000; n != 0; --n)
            list.push_back(round % 4 == 1 && !list.empty() ? list[rng() % list.size()] : pick());
        List expected = list;
        std::sort(expected.begin(), expected.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        compactList(list, sorted);
        ASSERT_EQ(list, expected);
    }
}

} // namespace
