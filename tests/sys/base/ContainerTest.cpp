// ContainerTest.cpp -- growable arrays, array splits and the pooled hash map.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "sys/base/tmArray.h"
#include "sys/base/tmMap.h"
#include "sys/base/tmVariant.h"

namespace {
std::vector<std::string> SplitArray(const char* text, int limit, const char* d) {
    tmArray<sys::tmVariant> a;
    int n = tmArray<sys::tmVariant>::Split(&a, limit, text, static_cast<int>(std::string(text).size()), d);
    std::vector<std::string> r;
    for (auto& v : a) r.push_back(v.GetString());
    EXPECT_EQ(n, a.GetCount());
    return r;
}
using V = std::vector<std::string>;
}  // namespace

TEST(ContainerTest, ArrayGrowsPastItsReservationAndClears) {
    tmArray<std::string> a;
    a.Clear();
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.GetCount(), 0);
    EXPECT_EQ(a.GetCapacity(), 0);
    a.Reserve(2);
    for (int i = 0; i < 100; ++i) a.Append(std::to_string(i) + " a text long enough to live on the heap");
    ASSERT_EQ(a.GetCount(), 100);
    EXPECT_GE(a.GetCapacity(), 100);
    EXPECT_EQ(a[0].substr(0, 2), "0 ");
    EXPECT_EQ(a[99].substr(0, 3), "99 ");
    a.Clear();
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.GetCapacity(), 0);
}

TEST(ContainerTest, ArraySplitKeepsLeadingDelimiters) {
    EXPECT_EQ(SplitArray("a/b/c", -1, "/"), (V{"a", "/b", "/c"}));
    EXPECT_EQ(SplitArray("a/b/c", 2, "/"), (V{"a", "/b"}));
    EXPECT_EQ(SplitArray("a/b/c/d", 2, "/"), (V{"a", "/b", "/c"}));
    EXPECT_EQ(SplitArray("/a/b", -1, "/"), (V{"/a", "/b"}));
    EXPECT_EQ(SplitArray("a/b/", -1, "/"), (V{"a", "/b", "/"}));
    // Far more tokens than the length / 8 + 8 reservation.
    std::string many(400, ',');
    EXPECT_EQ(SplitArray(many.c_str(), -1, ",").size(), 400u);
}

TEST(ContainerTest, HashPrimeRoundsUpToAPrimeAndStopsAt65521) {
    EXPECT_EQ(tmHashPrime(128), 131);
    EXPECT_EQ(tmHashPrime(16), 17);
    EXPECT_EQ(tmHashPrime(17), 17);
    EXPECT_EQ(tmHashPrime(1), 2);
    EXPECT_EQ(tmHashPrime(0), 2);
    EXPECT_EQ(tmHashPrime(65521), 65521);
    EXPECT_EQ(tmHashPrime(70000), 65521);
    tmMap m(16, 128);
    EXPECT_EQ(m.GetBucketCount(), 131);
    tmMap big(1000, 1);
    EXPECT_EQ(big.GetBlockSize(), 256);
    EXPECT_EQ(big.GetBucketCount(), 2);
}

TEST(ContainerTest, MapInsertFindEraseAndNodeReuse) {
    tmMap m(16, 16);
    int one = 1, two = 2;
    tmMapNode* a = m.Insert("alpha", &one);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(m.Insert("alpha", &two), nullptr);
    EXPECT_EQ(m.Find("alpha")->value, &one);
    EXPECT_EQ(m.Find("Alpha"), nullptr);
    EXPECT_EQ(m.GetCount(), 1);
    m.Erase("alpha");
    m.Erase("alpha");
    EXPECT_EQ(m.Find("alpha"), nullptr);
    EXPECT_EQ(m.GetCount(), 0);
    EXPECT_EQ(m.Insert("beta", &two), a);  // the freed node is taken again
}

TEST(ContainerTest, MapTakesNodesFromBlocksAndReusesThemAfterClear) {
    std::vector<std::string> keys;
    for (int i = 0; i < 40; ++i) keys.push_back("key" + std::to_string(i));
    tmMap m(16, 16);
    tmMapNode* first = m.Insert(keys[0].c_str(), nullptr);
    const tmContainerBlock* firstBlock = m.GetNewestBlock();
    tmMapNode* second = m.Insert(keys[1].c_str(), nullptr);
    EXPECT_EQ(second, first - 1);  // a fresh block hands out its last node first
    for (int i = 2; i < 16; ++i) m.Insert(keys[i].c_str(), nullptr);
    EXPECT_EQ(m.GetBlockCount(), 1);
    m.Insert(keys[16].c_str(), nullptr);
    EXPECT_EQ(m.GetBlockCount(), 2);
    EXPECT_NE(m.GetNewestBlock(), firstBlock);
    // Clearing returns nodes, so refilling needs no new block.
    m.Clear();
    EXPECT_EQ(m.GetCount(), 0);
    EXPECT_EQ(m.First(), nullptr);
    for (int i = 0; i < 32; ++i) ASSERT_NE(m.Insert(keys[i].c_str(), nullptr), nullptr);
    EXPECT_EQ(m.GetBlockCount(), 2);
}

TEST(ContainerTest, MapIterationVisitsBucketsInOrderNewestFirst) {
    tmMap m(8, 2);  // 2 buckets: many keys share a bucket
    EXPECT_EQ(tmMap::Hash("a"), 97u);
    EXPECT_EQ(tmMap::Hash("ab"), 97u * 137u + 98u);
    const char* keys[] = {"a", "b", "c", "d", "e", "f"};  // 97.. : odd, even, odd...
    for (const char* k : keys) m.Insert(k, nullptr);
    std::vector<std::string> order;
    for (tmMapNode* n = m.First(); n; n = m.Next(n)) order.push_back(n->key);
    EXPECT_EQ(order, (V{"f", "d", "b", "e", "c", "a"}));
}
