#include "shell/sound_card_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "document/user_message.h"
#include "i18n/format_template.h"

namespace korvane {

namespace {

constexpr int kTitleKey = 2122;
constexpr int kPcmKey = 2123;
constexpr int kNoneKey = 2124;
constexpr int kRateKey = 2125;
constexpr int kLatencyKey = 2126;
constexpr int kNextStartKey = 2127;
constexpr int kOverrideKey = 2130;
constexpr int kOverridesKey = 2131;
constexpr int kOkKey = 1127;
constexpr int kCancelKey = 1048;

QString PcmLabel(const AudioPcm& pcm) {
    const QString name = QString::fromStdString(pcm.name);
    return pcm.description.empty()
               ? name
               : name + QStringLiteral(" - ") + QString::fromStdString(pcm.description);
}

// "KVDDS_AUDIO=hw:1,0 is set: it is used in place of this choice.", the settings written as on a
// command line; empty without overrides.
QString OverrideText(const std::vector<std::string>& overrides) {
    if (overrides.empty()) {
        return {};
    }
    std::string settings;
    for (const std::string& setting : overrides) {
        settings += (settings.empty() ? "" : " ") + setting;
    }
    const bool one = overrides.size() == 1;
    return QString::fromStdString(
        FillStringTemplate(LanguageTextOr(one ? kOverrideKey : kOverridesKey, "").toStdString(),
                           one ? "%s is set: it is used in place of this choice."
                               : "%s are set: they are used in place of this choice.",
                           settings));
}

}  // namespace

SoundCardDialog::SoundCardDialog(const std::vector<AudioPcm>& pcms,
                                 const std::optional<AudioSettings>& current,
                                 const std::vector<std::string>& overrides, QWidget* parent)
    : QDialog(parent),
      pcm_(new QComboBox(this)),
      rate_(new QComboBox(this)),
      latency_(new QSpinBox(this)),
      overrideNote_(new QLabel(OverrideText(overrides), this)) {
    setWindowTitle(LanguageTextOr(kTitleKey, "Sound Card Output"));
    const AudioSettings shown = current.value_or(AudioSettings{});

    pcm_->addItem(LanguageTextOr(kNoneKey, "none (no sound card)"), QString());
    for (const AudioPcm& pcm : pcms) {
        pcm_->addItem(PcmLabel(pcm), QString::fromStdString(pcm.name));
    }
    if (current) {
        const QString name = QString::fromStdString(current->pcm);
        if (pcm_->findData(name) < 0) {
            pcm_->addItem(name, name);
        }
        pcm_->setCurrentIndex(pcm_->findData(name));
    }

    rate_->setEditable(true);
    for (const int rate : kRates) {
        rate_->addItem(QString::number(rate));
    }
    rate_->setValidator(new QIntValidator(static_cast<int>(AudioSettings::kMinRate),
                                          static_cast<int>(AudioSettings::kMaxRate), rate_));
    rate_->setCurrentText(QString::number(shown.rate));
    latency_->setRange(static_cast<int>(AudioSettings::kMinLatencyMs),
                       static_cast<int>(AudioSettings::kMaxLatencyMs));
    latency_->setValue(static_cast<int>(shown.latencyMs));

    auto* nextStart = new QLabel(
        LanguageTextOr(kNextStartKey, "Takes effect at the next start of the program."), this);
    nextStart->setWordWrap(true);
    overrideNote_->setWordWrap(true);
    overrideNote_->setVisible(!overrides.empty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LanguageTextOr(kOkKey, "OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LanguageTextOr(kCancelKey, "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(LanguageTextOr(kPcmKey, "Output (ALSA PCM):"), pcm_);
    form->addRow(LanguageTextOr(kRateKey, "Sample rate (Hz):"), rate_);
    form->addRow(LanguageTextOr(kLatencyKey, "Latency (ms):"), latency_);
    form->addRow(nextStart);
    form->addRow(overrideNote_);
    form->addRow(buttons);
}

std::optional<AudioSettings> SoundCardDialog::Settings() const {
    const QString pcm = pcm_->currentData().toString();
    if (pcm.isEmpty()) {
        return std::nullopt;
    }
    AudioSettings settings;
    settings.pcm = pcm.toStdString();
    bool number = false;
    const uint rate = rate_->currentText().toUInt(&number);
    if (number && rate >= AudioSettings::kMinRate && rate <= AudioSettings::kMaxRate) {
        settings.rate = rate;
    }
    settings.latencyMs = static_cast<unsigned>(latency_->value());
    return settings;
}

}  // namespace korvane
