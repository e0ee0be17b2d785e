#include "remote/scpi_wave_select.h"

#include "engine/channel_state.h"

namespace korvane::scpi {

void SelectWaveType(ChannelState& c, int type) {
    if (type != c.waveType) {
        if (type == Arbitrary) {
            c.phase = 0.0f;
            c.RequestDownload();
        }
        c.SetWaveType(type);
    }
    if (c.frequency > MaxFrequency(type)) {
        c.SetFrequency(MaxFrequency(type));
    }
    c.RequestDownload();
}

}  // namespace korvane::scpi
