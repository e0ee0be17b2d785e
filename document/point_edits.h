#pragma once

#include "engine/point_table.h"

namespace korvane {

class CMultiTesselDoc;

// Every change of a document's arbitrary point table goes through here, so it can be undone and
// redone; each state that undo or redo brings back is downloaded to the device like any edit.

// Records a change just made to the table, `before` being the table as it was; nothing is
// recorded when the table is unchanged.
void RecordPointChange(CMultiTesselDoc& document, PointTable before);

// Replaces the table by `table` (the channel playing it as an arbitrary wave) as one undo step
// and downloads it. What the tools, and any other editor that builds a whole table, call.
void ApplyPointTable(CMultiTesselDoc& document, const PointTable& table);

// One step back or forward; false when there is none (or no channel), the table then unchanged.
bool UndoPointChange(CMultiTesselDoc& document);
bool RedoPointChange(CMultiTesselDoc& document);

}  // namespace korvane
