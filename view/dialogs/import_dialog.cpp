#include "view/dialogs/import_dialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <span>

#include "document/user_message.h"
#include "engine/channel_rules.h"
#include "formats/wave_sound_import.h"
#include "view/dialogs/wave_preview.h"

namespace korvane {

namespace {

// Sound values are read at a full scale of 1 and scaled here, so the full scale can change
// without reading the file again.
constexpr double kReadFullScale = 1.0;
constexpr double kDefaultSoundFullScale = 3.5;

QString SeparatorName(char separator) {
    switch (separator) {
        case '\t':
            return LanguageTextOr(2093, "Tab");
        case ' ':
            return LanguageTextOr(2094, "blanks");
        case 0:
            return QStringLiteral("-");
        default:
            return QString(QLatin1Char(separator));
    }
}

}  // namespace

ImportDialog::ImportDialog(const QString& path, double frequency, QWidget* parent)
    : QDialog(parent),
      path_(path),
      frequency_(frequency),
      detected_(new QLabel(this)),
      points_(new QSpinBox(this)),
      column_(new QSpinBox(this)),
      scale_(new QComboBox(this)),
      peak_(new QDoubleSpinBox(this)),
      fullScale_(new QDoubleSpinBox(this)),
      status_(new QLabel(this)),
      preview_(new WavePreview(this)),
      ok_(new QPushButton(LanguageTextOr(1127, "OK"), this)) {
    setWindowTitle(LanguageTextOr(2090, "Import Wave") + QStringLiteral(" - ") +
                   QFileInfo(path).fileName());
    points_->setRange(1, kMaxPoints);
    scale_->addItem(LanguageTextOr(2104, "As volts"));
    scale_->addItem(LanguageTextOr(2105, "Normalised to a peak"));
    for (QDoubleSpinBox* volts : {peak_, fullScale_}) {
        volts->setRange(0.001, 1000.0);
        volts->setDecimals(3);
        volts->setSuffix(QStringLiteral(" V"));
        volts->setValue(kDefaultSoundFullScale);
    }
    peak_->setMaximum(kDefaultSoundFullScale);
    status_->setWordWrap(true);
    detected_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->addRow(LanguageTextOr(2100, "Points:"), points_);
    form->addRow(LanguageTextOr(2101, "Column or channel:"), column_);
    form->addRow(LanguageTextOr(2103, "Scale:"), scale_);
    form->addRow(LanguageTextOr(2106, "Peak:"), peak_);
    form->addRow(LanguageTextOr(2107, "Sound full scale:"), fullScale_);
    auto* side = new QVBoxLayout;
    side->addWidget(detected_);
    side->addLayout(form);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(preview_, 1);
    top->addLayout(side);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(LanguageTextOr(1048, "Cancel"), this);
    ok_->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    loaded_ = Read(0);
    if (!loaded_) {
        return;
    }
    column_->setRange(1, std::max(1, wave_.detection.columns));
    column_->setValue(wave_.detection.valueColumn);
    points_->setValue(FittedPointCount(wave_.values.size(), FitOptions{}));
    fullScale_->setEnabled(IsSound());
    peak_->setEnabled(false);
    Refit();

    connect(points_, &QSpinBox::valueChanged, this, [this] { Refit(); });
    connect(scale_, &QComboBox::currentIndexChanged, this, [this] {
        peak_->setEnabled(scale_->currentIndex() == 1);
        Refit();
    });
    connect(peak_, &QDoubleSpinBox::valueChanged, this, [this] { Refit(); });
    connect(fullScale_, &QDoubleSpinBox::valueChanged, this, [this] { Refit(); });
    connect(column_, &QSpinBox::valueChanged, this, [this](int column) {
        if (Read(column)) {
            Refit();
        } else {
            status_->setText(QString::fromStdString(error_.Text()));
            ok_->setEnabled(false);
        }
    });
}

bool ImportDialog::Read(int column) {
    ImportOptions options;
    options.column = column;
    options.fullScaleVolts = kReadFullScale;
    ImportedWave read;
    if (!ImportWaveFile(std::filesystem::path(path_.toStdU16String()), options, read, error_)) {
        return false;
    }
    wave_ = std::move(read);
    ShowDetection();
    return true;
}

bool ImportDialog::IsSound() const {
    return wave_.detection.format != "text";
}

void ImportDialog::ShowDetection() {
    const ImportDetection& found = wave_.detection;
    const auto line = [](int key, const char* english) {
        return LanguageTextOr(key, english) + QLatin1Char(' ');
    };
    QStringList lines;
    lines << line(2091, "Format:") + QString::fromStdString(found.format);
    if (IsSound()) {
        lines << line(2120, "Channels:") + QString::number(found.columns);
    } else {
        lines << line(2092, "Separator:") + SeparatorName(found.separator);
        lines << line(2095, "Columns:") + QString::number(found.columns);
        lines << line(2096, "Header lines skipped:") + QString::number(found.headerLines);
        lines << line(2119, "Comment lines skipped:") + QString::number(found.commentLines);
        lines << (found.decimalComma ? LanguageTextOr(2097, "Decimal comma")
                                     : LanguageTextOr(2098, "Decimal point"));
    }
    lines << line(2099, "Values in file:") + QString::number(found.pointCount);
    if (found.averagedBy > 1) {
        lines << line(2121, "Frames averaged per value:") + QString::number(found.averagedBy);
    }
    detected_->setText(lines.join(QLatin1Char('\n')));
}

void ImportDialog::Refit() {
    FitOptions options;
    options.pointCount = points_->value();
    options.interpolateShort = true;
    if (scale_->currentIndex() == 1) {
        options.scale = WaveScale::PeakVolts;
        options.peakVolts = peak_->value();
    }
    // Only a sound's values are scaled, in a copy; a text file's are fitted as they were read.
    std::span<const double> values = wave_.values;
    std::vector<double> scaled;
    if (IsSound()) {
        const double fullScale = fullScale_->value();
        scaled.resize(wave_.values.size());
        std::transform(wave_.values.begin(), wave_.values.end(), scaled.begin(),
                       [fullScale](double value) { return value * fullScale; });
        values = scaled;
    }
    table_ = FitToTable(values, options);
    preview_->SetPoints(table_.points);
    status_->setText(ClippedPointsText(table_));
    ok_->setEnabled(!table_.points.empty());
}

WaveformData ImportDialog::Waveform() const {
    return ImportedWaveform(table_.points, wave_.values.size(), wave_.sampleRate, frequency_);
}

}  // namespace korvane
