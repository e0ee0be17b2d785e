#include "engine/point_history.h"

#include <utility>

namespace korvane {

void PointHistory::Push(std::deque<PointTable>& steps, PointTable table) {
    steps.push_back(std::move(table));
    if (steps.size() > kMaxSteps) {
        steps.pop_front();
    }
}

void PointHistory::Record(PointTable before) {
    Push(undo_, std::move(before));
    redo_.clear();
}

std::optional<PointTable> PointHistory::Undo(PointTable current) {
    if (undo_.empty()) {
        return std::nullopt;
    }
    PointTable previous = std::move(undo_.back());
    undo_.pop_back();
    Push(redo_, std::move(current));
    return previous;
}

std::optional<PointTable> PointHistory::Redo(PointTable current) {
    if (redo_.empty()) {
        return std::nullopt;
    }
    PointTable next = std::move(redo_.back());
    redo_.pop_back();
    Push(undo_, std::move(current));
    return next;
}

void PointHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace korvane
