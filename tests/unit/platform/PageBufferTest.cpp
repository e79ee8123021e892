// The loaders' scratch lists: growing moves the pages, so what was written must still be
// there, in order, whatever size the list passes through.
#include "platform/PageBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(PageBuffer, KeepsEveryValueThroughGrowthIntoLargePages) {
    platform::PageBuffer<std::uint32_t> list;
    EXPECT_TRUE(list.empty());
    // From a few bytes to 24 MiB: small pages first, then blocks of large ones.
    constexpr std::uint32_t count = 6u << 20;
    for (std::uint32_t i = 0; i < count; ++i) {
        list.push_back(i * 2654435761u);
    }
    ASSERT_EQ(list.size(), count);
    std::uint32_t wrong = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        wrong += list[i] != i * 2654435761u;
    }
    EXPECT_EQ(wrong, 0u);
}

TEST(PageBuffer, AppendWritesAfterTheLastAndTruncateDropsTheTail) {
    platform::PageBuffer<std::uint64_t> list;
    list.push_back(7);
    std::uint64_t* added = list.append(3);
    added[0] = 8;
    added[2] = 10;
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1], 8u);
    EXPECT_EQ(list.back(), 10u);
    list.truncate(1);
    list.truncate(5); // never grows
    EXPECT_EQ(list.size(), 1u);
    list.push_back(9);
    EXPECT_EQ(list[1], 9u);
    EXPECT_EQ(list[0], 7u);
}
