// The table that remembers text widths and padded time texts: what it gives
// back must be exactly what was added under that key, whatever the hashes
// do, and it must forget everything when full instead of growing.
#include <gtest/gtest.h>
#include <QString>
#include <cstdint>
#include <map>

#include "platform/RememberedTable.h"

namespace {

TEST(RememberedTable, FindsWhatWasAddedUnderItsKeyOnly)
{
    RememberedTable<QString, int, 1000> table;
    EXPECT_EQ(table.find(QStringLiteral("a"), 7), nullptr);
    // Keys that share a hash, a hash of 0 (kept as 1) and keys whose slots
    // run into each other.
    struct Case {
        const char *key;
        std::uint32_t hash;
        int value;
    };
    const Case cases[] = {{"a", 7, 1},  {"b", 7, 2},  {"c", 0, 3},  {"d", 1, 4},
                          {"e", 8, 5},  {"f", 63, 6}, {"g", 64, 7}, {"h", 127, 8}};
    for (const Case &c : cases)
        table.add(QString::fromLatin1(c.key), c.hash, c.value);
    for (const Case &c : cases) {
        const int *found = table.find(QString::fromLatin1(c.key), c.hash);
        ASSERT_NE(found, nullptr) << c.key;
        EXPECT_EQ(*found, c.value) << c.key;
    }
    // The same key under another hash is not there; another key under a
    // hash in use is not either.
    EXPECT_EQ(table.find(QStringLiteral("a"), 9), nullptr);
    EXPECT_EQ(table.find(QStringLiteral("z"), 7), nullptr);
}

TEST(RememberedTable, GrowsPastItsFirstSlotsAndKeepsEveryEntry)
{
    RememberedTable<int, int, 100000> table;
    std::map<int, int> expected;
    for (int k = 0; k < 5000; ++k) {
        // Poor hashes on purpose: many collisions in the low bits.
        const std::uint32_t hash = std::uint32_t(k / 3) << 8;
        table.add(k, hash, k * 2 + 1);
        expected[k] = k * 2 + 1;
    }
    for (const auto &[k, v] : expected) {
        const int *found = table.find(k, std::uint32_t(k / 3) << 8);
        ASSERT_NE(found, nullptr) << k;
        EXPECT_EQ(*found, v) << k;
    }
}

TEST(RememberedTable, ForgetsEverythingWhenFullAndStartsAnew)
{
    RememberedTable<int, int, 4> table;
    for (int k = 1; k <= 4; ++k)
        table.add(k, std::uint32_t(k), k);
    ASSERT_NE(table.find(4, 4), nullptr);
    table.add(5, 5, 5);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(table.find(k, std::uint32_t(k)), nullptr) << k;
    ASSERT_NE(table.find(5, 5), nullptr);
    EXPECT_EQ(*table.find(5, 5), 5);
}

} // namespace
