#include "view/dialogs/trapezia_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "engine/channel_rules.h"
#include "engine/channel_state.h"
#include "view/dialogs/dialog_support.h"
#include "view/entry/num_edit.h"

namespace korvane {

namespace {

struct PartLayout {
    const char* label;
    int labelId;
    int fieldId;
    std::atomic<float> ChannelState::*duty;
};

constexpr std::array<PartLayout, 3> kParts{{
    {"Raise Duty:", 1135, 1008, &ChannelState::trapeziaRise},
    {"High Duty:", 1136, 1009, &ChannelState::trapeziaHigh},
    {"Fall Duty:", 1137, 1059, &ChannelState::trapeziaFall},
}};

constexpr int kOkId = 1127;

}  // namespace

TrapeziaDialog::TrapeziaDialog(ChannelState& channel, QWidget* parent)
    : QDialog(parent), channel_(channel) {
    setWindowTitle(QStringLiteral("Trapezia"));
    auto* grid = new QGridLayout(this);
    for (int part = kRise; part <= kFall; ++part) {
        const PartLayout& layout = kParts[part];
        grid->addWidget(
            WithControlId(new QLabel(QString::fromLatin1(layout.label), this), layout.labelId),
            part, 0);
        fields_[part] = WithControlId(new CNumEdit(this), layout.fieldId);
        grid->addWidget(fields_[part], part, 1);
    }
    auto* ok = WithControlId(new QPushButton(QStringLiteral("OK"), this), kOkId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 3, 1, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    InitialiseDialog(*this, 141);
    for (CNumEdit* field : fields_) {
        field->UseRange(kFractionRange);
    }
    for (int part : {kFall, kHigh, kRise}) {
        const QSignalBlocker quiet(fields_[part]);
        fields_[part]->SetValue(channel_.*kParts[part].duty, true);
    }
    for (int part = kRise; part <= kFall; ++part) {
        connect(fields_[part], &QLineEdit::textChanged, this,
                [this, part] { OnFieldChanged(static_cast<Part>(part)); });
    }
}

void TrapeziaDialog::OnFieldChanged(Part part) {
    CNumEdit& field = *fields_[part];
    field.Parse();
    const double typed = field.GetValue();
    const auto other = [this](Part p) { return static_cast<float>(fields_[p]->GetValue()); };
    const Range range = part == kFall   ? TrapeziaPartRange(other(kHigh), other(kRise))
                        : part == kHigh ? TrapeziaPartRange(other(kRise), other(kFall))
                                        : TrapeziaPartRange(other(kHigh), other(kFall));
    const auto value = static_cast<float>(Limit(typed, range));
    if (OutsideRange(typed, range)) {
        field.SetValue(value, false);  // the typed text stays
    }
    channel_.*kParts[part].duty = value;
    channel_.RequestDownload();
}

}  // namespace korvane
