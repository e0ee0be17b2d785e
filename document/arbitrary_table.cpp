#include "document/arbitrary_table.h"

#include "document/multi_tessel_doc.h"
#include "document/point_edits.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "engine/point_table.h"
#include "formats/waveform_data.h"

namespace korvane {

void ApplyArbitraryTable(CMultiTesselDoc& document, const WaveformData& waveform) {
    ChannelState* channel = document.m_pState.get();
    if (channel == nullptr || waveform.points.empty()) {
        return;
    }
    PointTable before = ReadPointTable(*channel);
    ApplyWaveform(*channel, waveform);
    RecordPointChange(document, std::move(before));
    document.m_strFileName = QString::fromLatin1(kNoCsvFileName);
    // As for an opened CSV file, the panel shows the new wave type and frequency at its next
    // refresh.
    ChangeWaveType(*channel, Arbitrary, ArbitraryTable::Keep);
    channel->RequestDownload();
}

}  // namespace korvane
