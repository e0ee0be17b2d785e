#include "view/dialogs/am_fm_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/dialogs/dialog_support.h"
#include "view/dialogs/field_exchange.h"

namespace korvane {

AmFmDialog::AmFmDialog(ChannelState& channel, QWidget* parent)
    : QDialog(parent),
      channel_(channel),
      carrier_(WithControlId(new QLineEdit(this), 1066)),
      depth_(WithControlId(new QLineEdit(this), 1067)),
      fm_(WithControlId(new QCheckBox(QStringLiteral("FM"), this), 1068)),
      deviation_(WithControlId(new QLineEdit(this), 1058)) {
    setWindowTitle(QStringLiteral("AM/FM"));
    const auto label = [this](const char* text, int id) {
        return WithControlId(new QLabel(QString::fromLatin1(text), this), id);
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label("Fo:", 1132), 0, 0);
    grid->addWidget(carrier_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz"), this), 0, 2);
    grid->addWidget(label("Depth:", 1133), 1, 0);
    grid->addWidget(depth_, 1, 1);
    grid->addWidget(label("Range:0.0-1.0", 1124), 1, 2);
    grid->addWidget(fm_, 2, 0, 1, 2);
    grid->addWidget(label("Maxim Frequency Offset:", 1134), 3, 0);
    grid->addWidget(deviation_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz"), this), 3, 2);
    auto* ok = WithControlId(new QPushButton(QStringLiteral("OK"), this), 1127);
    auto* refresh = WithControlId(new QPushButton(QStringLiteral("Refresh"), this), 1123);
    ok->setDefault(true);
    grid->addWidget(refresh, 4, 1);
    grid->addWidget(ok, 4, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(refresh, &QPushButton::clicked, this, &AmFmDialog::Apply);
    connect(ok, &QPushButton::clicked, this, [this] {
        Apply();
        accept();
    });

    InitialiseDialog(*this, 140);
    carrier_->setText(QString::number(channel_.carrierFrequency.load()));
    depth_->setText(QString::number(static_cast<double>(channel_.amDepth.load())));
    fm_->setChecked(channel_.fmMode != 0);
    deviation_->setText(QString::number(channel_.fmDeviation.load()));
}

void AmFmDialog::Apply() {
    ExchangeControls();
    channel_.RequestDownload();
}

bool AmFmDialog::ExchangeControls() {
    const auto refuse = [this](QLineEdit* field, const QString& text) {
        ShowUserMessage(this, text);
        field->setFocus();
        return false;
    };
    const std::optional<int> carrier = ExchangeInteger(carrier_->text());
    if (!carrier) {
        return refuse(carrier_, NotAnIntegerText());
    }
    StoreShape(channel_, ShapeValue::Carrier, *carrier);
    const std::optional<double> depth = ExchangeNumber(depth_->text());
    if (!depth) {
        return refuse(depth_, NotANumberText());
    }
    StoreShape(channel_, ShapeValue::AmDepth, *depth);
    channel_.fmMode = fm_->isChecked() ? 1 : 0;
    const std::optional<int> deviation = ExchangeInteger(deviation_->text());
    if (!deviation) {
        return refuse(deviation_, NotAnIntegerText());
    }
    StoreShape(channel_, ShapeValue::Deviation, *deviation);
    return true;
}

}  // namespace korvane
