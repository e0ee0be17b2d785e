#include "document/point_edits.h"

#include "document/multi_tessel_doc.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/point_history.h"

namespace korvane {

namespace {

// Puts a table from the history back and downloads it.
bool Restore(CMultiTesselDoc& document,
             std::optional<PointTable> (PointHistory::*step)(PointTable current)) {
    ChannelState* channel = document.m_pState.get();
    if (channel == nullptr) {
        return false;
    }
    std::optional<PointTable> table = (document.m_pointHistory.*step)(ReadPointTable(*channel));
    if (!table) {
        return false;
    }
    WritePointTable(*channel, *table);
    channel->RequestDownload();
    return true;
}

}  // namespace

void RecordPointChange(CMultiTesselDoc& document, PointTable before) {
    const ChannelState* channel = document.m_pState.get();
    if (channel != nullptr && ReadPointTable(*channel) != before) {
        document.m_pointHistory.Record(std::move(before));
    }
}

void ApplyPointTable(CMultiTesselDoc& document, const PointTable& table) {
    ChannelState* channel = document.m_pState.get();
    if (channel == nullptr || table.empty()) {
        return;
    }
    PointTable before = ReadPointTable(*channel);
    WritePointTable(*channel, table);
    RecordPointChange(document, std::move(before));
    ChangeWaveType(*channel, Arbitrary, ArbitraryTable::Keep);  // downloads the table
}

bool UndoPointChange(CMultiTesselDoc& document) {
    return Restore(document, &PointHistory::Undo);
}

bool RedoPointChange(CMultiTesselDoc& document) {
    return Restore(document, &PointHistory::Redo);
}

}  // namespace korvane
