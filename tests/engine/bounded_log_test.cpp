#include <gtest/gtest.h>

#include <vector>

#include "engine/device_library/bounded_log.h"

namespace korvane {
namespace {

std::vector<int> Filled(BoundedLog<int>& log, int count) {
    for (int i = 1; i <= count; ++i) {
        log.Append(i);
    }
    return log.Entries();
}

TEST(BoundedLog, KeepsTheNewestEntriesOldestFirst) {
    struct Case {
        std::size_t capacity;
        int appended;
        std::vector<int> kept;
    } cases[] =
        {
            {3, 0, {}},        {3, 2, {1, 2}},    {3, 3, {1, 2, 3}},
            {3, 4, {2, 3, 4}}, {3, 7, {5, 6, 7}}, {3, 9, {7, 8, 9}},
            {1, 5, {5}},       {0, 2, {2}},  // a capacity of 0 still keeps the last entry
        };
    for (const Case& c : cases) {
        BoundedLog<int> log(c.capacity);
        EXPECT_EQ(Filled(log, c.appended), c.kept) << c.capacity << " " << c.appended;
        if (c.appended > 0) {
            EXPECT_EQ(log.Newest(), c.appended) << c.capacity << " " << c.appended;
        }
    }
}

TEST(BoundedLog, NeverGrowsBeyondItsCapacity) {
    BoundedLog<int> log(4);
    Filled(log, 1000);
    EXPECT_EQ(log.Size(), 4u);
    EXPECT_EQ(log.Capacity(), 4u);
}

TEST(BoundedLog, StartsAfreshAfterAClear) {
    BoundedLog<int> log(3);
    Filled(log, 5);
    log.Clear();
    EXPECT_EQ(log.Size(), 0u);
    EXPECT_TRUE(log.Entries().empty());
    log.Append(42);
    log.Append(43);
    EXPECT_EQ(log.Entries(), (std::vector<int>{42, 43}));
    EXPECT_EQ(log.Newest(), 43);
}

}  // namespace
}  // namespace korvane
