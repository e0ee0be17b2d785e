#include "document/arbitrary_table.h"

#include "document/multi_tessel_doc.h"
#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "formats/waveform_data.h"

namespace korvane {

void ApplyArbitraryTable(CMultiTesselDoc& document, const WaveformData& waveform) {
    ChannelState* channel = document.m_pState.get();
    if (channel == nullptr || waveform.points.empty()) {
        return;
    }
    ApplyWaveform(*channel, waveform);
    document.m_strFileName = QString::fromLatin1(kNoCsvFileName);
    // As for an opened CSV file, the panel shows the new wave type and frequency at its next
    // refresh.
    ChangeWaveType(*channel, Arbitrary, ArbitraryTable::Keep);
    channel->RequestDownload();
}

}  // namespace korvane
