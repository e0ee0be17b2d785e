#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "engine/device_library/library_factory.h"
#include "engine/device_library/sound_card_alsa_output.h"

class QComboBox;
class QSpinBox;

namespace korvane {

// Utility > Sound card output: which ALSA PCM (or none) plays the sound card's two generators,
// at which sample rate and buffer length. The choice takes effect at the next start.
class SoundCardDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kRates[] = {44100, 48000, 96000, 192000};

    // `pcms` are the PCMs offered; a configured PCM that is not among them is offered as well.
    SoundCardDialog(const std::vector<AudioPcm>& pcms, const std::optional<AudioSettings>& current,
                    QWidget* parent);

    // The choice; nothing for "none". A rate that is not a number in range reads as the default.
    std::optional<AudioSettings> Settings() const;

    QComboBox& Pcms() const { return *pcm_; }
    QComboBox& Rate() const { return *rate_; }
    QSpinBox& Latency() const { return *latency_; }

  private:
    QComboBox* pcm_;
    QComboBox* rate_;
    QSpinBox* latency_;
};

}  // namespace korvane
