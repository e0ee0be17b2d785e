#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "engine/point_table.h"

namespace korvane {

// The undo and redo steps of one channel's arbitrary point table. Each step keeps a whole table
// (at most kMaxPoints values), and at most kMaxSteps steps are kept each way, so a channel's
// history never holds more than 2 × kMaxSteps tables; the oldest step is dropped first.
class PointHistory {
  public:
    static constexpr std::size_t kMaxSteps = 100;

    // The table was `before` until a change that has just been made: one undo step. Any redo
    // steps are gone, as a new change branches off the history.
    void Record(PointTable before);
    // The table to go back to from `current`, which becomes the first redo step; nullopt (and
    // nothing changes) when there is no undo step.
    std::optional<PointTable> Undo(PointTable current);
    // The table to go forward to from `current`, which becomes an undo step again; nullopt when
    // there is no redo step.
    std::optional<PointTable> Redo(PointTable current);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoSteps() const { return undo_.size(); }
    std::size_t RedoSteps() const { return redo_.size(); }
    void Clear();

  private:
    static void Push(std::deque<PointTable>& steps, PointTable table);

    std::deque<PointTable> undo_;  // the newest step at the back
    std::deque<PointTable> redo_;
};

}  // namespace korvane
