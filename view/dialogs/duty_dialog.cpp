#include "view/dialogs/duty_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

#include "engine/channel_state.h"
#include "view/dialogs/dialog_knob.h"
#include "view/dialogs/dialog_support.h"
#include "view/entry/num_edit.h"

namespace korvane {

namespace {
constexpr double kRadiansPerDuty = 6.28;
constexpr double kDutyPerRadian = 0.1592356687898089;
constexpr int kDutyLabelId = 1125;
constexpr int kRangeLabelId = 1124;
}  // namespace

const DutyDialog::Layout DutyDialog::kSquare{136, "Square", 1006, 1065, ShapeValue::SquareDuty};
const DutyDialog::Layout DutyDialog::kRamp{138, "Ramp", 1005, 1054, ShapeValue::RampDuty};

float DutyFromKnobAngle(double angle) {
    return static_cast<float>(Limit(angle * kDutyPerRadian, kFractionRange));
}

DutyDialog::DutyDialog(ChannelState& channel, const Layout& layout, QWidget* parent)
    : QDialog(parent),
      channel_(channel),
      duty_(layout.duty),
      field_(WithControlId(new CNumEdit(this), layout.fieldId)),
      knob_(MakeDialogKnob(this)) {
    setWindowTitle(QString::fromLatin1(layout.title));
    auto* grid = new QGridLayout(this);
    grid->addWidget(WithControlId(new QLabel(QStringLiteral("Duty:"), this), kDutyLabelId), 0, 0);
    grid->addWidget(field_, 0, 1);
    grid->addWidget(WithControlId(new QLabel(QStringLiteral("Range:0.0-1.0"), this), kRangeLabelId),
                    1, 0, 1, 2);
    if (knob_ != nullptr) {
        SetControlId(*knob_, layout.knobId);
        knob_->setFixedSize(knob_->sizeHint());
        grid->addWidget(knob_, 0, 2, 2, 1);
        OnKnobEvent(*knob_, *this, [this] { OnKnobTurned(); });
    }
    grid->setSizeConstraint(QLayout::SetFixedSize);

    InitialiseDialog(*this, layout.resourceId);
    field_->UseRange(kFractionRange);
    {
        const QSignalBlocker quiet(field_);
        field_->SetValue(static_cast<float>(ReadShape(channel_, duty_)), true);
    }
    if (knob_ != nullptr) {
        SetKnobValue(*knob_, ReadShape(channel_, duty_) * kRadiansPerDuty);
    }
    connect(field_, &QLineEdit::textChanged, this, &DutyDialog::OnFieldChanged);
}

void DutyDialog::OnFieldChanged() {
    field_->Parse();
    const auto duty = static_cast<float>(field_->GetValue());
    StoreShape(channel_, duty_, duty);
    if (knob_ != nullptr) {
        SetKnobValue(*knob_, duty * kRadiansPerDuty);
    }
    channel_.RequestDownload();
}

void DutyDialog::OnKnobTurned() {
    const float duty = DutyFromKnobAngle(KnobValue(*knob_));
    StoreShape(channel_, duty_, duty);
    // Writing the text runs OnFieldChanged, which places the knob and downloads.
    field_->SetValue(duty, true);
}

void DutyDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace korvane
