#include "view/harmonics_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "document/user_message.h"
#include "view/harmonic_bars.h"

namespace korvane {

SpectrumView::SpectrumView(QWidget* parent)
    : QDialog(parent),
      bars_(new SpectrumBars(this)),
      summary_(new QLabel(this)),
      table_(new QTableWidget(0, 2, this)) {
    Translate();
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bars_, 2);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    resize(560, 480);
}

SpectrumView::~SpectrumView() = default;

void SpectrumView::Translate() {
    setWindowTitle(LanguageTextOr(2112, "Spectrum"));
    table_->setHorizontalHeaderLabels(
        {LanguageTextOr(2115, "Harmonic"), LanguageTextOr(2116, "dBc")});
    if (shown_) {
        const WaveParams params = *shown_;
        shown_.reset();
        Follow(params);
    }
}

void SpectrumView::Follow(const WaveParams& params) {
    if (shown_ && *shown_ == params) {
        return;
    }
    shown_ = params;
    ++computations_;
    WaveSpectrum spectrum;
    if (const std::string why = SpectrumOfWave(params, analyser_, spectrum); !why.empty()) {
        ShowNone(QString::fromStdString(why));
        return;
    }
    Show(spectrum);
}

void SpectrumView::Show(const WaveSpectrum& spectrum) {
    bars_->SetSpectrum(spectrum.harmonicsDbc, spectrum.quantisationFloorDbc);
    const QString thd = QString::asprintf(LanguageTextOr(2113, "THD: %.3f %%").toUtf8().constData(),
                                          spectrum.thdPercent);
    const QString floor =
        QString::asprintf(LanguageTextOr(2114, "Quantisation floor: %.1f dBc").toUtf8().constData(),
                          spectrum.quantisationFloorDbc);
    summary_->setText(thd + QStringLiteral("    ") + floor);
    const int rows = static_cast<int>(spectrum.harmonicsDbc.size());
    table_->setRowCount(rows);
    for (int k = 0; k < rows; ++k) {
        const double dbc = spectrum.harmonicsDbc[static_cast<std::size_t>(k)];
        table_->setItem(k, 0, new QTableWidgetItem(QString::number(k + 1)));
        table_->setItem(k, 1, new QTableWidgetItem(QString::number(dbc, 'f', 2)));
    }
}

void SpectrumView::ShowNone(const QString& why) {
    bars_->SetSpectrum({}, 0.0);
    summary_->setText(why);
    table_->setRowCount(0);
}

}  // namespace korvane
