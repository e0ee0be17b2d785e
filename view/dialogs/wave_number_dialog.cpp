#include "view/dialogs/wave_number_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/channel_rules.h"
#include "view/dialogs/dialog_support.h"
#include "view/dialogs/field_exchange.h"

namespace korvane {

WaveNumberDialog::WaveNumberDialog(int waveNumber, QWidget* parent)
    : QDialog(parent),
      field_(WithControlId(new QLineEdit(this), 1010)),
      value_(LimitWhole(waveNumber, kMinWaveNumber, kMaxWaveNumber)) {
    setWindowTitle(QStringLiteral("Wave Number"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(WithControlId(new QLabel(QStringLiteral("Wave Number:"), this), 1142), 0, 0);
    grid->addWidget(field_, 0, 1, 1, 2);
    auto* ok = WithControlId(new QPushButton(QStringLiteral("OK"), this), 1127);
    auto* cancel = WithControlId(new QPushButton(QStringLiteral("Cancel"), this), 1048);
    ok->setDefault(true);
    grid->addWidget(ok, 1, 1);
    grid->addWidget(cancel, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (Exchange(TextCheck::Report)) {
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    InitialiseDialog(*this, 143);
    field_->setText(QString::number(value_));
    // While typing, a text that is not (yet) a whole number, an empty field for one, is left
    // alone; OK says what is wrong with it.
    connect(field_, &QLineEdit::textEdited, this, [this] { Exchange(TextCheck::Quiet); });
}

bool WaveNumberDialog::Exchange(TextCheck check) {
    const std::optional<int> typed = ExchangeInteger(field_->text());
    if (!typed) {
        if (check == TextCheck::Report) {
            ShowUserMessage(this, NotAnIntegerText());
            field_->setFocus();
        }
        return false;
    }
    value_ = LimitWhole(*typed, kMinWaveNumber, kMaxWaveNumber);
    const QString shown = QString::number(value_);
    if (field_->text() != shown) {
        field_->setText(shown);
    }
    return true;
}

}  // namespace korvane
