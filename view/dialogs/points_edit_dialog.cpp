#include "view/dialogs/points_edit_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "document/multi_tessel_doc.h"
#include "engine/channel_state.h"
#include "view/dialogs/dialog_support.h"
#include "view/dialogs/field_exchange.h"
#include "view/entry/num_edit.h"
#include "view/point_column.h"

namespace korvane {

namespace {}  // namespace

PointsEditDialog::PointsEditDialog(CMultiTesselDoc& document, int initialIndex,
                                   PointPublisher publish, QWidget* parent)
    : QDialog(parent),
      document_(document),
      publish_(std::move(publish)),
      point_(initialIndex),
      index_(WithControlId(new QLineEdit(this), 1049)),
      voltage_(WithControlId(new CNumEdit(this), 1050)),
      previous_(WithControlId(new QPushButton(QStringLiteral("Previous"), this), 1051)),
      next_(WithControlId(new QPushButton(QStringLiteral("Next"), this), 1052)) {
    setWindowTitle(QStringLiteral("Points Edit"));
    const auto label = [this](const char* text, int id) {
        return WithControlId(new QLabel(QString::fromLatin1(text), this), id);
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label("Point Index:", 1120), 0, 0);
    grid->addWidget(index_, 0, 1);
    grid->addWidget(label("(Include 0)", 1121), 0, 2);
    grid->addWidget(label("Vot:", 1122), 1, 0);
    grid->addWidget(voltage_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("V"), this), 1, 2);
    grid->addWidget(previous_, 2, 1);
    grid->addWidget(next_, 2, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (QPushButton* button : {previous_, next_}) {
        button->setAutoDefault(false);
    }
    connect(previous_, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { Step(+1); });

    InitialiseDialog(*this, 135);
    voltage_->UseRange(kTypedPointRange);
    point_ = std::clamp(point_, 0, LastPoint());
    ShowIndex();
    ShowVoltage();
    Publish();
    // Only what the user types is stored: showing a point must not round it to the field's
    // three decimals.
    connect(index_, &QLineEdit::textEdited, this, &PointsEditDialog::OnIndexTyped);
    connect(voltage_, &QLineEdit::textEdited, this, &PointsEditDialog::OnVoltageTyped);
}

int PointsEditDialog::LastPoint() const {
    const ChannelState* channel = document_.m_pState.get();
    return channel == nullptr ? 0 : std::max(0, LimitPointCount(channel->arbPointCount) - 1);
}

void PointsEditDialog::Step(int delta) {
    point_ = std::clamp(point_ + delta, 0, LastPoint());
    Publish();
    ShowIndex();
    ShowVoltage();
}

void PointsEditDialog::OnIndexTyped() {
    const std::optional<int> typed = ExchangeInteger(index_->text());
    if (!typed) {
        ShowUserMessage(this, NotAnIntegerText());
        return;
    }
    point_ = std::clamp(*typed, 0, LastPoint());
    ShowVoltage();
    Publish();
    if (*typed != point_) {
        ShowIndex();
    }
}

void PointsEditDialog::OnVoltageTyped() {
    voltage_->Parse();
    Store();
}

void PointsEditDialog::Store() {
    if (const std::optional<int> typed = ExchangeInteger(index_->text())) {
        point_ = *typed;
    }
    point_ = std::clamp(point_, 0, LastPoint());
    if (ChannelState* channel = document_.m_pState.get()) {
        channel->arbPoints[static_cast<std::size_t>(point_)] =
            static_cast<float>(voltage_->GetValue());
    }
    Publish();
}

void PointsEditDialog::Publish() {
    if (publish_) {
        publish_(point_, PointToColumn(document_, point_));
    }
}

void PointsEditDialog::ShowIndex() {
    index_->setText(QString::number(point_));
}

void PointsEditDialog::ShowVoltage() {
    const ChannelState* channel = document_.m_pState.get();
    const float volts =
        channel == nullptr ? 0.0f : channel->arbPoints[static_cast<std::size_t>(point_)].load();
    voltage_->SetValue(volts, true);
}

void PointsEditDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Store();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace korvane
