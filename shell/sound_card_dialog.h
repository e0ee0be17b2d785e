#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "engine/device_library/library_factory.h"
#include "engine/device_library/sound_card_alsa_output.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace korvane {

// Utility > Sound card output: which ALSA PCM (or none) plays the sound card's two generators,
// at which sample rate and buffer length. The choice takes effect at the next start; while the
// environment names a sound card, a line says that the environment's is used instead.
class SoundCardDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kRates[] = {44100, 48000, 96000, 192000};

    // `pcms` are the PCMs offered; a configured PCM that is not among them is offered as well.
    // `overrides` are the environment's settings used in place of the choice
    // ("KVDDS_AUDIO=hw:1,0").
    SoundCardDialog(const std::vector<AudioPcm>& pcms, const std::optional<AudioSettings>& current,
                    const std::vector<std::string>& overrides, QWidget* parent);

    // The choice; nothing for "none". A rate that is not a number in range reads as the default.
    std::optional<AudioSettings> Settings() const;

    QComboBox& Pcms() const { return *pcm_; }
    QComboBox& Rate() const { return *rate_; }
    QSpinBox& Latency() const { return *latency_; }
    // The line naming the environment's overrides; hidden when there are none.
    QLabel& OverrideNote() const { return *overrideNote_; }

  private:
    QComboBox* pcm_;
    QComboBox* rate_;
    QSpinBox* latency_;
    QLabel* overrideNote_;
};

}  // namespace korvane
