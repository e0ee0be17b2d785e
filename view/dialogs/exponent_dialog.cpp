#include "view/dialogs/exponent_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/dialogs/dialog_support.h"
#include "view/entry/num_edit.h"

namespace korvane {

namespace {

constexpr int kOkId = 1127;
constexpr int kCancelId = 1048;
constexpr int kRiseId = 1143;
constexpr int kFieldId = 1007;
constexpr int kUnitId = 1077;
constexpr int kSecondsDecimals = 8;

// A small picture of a rising exponential curve beside the field.
QPixmap CurvePicture() {
    constexpr int kSide = 40;
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawLine(4, kSide - 4, kSide - 2, kSide - 4);
    painter.drawLine(4, kSide - 4, 4, 2);
    QPainterPath curve;
    curve.moveTo(4, kSide - 4);
    for (int x = 0; x <= kSide - 8; ++x) {
        const double level = 1.0 - std::exp(-x / 7.0);
        curve.lineTo(4 + x, (kSide - 4) - level * (kSide - 10));
    }
    painter.setPen(QPen(QColor(0, 110, 200), 2));
    painter.drawPath(curve);
    return picture;
}

}  // namespace

ExponentDialog::ExponentDialog(ChannelState& channel, QWidget* parent)
    : QDialog(parent),
      channel_(channel),
      rise_(WithControlId(new QCheckBox(QStringLiteral("Raise"), this), kRiseId)),
      field_(WithControlId(new CNumEdit(this), kFieldId)),
      unit_(WithControlId(new QComboBox(this), kUnitId)) {
    setWindowTitle(QStringLiteral("Exponent"));
    unit_->addItems({QStringLiteral("ms"), QStringLiteral("s")});
    auto* picture = new QLabel(this);
    picture->setPixmap(CurvePicture());

    auto* grid = new QGridLayout(this);
    grid->addWidget(rise_, 0, 0, 1, 2);
    grid->addWidget(picture, 1, 0);
    grid->addWidget(field_, 1, 1);
    grid->addWidget(unit_, 1, 2);
    auto* ok = WithControlId(new QPushButton(QStringLiteral("OK"), this), kOkId);
    auto* cancel = WithControlId(new QPushButton(QStringLiteral("Cancel"), this), kCancelId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(ok, 2, 1);
    grid->addWidget(cancel, 2, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    InitialiseDialog(*this, 144);
    field_->m_bFixedUnit = 0;
    field_->m_nDecimals = kSecondsDecimals;
    field_->UseRange(kTimeConstantRange);
    field_->m_bBaseUnit = channel_.exponentUnit == 1 ? 1 : 0;
    rise_->setChecked(channel_.exponentRaise != 0);
    ShowTimeConstant();
    unit_->setCurrentIndex(field_->m_bBaseUnit);

    connect(rise_, &QCheckBox::clicked, this, [this](bool checked) {
        channel_.exponentRaise = checked ? 1 : 0;
        channel_.RequestDownload();
    });
    connect(field_, &QLineEdit::textChanged, this, [this] {
        field_->Parse();
        SetShape(channel_, ShapeValue::ExponentTimeConstant, field_->GetValue());
    });
    connect(unit_, &QComboBox::currentIndexChanged, this, &ExponentDialog::OnUnitChosen);
}

void ExponentDialog::OnUnitChosen(int unit) {
    channel_.exponentUnit = unit;
    field_->m_bBaseUnit = unit == 1 ? 1 : 0;
    ShowTimeConstant();
}

void ExponentDialog::ShowTimeConstant() {
    // Only the way the value is shown changes; the channel keeps its time constant exactly.
    const QSignalBlocker quiet(field_);
    field_->SetValue(channel_.exponentTimeConstant, true);
}

}  // namespace korvane
