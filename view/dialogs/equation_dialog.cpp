#include "view/dialogs/equation_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "document/user_message.h"
#include "engine/channel_rules.h"
#include "formats/wave_import.h"
#include "view/dialogs/wave_preview.h"

namespace korvane {

namespace {

// What the dialog starts with: one period of a sine at 2 V.
constexpr char kFirstExpression[] = "2*sin(2*pi*t)";

}  // namespace

EquationDialog::EquationDialog(int pointCount, double frequency, QWidget* parent)
    : QDialog(parent),
      frequency_(frequency),
      expression_(new QLineEdit(this)),
      points_(new QSpinBox(this)),
      error_(new QLabel(this)),
      status_(new QLabel(this)),
      preview_(new WavePreview(this)),
      ok_(new QPushButton(LanguageTextOr(1127, "OK"), this)) {
    setWindowTitle(LanguageTextOr(2109, "Equation"));
    // The caret under the failing place lines up only in a fixed-width font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    expression_->setFont(fixed);
    error_->setFont(fixed);
    error_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    error_->setStyleSheet(QStringLiteral("color: #c00000"));
    points_->setRange(1, kMaxPoints);
    points_->setValue(std::clamp(pointCount, 1, kMaxPoints));

    // The expression gets the dialog's whole width, the caret line beneath it.
    auto* form = new QVBoxLayout;
    form->addWidget(new QLabel(
        LanguageTextOr(2110, "Expression in t (0..1), i (point) and n (points):"), this));
    form->addWidget(expression_);
    form->addWidget(error_);
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(LanguageTextOr(2100, "Points:"), this));
    count->addWidget(points_);
    count->addStretch();
    form->addLayout(count);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(LanguageTextOr(1048, "Cancel"), this);
    ok_->setDefault(true);
    buttons->addWidget(status_, 1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(expression_, &QLineEdit::textChanged, this, [this] { Evaluate(); });
    connect(points_, &QSpinBox::valueChanged, this, [this] { Evaluate(); });
    expression_->setText(QString::fromLatin1(kFirstExpression));
    resize(560, 360);
}

void EquationDialog::Evaluate() {
    const QString text = expression_->text();
    EquationError error;
    FittedWave table;
    if (!equation_.SetExpression(text.toStdString(), error) ||
        !equation_.Evaluate(points_->value(), table, error)) {
        ShowError(text, error);
        return;
    }
    table_ = std::move(table);
    error_->clear();
    preview_->SetPoints(table_.points);
    status_->setText(ClippedPointsText(table_));
    ok_->setEnabled(true);
}

void EquationDialog::ShowError(const QString& expression, const EquationError& error) {
    QString shown = QString::fromStdString(error.message);
    if (error.position >= 0) {
        // The evaluator counts the bytes of the UTF-8 text; the caret stands under the
        // character they end at.
        const int column =
            static_cast<int>(QString::fromUtf8(expression.toUtf8().left(error.position)).size());
        const QString format = LanguageTextOr(2111, "Position %d: %s");
        shown = expression + QLatin1Char('\n') + QString(column, QLatin1Char(' ')) +
                QLatin1Char('^') + QLatin1Char('\n') +
                QString::asprintf(format.toUtf8().constData(), column, error.message.c_str());
    }
    error_->setText(shown);
    status_->clear();
    ok_->setEnabled(false);
}

WaveformData EquationDialog::Waveform() const {
    return ImportedWaveform(table_.points, table_.points.size(), 0.0, frequency_);
}

}  // namespace korvane
