// The undo and redo steps of an arbitrary point table, and reading and writing a channel's table.
#include "engine/point_history.h"

#include <gtest/gtest.h>

#include "engine/channel_state.h"
#include "formats/channel_fixture.h"

namespace korvane {
namespace {

PointTable Table(float value, std::size_t size = 3) {
    return PointTable(size, value);
}

TEST(PointHistory, StartsWithNothingToUndoOrRedo) {
    PointHistory history;
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo(Table(1)), std::nullopt);
    EXPECT_EQ(history.Redo(Table(1)), std::nullopt);
    EXPECT_FALSE(history.CanRedo());
}

TEST(PointHistory, UndoesAndRedoesInOrder) {
    PointHistory history;
    // Tables 0 -> 1 -> 2 -> 3, each change recorded with the table before it.
    history.Record(Table(0));
    history.Record(Table(1));
    history.Record(Table(2));
    EXPECT_EQ(history.Undo(Table(3)), Table(2));
    EXPECT_EQ(history.Undo(Table(2)), Table(1));
    EXPECT_EQ(history.Redo(Table(1)), Table(2));
    EXPECT_EQ(history.Redo(Table(2)), Table(3));
    EXPECT_EQ(history.Redo(Table(3)), std::nullopt);
    EXPECT_EQ(history.Undo(Table(3)), Table(2));
    EXPECT_EQ(history.Undo(Table(2)), Table(1));
    EXPECT_EQ(history.Undo(Table(1)), Table(0));
    EXPECT_EQ(history.Undo(Table(0)), std::nullopt);
}

TEST(PointHistory, ANewChangeDropsTheRedoSteps) {
    PointHistory history;
    history.Record(Table(0));
    history.Record(Table(1));
    ASSERT_EQ(history.Undo(Table(2)), Table(1));
    ASSERT_TRUE(history.CanRedo());
    history.Record(Table(1));  // 1 -> 5 instead of 1 -> 2
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo(Table(5)), Table(1));
    EXPECT_EQ(history.Redo(Table(1)), Table(5));
}

TEST(PointHistory, KeepsTheNewestHundredStepsOfFullTables) {
    PointHistory history;
    constexpr int kChanges = 250;
    for (int k = 0; k < kChanges; ++k) {
        history.Record(Table(float(k), kMaxPoints));
    }
    EXPECT_EQ(history.UndoSteps(), PointHistory::kMaxSteps);
    PointTable current = Table(float(kChanges), kMaxPoints);
    for (int k = kChanges - 1; k >= kChanges - int(PointHistory::kMaxSteps); --k) {
        std::optional<PointTable> previous = history.Undo(current);
        ASSERT_TRUE(previous.has_value()) << "step back to " << k;
        EXPECT_EQ(*previous, Table(float(k), kMaxPoints));
        current = *previous;
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.RedoSteps(), PointHistory::kMaxSteps);
    // All the way forward again.
    for (int k = kChanges - int(PointHistory::kMaxSteps) + 1; k <= kChanges; ++k) {
        std::optional<PointTable> next = history.Redo(current);
        ASSERT_TRUE(next.has_value()) << "step forward to " << k;
        EXPECT_EQ(*next, Table(float(k), kMaxPoints));
        current = *next;
    }
}

TEST(PointHistory, RemembersTablesOfDifferentLengths) {
    PointHistory history;
    history.Record(Table(1, 1000));
    EXPECT_EQ(history.Undo(Table(2, 10)), Table(1, 1000));
    EXPECT_EQ(history.Redo(Table(1, 1000)), Table(2, 10));
}

TEST(PointHistory, ClearForgetsEveryStep) {
    PointHistory history;
    history.Record(Table(0));
    history.Record(Table(1));
    ASSERT_TRUE(history.Undo(Table(2)));
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST(PointTable, ReadsAndWritesTheChannelsTableWithItsCount) {
    ChannelFixture fixture;
    ChannelState& channel = fixture.channel;
    channel.arbPointCount = 4;
    for (int k = 0; k < 6; ++k) {
        channel.arbPoints[static_cast<std::size_t>(k)] = float(k);
    }
    EXPECT_EQ(ReadPointTable(channel), (PointTable{0, 1, 2, 3}));

    WritePointTable(channel, PointTable{-1, -2});
    EXPECT_EQ(channel.arbPointCount.load(), 2);
    EXPECT_EQ(ReadPointTable(channel), (PointTable{-1, -2}));
    EXPECT_EQ(channel.arbPoints[2].load(), 2.0f);  // past the count: untouched

    WritePointTable(channel, PointTable{});
    EXPECT_EQ(channel.arbPointCount.load(), 2);  // an empty table is ignored

    WritePointTable(channel, PointTable(kMaxPoints + 10, 1.5f));
    EXPECT_EQ(channel.arbPointCount.load(), kMaxPoints);
}

}  // namespace
}  // namespace korvane
